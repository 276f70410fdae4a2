#include "tests/gui/WindowTestKit.h"

using namespace oruhr;
using namespace oruhr::test;
using namespace Qt::StringLiterals;

namespace {

class FormMainTest : public WindowTest<FormMain> {
protected:
    using WindowTest::WindowTest;

    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO tblAccountBranch (ID, ParentID, Title) VALUES (1, NULL, 'تهران'), "
                               "(11, 1, 'مرکزي'), (12, 1, 'غرب')"));
        db.exec(QStringLiteral("INSERT INTO tblHRRecruitmentType (ID, ParentID, Title) VALUES (2, NULL, 'کارمند'), "
                               "(21, 2, 'رسمي'), (22, 2, 'پيماني'), (6, 2, 'قراردادي')"));
        db.exec(QStringLiteral("INSERT INTO tblAccountCostCenter (ID, ParentID, Title) VALUES (3, NULL, 'ستاد'), "
                               "(31, 3, 'اداري'), (32, 3, 'مالي')"));
    }

    QStringList column(int index) const { return columnOf(form.employees(), index); }
    QStringList keys() const { return column(-1); }
    QStringList enabledButtons() const
    {
        return enabledOf({form.cmdDelete, form.cmdTempSave, form.cmdFinalize, form.cmdBackToTemp, form.cmdViewPrint,
                          form.cmdCalc, form.cmdShowError, form.cmdAccount});
    }
};

} // namespace

TEST_F(FormMainTest, OpensOnThePayrollMonthInEitherMode)
{
    load(false);
    EXPECT_EQ(form.windowTitle(), u"ثبت گروهي فيش حقوقي"_s);
    EXPECT_TRUE(form.optNonMonthlySalaryEmployee->isChecked());
    EXPECT_TRUE(form.framePrint->isHidden());
    EXPECT_TRUE(form.chkOrdinancePrint->isHidden());
    EXPECT_FALSE(form.datBeginDate->isEnabled());
    EXPECT_EQ(form.datBeginDate->persianText(), u"1405/09/01"_s);
    EXPECT_EQ(form.datEndDate->persianText(), u"1405/09/30"_s);
    ASSERT_EQ(form.employees().columns().size(), 4);
    EXPECT_EQ(form.employees().columns()[1].title, u"کد"_s);
    // 1 has two final ordinances yet is listed once; 2's temporary payslip touches the first day only
    EXPECT_EQ(keys(), QStringList({"k3", "k1", "k7"}));
    EXPECT_EQ(column(1), QStringList({QString(), u"3"_s, u"12"_s}));
    EXPECT_EQ(column(2), QStringList({u"حسن"_s, u"علي"_s, u"امير"_s}));
    EXPECT_EQ(column(3), QStringList({QString(), u"احمدي"_s, u"موسوي"_s}));
    EXPECT_EQ(form.lblRecordCount->text(), u"3"_s);
    EXPECT_EQ(enabledButtons(), QStringList({"TempSave", "ViewPrint", "ShowError", "Account"}));
    EXPECT_EQ(form.cmdAccount->property("Tag").toString(), u"-1"_s);

    load(true);
    EXPECT_EQ(form.windowTitle(), u"چاپ گروهي فيش حقوقي"_s);
    EXPECT_TRUE(form.optFinalSaveEmployee->isChecked());
    EXPECT_TRUE(form.optNonMonthlySalaryEmployee->isHidden());
    EXPECT_FALSE(form.framePrint->isHidden());
    EXPECT_FALSE(form.chkOrdinancePrint->isHidden());
    EXPECT_FALSE(form.datEndDate->isEnabled());
    EXPECT_EQ(keys(), QStringList({"k4"}));
    EXPECT_EQ(enabledButtons(), QStringList({"BackToTemp", "ViewPrint", "Account"}));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(FormMainTest, EachModeAndSelectorListsItsOwnEmployeesUnticked)
{
    load(false);
    form.cmdSelect->click();
    EXPECT_EQ(form.employees().checkedCount(), 3);
    form.cmdDeselect->click();
    EXPECT_EQ(form.employees().checkedCount(), 0);
    form.cmdSelect->click();
    form.sltRecruitmentType->selectId(21);
    EXPECT_EQ(keys(), QStringList({"k3", "k1", "k7"}));
    EXPECT_EQ(form.employees().checkedCount(), 0); // a rebuild drops the ticks
    form.sltRecruitmentType->clearSelection();

    form.optTempSaveEmployee->click();
    EXPECT_EQ(keys(), QStringList({"k2", "k8"}));
    EXPECT_EQ(enabledButtons(), QStringList({"Delete", "Finalize", "ViewPrint", "Calc", "ShowError", "Account"}));
    form.sltBranch->selectId(12);
    EXPECT_EQ(keys(), QStringList({"k8"}));
    form.sltBranch->clearSelection();

    form.optFinalSaveEmployee->click();
    form.sltCostCenter->selectId(31);
    EXPECT_TRUE(keys().isEmpty());
    EXPECT_EQ(form.lblRecordCount->text(), u"0"_s);
    EXPECT_EQ(enabledButtons(), QStringList({"Account"}));
    form.sltCostCenter->selectId(32);
    EXPECT_EQ(keys(), QStringList({"k4"}));
}

TEST_F(FormMainTest, ColumnClicksSortByCodeAsNumberAndByNameAsText)
{
    db.exec(u"UPDATE tblEmployee SET Code='100' WHERE ID=7"_s);
    load(false); // codes: "", "3", "100"
    QHeaderView *header = form.lstEmployee->header();
    Q_EMIT header->sectionClicked(1);
    EXPECT_EQ(column(1), QStringList({QString(), u"3"_s, u"100"_s}));
    Q_EMIT header->sectionClicked(1);
    EXPECT_EQ(column(1), QStringList({u"100"_s, u"3"_s, QString()}));
    const QStringList byName{u"امير"_s, u"حسن"_s, u"علي"_s};
    Q_EMIT header->sectionClicked(2);
    EXPECT_EQ(column(2), byName);
    Q_EMIT header->sectionClicked(0);
    EXPECT_EQ(column(2), byName);
    EXPECT_EQ(form.employees().sortKey(), 2);

    // A rebuild keeps the code sort numeric.
    Q_EMIT header->sectionClicked(1);
    form.optNonMonthlySalaryEmployee->click();
    form.RefreshEmployees();
    EXPECT_EQ(column(1), QStringList({QString(), u"3"_s, u"100"_s}));
}

TEST_F(FormMainTest, AFailingQueryIsToldAndLeavesTheWindowUsable)
{
    load(false);
    db.exec(u"DROP TABLE tblHRMonthlySalary"_s);
    form.optTempSaveEmployee->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].title, u"خطا"_s);
    EXPECT_TRUE(messages.shown()[0].text.contains(u"tblHRMonthlySalary"_s));
    EXPECT_TRUE(keys().isEmpty());
    expectIdle(form);
    EXPECT_EQ(enabledButtons(), QStringList({"Account"}));
}

