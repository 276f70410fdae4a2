#include "common/MessageText.h"
#include "payslips/FormMain.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/PelikDate.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"
#include "tests/support/RecordingProcedures.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

using namespace oruhr;
using namespace oruhr::test;

namespace {

const QDate periodBegin(2026, 11, 22);
const QDate periodEnd(2026, 12, 21);
const QString create = QStringLiteral("spHRCreateMonthlySalary");
const QString finalize = QStringLiteral("spHRFinalizedMonthlySalary");
const QString backToTemp = QStringLiteral("spHRBackToTempMonthlySalary");
const QString accountDocSave = QStringLiteral("spHRAccountDocSave");

QDate dateOf(const QVariant &value)
{
    return value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
}

// Counts the times a widget is shown or changes its enabled state.
class EventCounter : public QObject {
public:
    EventCounter(QObject *watched, QEvent::Type type)
        : m_type(type)
    {
        watched->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == m_type ? 1 : 0;
        return false;
    }

private:
    QEvent::Type m_type;
};

// Ten employees with final ordinances over the month 1405/09 and no payslip yet; employee
// IDs 1 to 10 carry the codes 1 to 10, so the list shows them in ID order.
class PayslipBatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (3450, '1405/09/01')"));
        const QStringList firstNames{QStringLiteral("علي"),   QStringLiteral("مريم"), QStringLiteral("حسن"),
                                     QStringLiteral("زهرا"),  QStringLiteral("رضا"),  QStringLiteral("سارا"),
                                     QStringLiteral("امير"),  QStringLiteral("نرگس"), QStringLiteral("مهدي"),
                                     QStringLiteral("فاطمه")};
        for (int i = 0; i < firstNames.size(); ++i) {
            const int id = db.addEmployee(QString::number(i + 1), firstNames[i], QStringLiteral("کريمي") + QString::number(i + 1));
            db.addOrdinance(id, periodBegin, periodEnd, true, {11, 21, 31});
        }
        ModMain::ActiveConnectionString = db.connectionString();
        ModMain::ActiveUserID = -3;
        ModMain::ConnectDataEnvironment();
        procedures = RecordingProcedures::install();
        procedures->observeWith([this] {
            const bool busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            return form.lblProgress->text() + (form.isEnabled() ? QStringLiteral(" enabled") : QString())
                 + (busy ? QString() : QStringLiteral(" idle"));
        });
        form.Form_Load();
    }

    void TearDown() override { RecordingProcedures::uninstall(); }

    void check(std::initializer_list<int> rows)
    {
        for (int row : rows)
            form.employees().setChecked(row, true);
    }

    QString label(int row) const
    {
        const ListItem &item = form.employees().item(row);
        return item.texts[2] + QLatin1Char(' ') + item.texts[3];
    }

    QStringList keys() const
    {
        QStringList result;
        for (int row = 0; row < form.employees().rowCount(); ++row)
            result << form.employees().item(row).key;
        return result;
    }

    QStringList observed(const QString &procedure) const
    {
        QStringList result;
        for (const auto &call : procedures->callsOf(procedure))
            result << call.observed;
        return result;
    }

    // Temporary payslips for employees 1..count through the window itself.
    void tempSaveFirst(int count)
    {
        for (int row = 0; row < count; ++row)
            form.employees().setChecked(row, true);
        form.cmdTempSave->click();
        form.optTempSaveEmployee->click();
        messages.clear();
    }

    void checkKeys(const QStringList &wanted)
    {
        for (int row = 0; row < form.employees().rowCount(); ++row)
            if (wanted.contains(form.employees().item(row).key))
                form.employees().setChecked(row, true);
    }

    // A temporary payslip with one detail line, one paid loan and one paid fund instalment.
    int payslipWithLines(int employeeId, QDate begin)
    {
        const int payslip = db.addPayslip(employeeId, begin, periodEnd, false);
        db.exec(QStringLiteral("INSERT INTO tblHRMonthlySalaryDetail (MonthlySalaryID, FunctionID, Amount) VALUES (?, 501, 900)"),
                {payslip});
        db.exec(QStringLiteral("INSERT INTO tblHRMonthlyPaiedLoan (MonthlySalaryID, LoanID, Amount) VALUES (?, 1, 50)"),
                {payslip});
        db.exec(QStringLiteral("INSERT INTO tblHRMonthlyPaiedBox (MonthlySalaryID, BoxID, Amount) VALUES (?, 1, 20)"),
                {payslip});
        return payslip;
    }

    int linesOf(int payslip)
    {
        const QString where = QStringLiteral("MonthlySalaryID = %1").arg(payslip);
        return db.count(QStringLiteral("tblHRMonthlySalaryDetail"), where)
             + db.count(QStringLiteral("tblHRMonthlyPaiedLoan"), where)
             + db.count(QStringLiteral("tblHRMonthlyPaiedBox"), where);
    }

    int payslips(const QString &where = QStringLiteral("1=1")) { return db.count(QStringLiteral("tblHRMonthlySalary"), where); }

    TestDatabase db;
    ScriptedMessages messages;
    FormMain form;
    std::shared_ptr<RecordingProcedures> procedures;
};

