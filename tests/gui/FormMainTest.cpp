#include "common/MessageText.h"
#include "platform/automation/ComponentError.h"
#include "payslips/FormMain.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/KeyedListView.h"
#include "platform/controls/PelikDate.h"
#include "platform/controls/PelikSelector.h"
#include "shell/ModMain.h"
#include "shell/OruHRPrintBatch1.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SeededPayroll.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace oruhr;
using namespace oruhr::test;

namespace {

class FormMainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (3450, '1405/09/01')"));
        db.exec(QStringLiteral("INSERT INTO tblAccountBranch (ID, ParentID, Title) VALUES (1, NULL, 'تهران'), "
                               "(11, 1, 'مرکزي'), (12, 1, 'غرب')"));
        db.exec(QStringLiteral("INSERT INTO tblHRRecruitmentType (ID, ParentID, Title) VALUES (2, NULL, 'کارمند'), "
                               "(21, 2, 'رسمي'), (22, 2, 'پيماني'), (6, 2, 'قراردادي')"));
        db.exec(QStringLiteral("INSERT INTO tblAccountCostCenter (ID, ParentID, Title) VALUES (3, NULL, 'ستاد'), "
                               "(31, 3, 'اداري'), (32, 3, 'مالي')"));
        ModMain::ActiveConnectionString = db.connectionString();
        ModMain::ConnectDataEnvironment();
    }

    void load(bool printMode)
    {
        form.IsPrintMode = printMode;
        form.Form_Load();
    }

    QStringList keys() const
    {
        QStringList result;
        for (int row = 0; row < form.employees().rowCount(); ++row)
            result << form.employees().item(row).key;
        return result;
    }

    QStringList column(int index) const
    {
        QStringList result;
        for (int row = 0; row < form.employees().rowCount(); ++row)
            result << form.employees().item(row).texts[index];
        return result;
    }

    QStringList enabledButtons() const
    {
        QStringList result;
        for (QPushButton *button : {form.cmdDelete, form.cmdTempSave, form.cmdFinalize, form.cmdBackToTemp,
                                    form.cmdViewPrint, form.cmdCalc, form.cmdShowError, form.cmdAccount})
            if (button->isEnabled())
                result << button->objectName();
        return result;
    }

    SeededPayroll db;
    ScriptedMessages messages;
    FormMain form;
};

} // namespace

TEST_F(FormMainTest, RegistrationModeListsEmployeesWithoutPayslip)
{
    load(false);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("ثبت گروهي فيش حقوقي"));
    EXPECT_TRUE(form.optNonMonthlySalaryEmployee->isChecked());
    EXPECT_FALSE(form.optNonMonthlySalaryEmployee->isHidden());
    EXPECT_TRUE(form.framePrint->isHidden());
    EXPECT_TRUE(form.chkOrdinancePrint->isHidden());
    EXPECT_FALSE(form.datBeginDate->isEnabled());
    EXPECT_FALSE(form.datEndDate->isEnabled());
    EXPECT_EQ(form.datBeginDate->persianText(), QStringLiteral("1405/09/01"));
    EXPECT_EQ(form.datEndDate->persianText(), QStringLiteral("1405/09/30"));

    EXPECT_EQ(keys(), QStringList({QStringLiteral("k3"), QStringLiteral("k1"), QStringLiteral("k7")}));
    EXPECT_EQ(column(1), QStringList({QString(), QStringLiteral("3"), QStringLiteral("12")}));
    EXPECT_EQ(column(2), QStringList({QStringLiteral("حسن"), QStringLiteral("علي"), QStringLiteral("امير")}));
    EXPECT_EQ(column(3), QStringList({QString(), QStringLiteral("احمدي"), QStringLiteral("موسوي")}));
    EXPECT_EQ(form.lblRecordCount->text(), QStringLiteral("3"));
    EXPECT_EQ(enabledButtons(), QStringList({QStringLiteral("cmdTempSave"), QStringLiteral("cmdViewPrint"),
                                             QStringLiteral("cmdShowError"), QStringLiteral("cmdAccount")}));
    EXPECT_EQ(form.cmdAccount->property("Tag").toString(), QStringLiteral("-1"));

    const auto &columns = form.employees().columns();
    ASSERT_EQ(columns.size(), 4);
    EXPECT_EQ(columns[1].title, QStringLiteral("کد"));
    EXPECT_EQ(columns[3].title, QStringLiteral("نام خانوادگي"));
    EXPECT_EQ(columns[2].widthTwips, 2000);
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(FormMainTest, PrintModeListsFinalPayslipsUnderThePrintFrame)
{
    load(true);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("چاپ گروهي فيش حقوقي"));
    EXPECT_TRUE(form.optFinalSaveEmployee->isChecked());
    EXPECT_TRUE(form.optNonMonthlySalaryEmployee->isHidden());
    EXPECT_FALSE(form.framePrint->isHidden());
    EXPECT_FALSE(form.chkOrdinancePrint->isHidden());
    EXPECT_EQ(keys(), QStringList({QStringLiteral("k4")}));
    EXPECT_EQ(enabledButtons(), QStringList({QStringLiteral("cmdBackToTemp"), QStringLiteral("cmdViewPrint"),
                                             QStringLiteral("cmdAccount")}));
}