TEST_F(FormMainTest, DateProblemsAreToldOnceAndThePeriodRestored)
{
    load(false);
    form.datEndDate->clear();
    EXPECT_EQ(messages.texts(), QStringList({problem(MessageText::EndDateEmpty)}));
    EXPECT_EQ(form.datEndDate->persianText(), u"1405/09/30"_s);
    messages.clear();
    form.datBeginDate->clear();
    EXPECT_EQ(messages.texts(), QStringList({problem(MessageText::BeginDateEmpty)}));
    EXPECT_EQ(form.datBeginDate->persianText(), u"1405/09/01"_s);
    EXPECT_EQ(keys().size(), 3);

    messages.clear();
    form.datBeginDate->setPersianText(u"1405/10/01"_s);
    EXPECT_EQ(messages.texts(), QStringList({problem(MessageText::BeginAfterEnd)}));
    EXPECT_TRUE(keys().isEmpty());
    EXPECT_EQ(form.lblRecordCount->text(), u"3"_s); // the last completed rebuild

    // A month above 12 cannot be restored: one message, never a loop.
    load(false);
    form.StartDateText = u"1405/13/01"_s;
    messages.clear();
    form.datEndDate->clear();
    EXPECT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(form.datEndDate->isEmpty());
    messages.clear();
    form.datBeginDate->clear();
    EXPECT_EQ(messages.shown().size(), 1);
}

TEST_F(FormMainTest, ThePeriodFollowsTheMonthParameterOrToday)
{
    db.exec(u"UPDATE tblPelikSystemParameters SET Value='1405/09/30' WHERE ID=3450"_s);
    load(false);
    EXPECT_EQ(form.datBeginDate->englishdate(), SeededPayroll::end());
    EXPECT_EQ(form.datEndDate->englishdate(), SeededPayroll::end());
    EXPECT_TRUE(messages.shown().isEmpty());
    // 2's temporary payslip ended on the month's first day, so on its last day 2 has none
    EXPECT_EQ(keys(), QStringList({"k3", "k2", "k1", "k7"}));

    db.exec(u"DELETE FROM tblPelikSystemParameters"_s);
    load(false);
    EXPECT_EQ(form.StartDateText, PelikDate::toPersianText(QDate::currentDate()));
    EXPECT_EQ(form.datBeginDate->englishdate(), QDate::currentDate());
    EXPECT_EQ(form.datEndDate->persianText().left(8), form.StartDateText.left(8));
    EXPECT_TRUE(PelikDate::toPersianText(form.datEndDate->englishdate().addDays(1)).endsWith(u"/01"_s));
}