TEST_F(PayslipBatchTest, TempSaveRunsForTheCheckedRowsOnlyInListOrder)
{
    check({1, 4, 8});
    const QStringList names{label(1), label(4), label(8)};
    form.cmdTempSave->click();

    const auto calls = procedures->callsOf(create);
    ASSERT_EQ(calls.size(), 3);
    EXPECT_EQ(observed(create), QStringList({QStringLiteral("1: ") + names[0], QStringLiteral("2: ") + names[1],
                                             QStringLiteral("3: ") + names[2]}));
    EXPECT_EQ(calls[0].inputs[0].toInt(), -3);
    EXPECT_NE(calls[0].inputs[1].typeId(), QMetaType::QString);
    EXPECT_EQ(dateOf(calls[0].inputs[1]), periodBegin);
    EXPECT_EQ(dateOf(calls[0].inputs[2]), periodEnd);
    EXPECT_EQ(calls[0].inputs[3].toInt(), 2);
    EXPECT_EQ(calls[2].inputs[3].toInt(), 9);

    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("موفقيت: تعداد 3 فيش حقوقي ثبت موقت شد.")}));
    EXPECT_EQ(payslips(QStringLiteral("Code IS NULL AND EmployeeID IN (2, 5, 9)")), 3);
    EXPECT_EQ(payslips(), 3);
    // Rebuilt: the three have a payslip now and leave the list of those without one.
    EXPECT_EQ(form.employees().rowCount(), 7);
    EXPECT_FALSE(keys().contains(QStringLiteral("k5")));
    EXPECT_TRUE(form.pgb->isHidden());
    EXPECT_TRUE(form.lblProgress->isHidden());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PayslipBatchTest, WindowIsBusyAndTakesNoInputWhileItRuns)
{
    check({0});
    EventCounter enabling(&form, QEvent::EnabledChange);
    form.cmdTempSave->click();
    ASSERT_EQ(observed(create).size(), 1);
    EXPECT_FALSE(observed(create)[0].endsWith(QStringLiteral(" enabled")));
    EXPECT_FALSE(observed(create)[0].endsWith(QStringLiteral(" idle")));
    EXPECT_EQ(enabling.count, 2);
}

TEST_F(PayslipBatchTest, NothingCheckedTellsSoAndCallsNothing)
{
    EventCounter showing(form.pgb, QEvent::Show);
    form.cmdTempSave->click();
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("اشکال: کارمندي انتخاب نشده است!")}));
    EXPECT_TRUE(procedures->calls().isEmpty());
    EXPECT_EQ(showing.count, 0);
    EXPECT_TRUE(form.isEnabled());
    EXPECT_TRUE(form.cmdTempSave->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PayslipBatchTest, EmptyBeginDateStopsBeforeTheWindowIsTouched)
{
    check({0, 1});
    {
        const QSignalBlocker block(form.datBeginDate);
        form.datBeginDate->clear();
    }
    EventCounter enabling(&form, QEvent::EnabledChange);
    form.cmdTempSave->click();
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("اشکال: تاريخ شروع مشخص نشده است.")}));
    EXPECT_TRUE(procedures->calls().isEmpty());
    EXPECT_EQ(enabling.count, 0);
    EXPECT_EQ(form.employees().checkedCount(), 2);
}

TEST_F(PayslipBatchTest, FailureAtTheThirdEmployeeStopsThereAndLeavesTheProgressOnIt)
{
    db.exec(QStringLiteral("CREATE TRIGGER failFor5 BEFORE INSERT ON tblHRMonthlySalary WHEN NEW.EmployeeID = 5 "
                           "BEGIN SELECT RAISE(ABORT, 'no payslip for 5'); END"));
    check({0, 2, 4, 6, 8});
    const QString third = label(4);
    form.cmdTempSave->click();

    EXPECT_EQ(procedures->callsOf(create).size(), 3);
    EXPECT_EQ(payslips(), 2);
    EXPECT_EQ(payslips(QStringLiteral("EmployeeID IN (1, 3)")), 2);
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(form.pgb->isHidden());
    EXPECT_EQ(form.pgb->value(), 3);
    EXPECT_EQ(form.pgb->maximum(), 5);
    EXPECT_EQ(form.lblProgress->text(), QStringLiteral("3: ") + third);
    // Not rebuilt: the rows and their checks are as they were.
    EXPECT_EQ(form.employees().rowCount(), 10);
    EXPECT_EQ(form.employees().checkedCount(), 5);
}