TEST_F(FormMainTest, EachModeEnablesItsOwnOperations)
{
    load(false);
    form.optTempSaveEmployee->click();
    EXPECT_EQ(keys(), QStringList({QStringLiteral("k2"), QStringLiteral("k8")}));
    EXPECT_EQ(enabledButtons(),
              QStringList({QStringLiteral("cmdDelete"), QStringLiteral("cmdFinalize"), QStringLiteral("cmdViewPrint"),
                           QStringLiteral("cmdCalc"), QStringLiteral("cmdShowError"), QStringLiteral("cmdAccount")}));
    form.optFinalSaveEmployee->click();
    EXPECT_EQ(keys(), QStringList({QStringLiteral("k4")}));
    form.optNonMonthlySalaryEmployee->click();
    EXPECT_EQ(form.lblRecordCount->text(), QStringLiteral("3"));
}

TEST_F(FormMainTest, SelectorsFilterThroughTheOrdinance)
{
    load(false);
    form.sltRecruitmentType->selectId(21);
    EXPECT_EQ(keys(), QStringList({QStringLiteral("k3"), QStringLiteral("k1"), QStringLiteral("k7")}));
    form.sltRecruitmentType->clearSelection();

    form.optTempSaveEmployee->click();
    form.sltBranch->selectId(12);
    EXPECT_EQ(keys(), QStringList({QStringLiteral("k8")}));
    form.sltBranch->clearSelection();

    form.optFinalSaveEmployee->click();
    form.sltCostCenter->selectId(31);
    EXPECT_TRUE(keys().isEmpty());
    EXPECT_EQ(form.lblRecordCount->text(), QStringLiteral("0"));
    EXPECT_EQ(enabledButtons(), QStringList({QStringLiteral("cmdAccount")})); // an empty list offers only this
    form.sltCostCenter->selectId(32);
    EXPECT_EQ(keys(), QStringList({QStringLiteral("k4")}));
}

TEST_F(FormMainTest, TicksAreDiscardedByARebuild)
{
    load(false);
    form.cmdSelect->click();
    EXPECT_EQ(form.employees().checkedCount(), 3);
    form.cmdDeselect->click();
    EXPECT_EQ(form.employees().checkedCount(), 0);
    form.employees().setChecked(1, true);
    EXPECT_EQ(form.employees().checkedCount(), 1);
    form.cmdSelect->click();
    form.sltBranch->selectId(11);
    EXPECT_EQ(keys().size(), 3);
    EXPECT_EQ(form.employees().checkedCount(), 0);
}

TEST_F(FormMainTest, ColumnClicksSortByCodeAsNumberAndByNameAsText)
{
    db.exec(QStringLiteral("UPDATE tblEmployee SET Code='100' WHERE ID=7"));
    load(false); // codes: "", "3", "100"
    QHeaderView *header = form.lstEmployee->header();
    Q_EMIT header->sectionClicked(1);
    EXPECT_EQ(column(1), QStringList({QString(), QStringLiteral("3"), QStringLiteral("100")}));
    Q_EMIT header->sectionClicked(1);
    EXPECT_EQ(column(1), QStringList({QStringLiteral("100"), QStringLiteral("3"), QString()}));
    Q_EMIT header->sectionClicked(2);
    EXPECT_EQ(column(2), QStringList({QStringLiteral("امير"), QStringLiteral("حسن"), QStringLiteral("علي")}));
    Q_EMIT header->sectionClicked(0);
    EXPECT_EQ(column(2), QStringList({QStringLiteral("امير"), QStringLiteral("حسن"), QStringLiteral("علي")}));
    EXPECT_EQ(form.employees().sortKey(), 2);
}

TEST_F(FormMainTest, AFailingQueryIsToldAndLeavesTheWindowUsable)
{
    load(false);
    db.exec(QStringLiteral("DROP TABLE tblHRMonthlySalary"));
    form.optTempSaveEmployee->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("خطا"));
    EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("tblHRMonthlySalary")));
    EXPECT_TRUE(keys().isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(enabledButtons(), QStringList({QStringLiteral("cmdAccount")}));
}

TEST_F(FormMainTest, AnEmptiedDateIsRestoredWithOneMessage)
{
    load(false);
    form.datEndDate->clear();
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleProblem + QStringLiteral(": ") + MessageText::EndDateEmpty}));
    EXPECT_EQ(form.datEndDate->persianText(), QStringLiteral("1405/09/30"));
    EXPECT_EQ(keys().size(), 3);

    messages.clear();
    form.datBeginDate->clear();
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleProblem + QStringLiteral(": ") + MessageText::BeginDateEmpty}));
    EXPECT_EQ(form.datBeginDate->persianText(), QStringLiteral("1405/09/01"));
    EXPECT_EQ(keys().size(), 3);
}