// Both list windows open at their designed size at 96 dpi (15 twips a pixel) and stretch
// their list by what the window grows.
TEST_F(FormMainTest, ControlsFollowTheWindowSizeAndKeysStartNothing)
{
    FormCheckDocs docs{session};
    docs.Form_Load();
    load(false);
    for (ListWindow *window : {static_cast<ListWindow *>(&form), static_cast<ListWindow *>(&docs)}) {
        window->show();
        QApplication::processEvents();
        ASSERT_EQ(window->logicalDpiX(), 96);
        const QRect list = window->lstEmployee->geometry();
        const QRect select = window->cmdSelect->geometry();
        const int designedWidth = window->width();
        window->resize(designedWidth + 40, window->height() + 40); // 600 twips wider and higher
        EXPECT_EQ(window->lstEmployee->size(), list.size() + QSize(40, 40));
        EXPECT_EQ(window->cmdSelect->y(), select.y() + 40);
        window->Form_Load(); // a new load puts everything back
        QApplication::processEvents();
        EXPECT_EQ(window->lstEmployee->geometry(), list);
        EXPECT_EQ(window->width(), designedWidth);
        // The count holds five digits.
        window->lblRecordCount->setText(u"12345"_s);
        EXPECT_GE(window->lblRecordCount->width(), window->lblRecordCount->sizeHint().width());
        window->hide();
    }
    EXPECT_EQ(docs.size(), QSize(804, 533));
    EXPECT_EQ(docs.cmdDelete->geometry(), QRect(613, 2, 185, 27));

    form.show();
    QSignalSpy tempSave(form.cmdTempSave, &QPushButton::clicked);
    form.cmdTempSave->setFocus();
    QTest::keyClick(&form, Qt::Key_Escape);
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(tempSave.count(), 0);
    form.hide();
}

// Every run over ticked rows, in either window: nothing ticked is told under the hourglass;
// then the begin date is examined before the window is even disabled; nothing is written.
TEST_F(FormMainTest, EveryRunNeedsATickedRowAndABeginDateBeforeItStarts)
{
    FormCheckDocs docs{session};
    docs.Form_Load();
    load(false);
    const auto written = [this] {
        return db.scalar(u"SELECT group_concat(x, ' ') FROM (SELECT 's' || ID || ':' || ifnull(Code, '') || ifnull("
                         "CalculateDate, '') AS x FROM tblHRMonthlySalary UNION ALL SELECT 'o' || ID || ':' || "
                         "ifnull(Code, '') FROM tblHROrdinance UNION ALL SELECT 'l' || ID || ':' || ifnull(Code, '') "
                         "FROM tblHRLoan UNION ALL SELECT 'f' || ID || ':' || ifnull(Code, '') FROM tblHRBox)"_s)
            .toString();
    };
    const QString before = written();
    const QList<std::tuple<ListWindow *, QRadioButton *, QPushButton *>> runs{
        {&form, form.optNonMonthlySalaryEmployee, form.cmdTempSave},
        {&form, form.optTempSaveEmployee, form.cmdCalc},
        {&form, form.optTempSaveEmployee, form.cmdFinalize},
        {&docs, docs.optTempSaveEmployee, docs.cmdFinalize}};
    for (const auto &[window, mode, button] : runs) {
        SCOPED_TRACE(button->objectName().toStdString());
        window->Form_Load();
        mode->click();
        messages.clear();
        EventCounter showing(window->pgb, QEvent::Show);
        button->click();
        EXPECT_EQ(messages.texts(), QStringList({problem(MessageText::NoEmployeeChecked)}));
        EXPECT_TRUE(messages.shown().value(0).busy); // told under the hourglass, reset after
        EXPECT_EQ(showing.count, 0);
        expectIdle(*window);

        messages.clear();
        window->cmdSelect->click();
        const int ticked = window->rows().checkedCount();
        ASSERT_GT(ticked, 0);
        {
            const QSignalBlocker quiet(window->datBeginDate);
            window->datBeginDate->clear();
        }
        EventCounter enabling(window, QEvent::EnabledChange);
        button->click();
        EXPECT_EQ(messages.texts(), QStringList({problem(MessageText::BeginDateMissing)}));
        EXPECT_EQ(window->rows().checkedCount(), ticked);
        EXPECT_EQ(enabling.count, 0);
        expectIdle(*window);
    }
    EXPECT_EQ(written(), before);
}