TEST_F(PayslipBatchTest, MonthRunsFromTemporaryToFinalAndBack)
{
    tempSaveFirst(3);
    ASSERT_EQ(keys(), QStringList({QStringLiteral("k1"), QStringLiteral("k2"), QStringLiteral("k3")}));

    check({0, 1, 2});
    form.cmdCalc->click();
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("موفقيت: تعداد 3 فيش حقوقي محاسبه مجدد شد.")}));
    // Recalculated, still temporary: all three stay listed.
    EXPECT_EQ(form.employees().rowCount(), 3);

    messages.clear();
    check({0, 2});
    form.cmdFinalize->click();
    ASSERT_EQ(procedures->callsOf(accountDocSave).size(), 1);
    EXPECT_EQ(procedures->callsOf(accountDocSave)[0].inputs[2].toString(), QStringLiteral("1,3"));
    EXPECT_EQ(dateOf(procedures->callsOf(accountDocSave)[0].inputs[1]), periodEnd);
    const int document = db.scalar(QStringLiteral("SELECT max(ID) FROM tblAccountDocument")).toInt();
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("موفقيت: تعداد 2 فيش حقوقي ثبت قطعي شد."),
                                             QStringLiteral("موفقيت: سند حسابداري با شماره رايانه اي (")
                                                 + QString::number(document) + QStringLiteral(") ايجاد شد.")}));
    EXPECT_EQ(keys(), QStringList({QStringLiteral("k2")}));
    EXPECT_EQ(payslips(QStringLiteral("Code IS NOT NULL")), 2);

    messages.clear();
    form.optFinalSaveEmployee->click();
    check({0, 1});
    form.cmdBackToTemp->click();
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("هشدار: ") + MessageText::ConfirmBackToTemp,
                                             QStringLiteral("موفقيت: تعداد 2 فيش حقوقي بازگشت داده شد.")}));
    EXPECT_EQ(payslips(QStringLiteral("Code IS NOT NULL")), 0);
    EXPECT_EQ(form.employees().rowCount(), 0);
    EXPECT_FALSE(form.cmdBackToTemp->isEnabled());
}

TEST_F(PayslipBatchTest, BackToTemporaryAnsweredNoDoesNothingAtAll)
{
    tempSaveFirst(2);
    check({0, 1});
    form.cmdFinalize->click();
    form.optFinalSaveEmployee->click();
    check({0, 1});
    messages.clear();
    const int callsBefore = procedures->calls().size();
    {
        const QSignalBlocker block(form.datBeginDate);
        form.datBeginDate->clear();
    }
    EventCounter enabling(&form, QEvent::EnabledChange);
    messages.answerWith(0);
    form.cmdBackToTemp->click();
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("هشدار: ") + MessageText::ConfirmBackToTemp}));
    EXPECT_EQ(procedures->calls().size(), callsBefore);
    EXPECT_EQ(enabling.count, 0);
}

TEST_F(PayslipBatchTest, UnansweredQuestionGoesOn)
{
    tempSaveFirst(1);
    check({0});
    messages.answerWith(QStringLiteral("?"));
    form.cmdDelete->click();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("موفقيت: تعداد 1 فيش حقوقي حذف شد."));
    EXPECT_EQ(payslips(), 0);
}

TEST_F(PayslipBatchTest, FinalizeWithNothingBecomingFinalIssuesNoDocument)
{
    tempSaveFirst(2);
    procedures->returnFrom(finalize, 0);
    check({0, 1});
    form.cmdFinalize->click();
    EXPECT_EQ(procedures->callsOf(finalize).size(), 2);
    EXPECT_TRUE(procedures->callsOf(accountDocSave).isEmpty());
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("موفقيت: تعداد 2 فيش حقوقي ثبت قطعي شد.")}));
}

TEST_F(PayslipBatchTest, FinalizeTellsNoDocumentWhenNoneWasMadeOrItsCallFailed)
{
    tempSaveFirst(3);
    for (qint32 result : {0, -1}) {
        messages.clear();
        procedures->returnFrom(accountDocSave, result);
        form.optTempSaveEmployee->click();
        check({0});
        form.cmdFinalize->click();
        EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("موفقيت: تعداد 1 فيش حقوقي ثبت قطعي شد.")}))
            << result;
    }
    // A database that refuses the document: the payslips stay final and nothing more is told.
    db.exec(QStringLiteral("CREATE TRIGGER noDocument BEFORE INSERT ON tblAccountDocument "
                           "BEGIN SELECT RAISE(ABORT, 'closed year'); END"));
    messages.clear();
    check({0});
    form.cmdFinalize->click();
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("موفقيت: تعداد 1 فيش حقوقي ثبت قطعي شد.")}));
    EXPECT_EQ(payslips(QStringLiteral("Code IS NOT NULL")), 3);
    EXPECT_TRUE(form.employees().rowCount() == 0 && form.isEnabled());
}