TEST_F(FormMainTest, AStartMonthAbove12StopsAfterOneMessage)
{
    load(false);
    form.StartDateText = QStringLiteral("1405/13/01");
    form.datEndDate->clear();
    EXPECT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(form.datEndDate->isEmpty());
    EXPECT_TRUE(keys().isEmpty());
    messages.clear();
    form.datBeginDate->clear();
    EXPECT_EQ(messages.shown().size(), 1);
}

TEST_F(FormMainTest, AReversedPeriodIsToldAndListsNothing)
{
    load(false);
    form.datBeginDate->setPersianText(QStringLiteral("1405/10/01"));
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleProblem + QStringLiteral(": ") + MessageText::BeginAfterEnd}));
    EXPECT_TRUE(keys().isEmpty());
    EXPECT_EQ(form.lblRecordCount->text(), QStringLiteral("3")); // the last completed rebuild
}

TEST_F(FormMainTest, ASingleDayPeriodIsAccepted)
{
    db.exec(QStringLiteral("UPDATE tblPelikSystemParameters SET Value='1405/09/30' WHERE ID=3450"));
    load(false);
    EXPECT_EQ(form.datBeginDate->englishdate(), form.datEndDate->englishdate());
    EXPECT_TRUE(messages.shown().isEmpty());
    // 2's temporary payslip ended on the month's first day, so on its last day 2 has none
    EXPECT_EQ(keys(), QStringList({QStringLiteral("k3"), QStringLiteral("k2"), QStringLiteral("k1"), QStringLiteral("k7")}));
}

TEST_F(FormMainTest, WithoutTheMonthParameterThePeriodIsTodaysMonth)
{
    db.exec(QStringLiteral("DELETE FROM tblPelikSystemParameters"));
    load(false);
    EXPECT_EQ(form.StartDateText, PelikDate::toPersianText(QDate::currentDate()));
    EXPECT_EQ(form.datBeginDate->englishdate(), QDate::currentDate());
    EXPECT_EQ(form.datEndDate->persianText().left(8), form.StartDateText.left(8));
    EXPECT_EQ(form.datEndDate->englishdate().addDays(1), PelikDate::fromPersianText(form.datEndDate->persianText()).addDays(1));
}

TEST_F(FormMainTest, ControlsFollowTheWindowSize)
{
    load(false);
    form.show();
    QApplication::processEvents();
    const QRect list = form.lstEmployee->geometry();
    const QRect branch = form.sltBranch->geometry();
    const QRect select = form.cmdSelect->geometry();
    const int designedWidth = form.width();
    form.resize(designedWidth + 40, form.height() + 40); // 600 twips wider, 600 higher at 96 dpi
    EXPECT_EQ(form.lstEmployee->width(), list.width() + 40);
    EXPECT_EQ(form.lstEmployee->height(), list.height() + 40);
    EXPECT_NEAR(form.sltBranch->x(), branch.x() + 13, 1);
    EXPECT_EQ(form.cmdSelect->y(), select.y() + 40);
    form.Form_Load(); // a new load puts everything back
    QApplication::processEvents();
    EXPECT_EQ(form.lstEmployee->geometry(), list);
    EXPECT_EQ(form.width(), designedWidth);
    form.hide();
}

TEST_F(FormMainTest, KeysNeverCloseTheWindowNorStartAStep)
{
    load(false);
    form.show();
    QSignalSpy tempSave(form.cmdTempSave, &QPushButton::clicked);
    form.cmdTempSave->setFocus();
    QTest::keyClick(&form, Qt::Key_Escape);
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(tempSave.count(), 0);
    form.hide();
}

TEST_F(FormMainTest, AListThatCannotBeReadAtLoadFailsTheOpeningCall)
{
    db.exec(QStringLiteral("DROP TABLE tblHRMonthlySalary"));
    OruHRPrintBatch1 control;
    control.setOLEConnectionString(db.connectionString());
    try {
        control.TempSaveMonthlySalary();
        ADD_FAILURE() << "expected the call to fail";
    } catch (const ComponentError &error) {
        EXPECT_TRUE(error.description().contains(QStringLiteral("tblHRMonthlySalary")));
    }
    EXPECT_FALSE(OruHRPrintBatch1::formMain().isVisible());
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FormMainTest, OpenedThroughTheControlByEitherMethod)
{
    OruHRPrintBatch1 control;
    control.setOLEConnectionString(db.connectionString());
    whenModalShown([](QWidget *window) {
        auto *opened = qobject_cast<FormMain *>(window);
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(opened->employees().rowCount(), 3);
        EXPECT_TRUE(opened->framePrint->isHidden());
    });
    control.TempSaveMonthlySalary();
    whenModalShown([](QWidget *window) {
        auto *opened = qobject_cast<FormMain *>(window);
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(opened->employees().item(0).key, QStringLiteral("k4"));
        EXPECT_TRUE(opened->framePrint->isVisible());
        opened->cmdExit->click();
    });
    control.ClearShow();
}