TEST_F(PayslipBatchTest, FinalizedIdsReachTheDocumentInListOrder)
{
    db.addOrdinance(db.addEmployee(QStringLiteral("11"), QStringLiteral("ليلا"), QStringLiteral("نوري")), periodBegin,
                    periodEnd, true, {11, 21, 31});
    const int twelve = db.addEmployee(QStringLiteral("0"), QStringLiteral("کاوه"), QStringLiteral("صادقي"));
    ASSERT_EQ(twelve, 12);
    db.addOrdinance(twelve, periodBegin, periodEnd, true, {11, 21, 31});
    form.optNonMonthlySalaryEmployee->click();
    checkKeys({QStringLiteral("k12"), QStringLiteral("k7")});
    form.cmdTempSave->click();
    form.optTempSaveEmployee->click();
    ASSERT_EQ(keys(), QStringList({QStringLiteral("k12"), QStringLiteral("k7")}));

    form.cmdSelect->click();
    form.cmdFinalize->click();
    ASSERT_EQ(procedures->callsOf(accountDocSave).size(), 1);
    EXPECT_EQ(procedures->callsOf(accountDocSave)[0].inputs[2].toString(), QStringLiteral("12,7"));
}

TEST_F(PayslipBatchTest, DeleteRemovesOnlyTemporaryPayslipsBeginningOnTheFirstDay)
{
    const int first = payslipWithLines(1, periodBegin);
    const int later = payslipWithLines(2, periodBegin.addDays(5));
    const int twinA = payslipWithLines(3, periodBegin);
    const int twinB = payslipWithLines(3, periodBegin);
    form.optTempSaveEmployee->click();
    form.cmdSelect->click();
    form.cmdDelete->click();

    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("هشدار: آيا براي حذف گروهي مطمئن هستيد؟"),
                                             QStringLiteral("موفقيت: تعداد 3 فيش حقوقي حذف شد.")}));
    for (int payslip : {first, twinA, twinB}) {
        EXPECT_EQ(payslips(QStringLiteral("ID = %1").arg(payslip)), 0);
        EXPECT_EQ(linesOf(payslip), 0) << payslip;
    }
    EXPECT_EQ(payslips(QStringLiteral("ID = %1").arg(later)), 1);
    EXPECT_EQ(linesOf(later), 3);
    EXPECT_EQ(keys(), QStringList({QStringLiteral("k2")}));
}

TEST_F(PayslipBatchTest, DeleteFailingInsideOneEmployeeLeavesThatPayslipWhole)
{
    const int done = payslipWithLines(1, periodBegin);
    const int failing = payslipWithLines(2, periodBegin);
    const int untouched = payslipWithLines(3, periodBegin);
    db.exec(QStringLiteral("CREATE TRIGGER keepFund BEFORE DELETE ON tblHRMonthlyPaiedBox WHEN OLD.MonthlySalaryID = %1 "
                           "BEGIN SELECT RAISE(ABORT, 'fund instalment is locked'); END")
                .arg(failing));
    form.optTempSaveEmployee->click();
    form.cmdSelect->click();
    form.cmdDelete->click();

    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("هشدار: آيا براي حذف گروهي مطمئن هستيد؟")}));
    EXPECT_EQ(payslips(QStringLiteral("ID = %1").arg(done)), 0);
    EXPECT_EQ(linesOf(done), 0);
    EXPECT_EQ(payslips(QStringLiteral("ID = %1").arg(failing)), 1);
    EXPECT_EQ(linesOf(failing), 3);
    EXPECT_EQ(payslips(QStringLiteral("ID = %1").arg(untouched)), 1);
    EXPECT_EQ(linesOf(untouched), 3);
    EXPECT_EQ(form.lblProgress->text(), QStringLiteral("2: ") + label(1));
    EXPECT_EQ(form.employees().rowCount(), 3);
    EXPECT_TRUE(form.isEnabled());
}

TEST_F(PayslipBatchTest, DeleteAnsweredNoRunsNoStatement)
{
    const int payslip = payslipWithLines(1, periodBegin);
    form.optTempSaveEmployee->click();
    form.cmdSelect->click();
    messages.answerWith(0);
    form.cmdDelete->click();
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("هشدار: آيا براي حذف گروهي مطمئن هستيد؟")}));
    EXPECT_EQ(payslips(QStringLiteral("ID = %1").arg(payslip)), 1);
    EXPECT_EQ(linesOf(payslip), 3);
}

} // namespace
