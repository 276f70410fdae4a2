#include "tests/gui/WindowTestKit.h"
#include "tests/support/RecordingProcedures.h"
#include "tests/support/TestServer.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"

#include <chrono>
#include <latch>
#include <thread>

using namespace oruhr;
using namespace oruhr::test;
using namespace Qt::StringLiterals;

namespace {

const QDate periodBegin(2026, 11, 22);
const QDate periodEnd(2026, 12, 21);
const QString create = u"spHRCreateMonthlySalary"_s;
const QString finalize = u"spHRFinalizedMonthlySalary"_s;
const QString accountDocSave = u"spHRAccountDocSave"_s;
const QString deleteQuestion = u"هشدار: آيا براي حذف گروهي مطمئن هستيد؟"_s;

QDate dateOf(const QVariant &value)
{
    return value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
}

// Ten employees with final ordinances over the month 1405/09 and no payslip yet; employee
// IDs 1 to 10 carry the codes 101 to 110, so the list shows them in ID order.
class PayslipBatchTest : public WindowTest<FormMain, TestDatabase> {
protected:
    using WindowTest::WindowTest;

    void SetUp() override
    {
        for (int i = 0; i < 10; ++i)
            db.hire(periodBegin, periodEnd);
        session.ActiveUserID = -3;
        procedures = RecordingProcedures::install(session);
        procedures->observeWith([this] {
            const bool busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            return form.lblProgress->text() + (form.isEnabled() ? u" enabled"_s : QString())
                 + (busy ? QString() : u" idle"_s);
        });
        form.Form_Load();
    }

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

    QStringList keys() const { return columnOf(form.employees(), -1); }

    // Temporary payslips for the first rows through the window itself; the list then shows them.
    void tempSaveFirst(int count)
    {
        for (int row = 0; row < count; ++row)
            form.employees().setChecked(row, true);
        form.cmdTempSave->click();
        form.optTempSaveEmployee->click();
        messages.clear();
    }

    void clearBeginDateQuietly()
    {
        const QSignalBlocker block(form.datBeginDate);
        form.datBeginDate->clear();
    }

    // A temporary payslip with one detail line, one paid loan and one paid fund instalment.
    int payslipWithLines(int employeeId, QDate begin)
    {
        const int payslip = db.addPayslip(employeeId, begin, periodEnd, false);
        db.addPayslipLines(payslip);
        return payslip;
    }

    // The payslip's own row and its three dependent rows that are still there.
    int rowsOf(int payslip)
    {
        const QString where = u"MonthlySalaryID = %1"_s.arg(payslip);
        return payslips(u"ID = %1"_s.arg(payslip)) + db.count(u"tblHRMonthlySalaryDetail"_s, where)
             + db.count(u"tblHRMonthlyPaiedLoan"_s, where) + db.count(u"tblHRMonthlyPaiedBox"_s, where);
    }

    int payslips(const QString &where = u"1=1"_s) { return db.count(u"tblHRMonthlySalary"_s, where); }

    std::shared_ptr<RecordingProcedures> procedures;
};

TEST_F(PayslipBatchTest, TempSaveRunsBusyForTheCheckedRowsOnlyInListOrder)
{
    db.exec(u"UPDATE tblEmployee SET SureName = 'کريمي شهرستاني فراهاني اصفهاني نژاد تبريزي' WHERE ID = 2"_s);
    form.Form_Load();
    const int designedLabelWidth = form.lblProgress->width();
    check({1, 4, 8});
    const QStringList names{label(1), label(4), label(8)};
    EventCounter enabling(&form, QEvent::EnabledChange);
    form.cmdTempSave->click();

    const auto calls = procedures->callsOf(create);
    ASSERT_EQ(calls.size(), 3);
    // The label counts the names in list order, while the window is disabled and busy.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(calls[i].observed, QString::number(i + 1) + u": "_s + names[i]);
    EXPECT_EQ(enabling.count, 2);
    EXPECT_EQ(calls[0].inputs[0].toInt(), -3);
    EXPECT_NE(calls[0].inputs[1].typeId(), QMetaType::QString);
    EXPECT_EQ(dateOf(calls[0].inputs[1]), periodBegin);
    EXPECT_EQ(dateOf(calls[0].inputs[2]), periodEnd);
    EXPECT_EQ(calls[0].inputs[3].toInt(), 2);
    EXPECT_EQ(calls[2].inputs[3].toInt(), 9);

    EXPECT_EQ(messages.texts(), QStringList({u"موفقيت: تعداد 3 فيش حقوقي ثبت موقت شد."_s}));
    EXPECT_EQ(payslips(u"Code IS NULL AND EmployeeID IN (2, 5, 9)"_s), 3);
    EXPECT_EQ(payslips(), 3);
    // Rebuilt: the three have a payslip now and leave the list of those without one.
    EXPECT_EQ(form.employees().rowCount(), 7);
    EXPECT_FALSE(keys().contains(u"k5"_s));
    EXPECT_TRUE(form.pgb->isHidden());
    EXPECT_TRUE(form.lblProgress->isHidden());
    EXPECT_EQ(form.lblProgress->width(), designedLabelWidth); // back in its place after a long name
    expectIdle(form);
}

TEST_F(PayslipBatchTest, FailureAtTheThirdEmployeeStopsThereAndLeavesTheProgressOnIt)
{
    db.exec(QStringLiteral("CREATE TRIGGER failFor5 BEFORE INSERT ON tblHRMonthlySalary WHEN NEW.EmployeeID = 5 "
                           "BEGIN SELECT RAISE(ABORT, 'no payslip for 5'); END"));
    check({0, 2, 4, 6, 8});
    const QString third = label(4);
    form.cmdTempSave->click();

    EXPECT_EQ(procedures->callsOf(create).size(), 3);
    EXPECT_EQ(payslips(u"EmployeeID IN (1, 3)"_s), 2);
    EXPECT_EQ(payslips(), 2);
    EXPECT_TRUE(messages.shown().isEmpty());
    expectIdle(form);
    EXPECT_FALSE(form.pgb->isHidden());
    EXPECT_EQ(form.pgb->value(), 3);
    EXPECT_EQ(form.pgb->maximum(), 5);
    EXPECT_EQ(form.lblProgress->text(), u"3: "_s + third);
    // Not rebuilt: the rows and their checks are as they were.
    EXPECT_EQ(form.employees().rowCount(), 10);
    EXPECT_EQ(form.employees().checkedCount(), 5);
}

class PayslipBatchOnServer : public PayslipBatchTest {
protected:
    PayslipBatchOnServer()
        : PayslipBatchTest(Backend::PostgreSQL)
    {
    }
};

TEST_F(PayslipBatchOnServer, ServerLostMidEmployeeLeavesItUndoneAndTheNextPressGoesOnWithTheRest)
{
    // The third employee's call holds its new payslip uncommitted while the server dies.
    db.exec(u"CREATE FUNCTION linger() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN PERFORM pg_sleep(4); "
            "RETURN NEW; END $$"_s);
    db.exec(u"CREATE TRIGGER lingerFor5 AFTER INSERT ON tblHRMonthlySalary FOR EACH ROW WHEN (NEW.EmployeeID = 5) "
            "EXECUTE FUNCTION linger()"_s);
    std::thread stopping;
    procedures->observeWith([&] {
        if (procedures->calls().size() == 2)
            stopping = std::thread([] {
                std::this_thread::sleep_for(std::chrono::seconds(1));
                TestServer::control(u"stop -m immediate"_s);
            });
        return QString();
    });
    check({0, 2, 4, 6, 8});
    const QString third = label(4);
    form.cmdTempSave->click();
    stopping.join();

    EXPECT_EQ(procedures->callsOf(create).size(), 3);
    EXPECT_TRUE(messages.shown().isEmpty());
    expectIdle(form);
    EXPECT_EQ(form.lblProgress->text(), u"3: "_s + third);
    EXPECT_EQ(form.employees().checkedCount(), 5);

    TestServer::control(u"start"_s);
    db.reconnect();
    EXPECT_EQ(payslips(u"EmployeeID IN (1, 3)"_s), 2);
    EXPECT_EQ(payslips(), 2);
    EXPECT_EQ(db.count(u"tblHRMonthlySalaryDetail"_s, u"MonthlySalaryID NOT IN (SELECT ID FROM tblHRMonthlySalary)"_s), 0);

    db.exec(u"DROP TRIGGER lingerFor5 ON tblHRMonthlySalary"_s);
    form.cmdTempSave->click();
    EXPECT_EQ(messages.texts(), QStringList({u"موفقيت: تعداد 5 فيش حقوقي ثبت موقت شد."_s}));
    EXPECT_EQ(payslips(u"EmployeeID IN (1, 3, 5, 7, 9)"_s), 5);
    EXPECT_EQ(payslips(), 5);
    expectIdle(form);
}

TEST_F(PayslipBatchTest, MonthRunsFromTemporaryToFinalAndBack)
{
    tempSaveFirst(3);
    ASSERT_EQ(keys(), QStringList({"k1", "k2", "k3"}));
    check({0, 1, 2});
    form.cmdCalc->click();
    EXPECT_EQ(messages.texts(), QStringList({u"موفقيت: تعداد 3 فيش حقوقي محاسبه مجدد شد."_s}));
    EXPECT_EQ(form.employees().rowCount(), 3); // recalculated, still temporary

    messages.clear();
    check({0, 2});
    form.cmdFinalize->click();
    const auto documentCalls = procedures->callsOf(accountDocSave);
    ASSERT_EQ(documentCalls.size(), 1);
    EXPECT_EQ(documentCalls[0].inputs[2].toString(), u"1,3"_s);
    EXPECT_EQ(dateOf(documentCalls[0].inputs[1]), periodEnd);
    const int document = db.scalar(u"SELECT max(ID) FROM tblAccountDocument"_s).toInt();
    EXPECT_EQ(messages.texts(), QStringList({u"موفقيت: تعداد 2 فيش حقوقي ثبت قطعي شد."_s,
                                             u"موفقيت: سند حسابداري با شماره رايانه اي ("_s
                                                 + QString::number(document) + u") ايجاد شد."_s}));
    EXPECT_EQ(keys(), QStringList({"k2"}));
    EXPECT_EQ(payslips(u"Code IS NOT NULL"_s), 2);

    // Answered no: nothing called, the window never disabled, the begin date not even examined.
    form.optFinalSaveEmployee->click();
    check({0, 1});
    messages.clear();
    clearBeginDateQuietly();
    const int callsBefore = procedures->calls().size();
    EventCounter enabling(&form, QEvent::EnabledChange);
    messages.answerWith(0);
    form.cmdBackToTemp->click();
    EXPECT_EQ(messages.texts(), QStringList({u"هشدار: "_s + MessageText::ConfirmBackToTemp}));
    EXPECT_EQ(procedures->calls().size(), callsBefore);
    EXPECT_EQ(enabling.count, 0);

    form.Form_Load();
    form.optFinalSaveEmployee->click();
    check({0, 1});
    messages.clear();
    messages.answerWith(6);
    form.cmdBackToTemp->click();
    EXPECT_EQ(messages.texts(), QStringList({u"هشدار: "_s + MessageText::ConfirmBackToTemp,
                                             u"موفقيت: تعداد 2 فيش حقوقي بازگشت داده شد."_s}));
    EXPECT_EQ(payslips(u"Code IS NOT NULL"_s), 0);
    EXPECT_EQ(form.employees().rowCount(), 0);
    EXPECT_FALSE(form.cmdBackToTemp->isEnabled());
}

TEST_F(PayslipBatchTest, FinalizeIssuesNoDocumentWhenNoneIsDueOrItsCallFails)
{
    tempSaveFirst(5);
    procedures->returnFrom(finalize, 0);
    check({0, 1});
    form.cmdFinalize->click();
    EXPECT_EQ(procedures->callsOf(finalize).size(), 2);
    EXPECT_TRUE(procedures->callsOf(accountDocSave).isEmpty());
    EXPECT_EQ(messages.texts(), QStringList({u"موفقيت: تعداد 2 فيش حقوقي ثبت قطعي شد."_s}));

    procedures->returnFrom(finalize, 1);
    for (qint32 result : {0, -1}) {
        messages.clear();
        procedures->returnFrom(accountDocSave, result);
        form.optTempSaveEmployee->click();
        check({0});
        form.cmdFinalize->click();
        EXPECT_EQ(messages.texts(), QStringList({u"موفقيت: تعداد 1 فيش حقوقي ثبت قطعي شد."_s})) << result;
    }
    // A database that refuses the document: the payslips stay final and nothing more is told.
    db.exec(QStringLiteral("CREATE TRIGGER noDocument BEFORE INSERT ON tblAccountDocument "
                           "BEGIN SELECT RAISE(ABORT, 'closed year'); END"));
    messages.clear();
    check({0});
    form.cmdFinalize->click();
    EXPECT_EQ(messages.texts(), QStringList({u"موفقيت: تعداد 1 فيش حقوقي ثبت قطعي شد."_s}));
    EXPECT_EQ(payslips(u"Code IS NOT NULL"_s), 5);
    EXPECT_EQ(form.employees().rowCount(), 0);
    EXPECT_TRUE(form.isEnabled());
}

TEST_F(PayslipBatchTest, FinalizedIdsReachTheDocumentInListOrder)
{
    db.addEmployee(u"11"_s, u"ليلا"_s, u"نوري"_s);
    const int twelve = db.addEmployee(u"0"_s, u"کاوه"_s, u"صادقي"_s);
    ASSERT_EQ(twelve, 12);
    db.addOrdinance(twelve, periodBegin, periodEnd, true, {11, 21, 31});
    form.optNonMonthlySalaryEmployee->click();
    check({0, 7}); // 12 (code 0) first, then 7
    form.cmdTempSave->click();
    form.optTempSaveEmployee->click();
    ASSERT_EQ(keys(), QStringList({"k12", "k7"}));

    form.cmdSelect->click();
    form.cmdFinalize->click();
    ASSERT_EQ(procedures->callsOf(accountDocSave).size(), 1);
    EXPECT_EQ(procedures->callsOf(accountDocSave)[0].inputs[2].toString(), u"12,7"_s);
}

TEST_F(PayslipBatchTest, DeleteRemovesOnlyTemporaryPayslipsBeginningOnTheFirstDay)
{
    const int first = payslipWithLines(1, periodBegin);
    const int later = payslipWithLines(2, periodBegin.addDays(5));
    const int twinA = payslipWithLines(3, periodBegin);
    const int twinB = payslipWithLines(3, periodBegin);
    form.optTempSaveEmployee->click();
    form.cmdSelect->click();
    messages.answerWith(0);
    form.cmdDelete->click();
    EXPECT_EQ(messages.texts(), QStringList({deleteQuestion}));
    EXPECT_EQ(rowsOf(first), 4);

    messages.clear();
    messages.answerWith(u"?"_s); // only a clear no cancels
    form.cmdDelete->click();
    EXPECT_EQ(messages.texts(), QStringList({deleteQuestion, u"موفقيت: تعداد 3 فيش حقوقي حذف شد."_s}));
    for (int payslip : {first, twinA, twinB})
        EXPECT_EQ(rowsOf(payslip), 0) << payslip;
    EXPECT_EQ(rowsOf(later), 4);
    EXPECT_EQ(keys(), QStringList({"k2"}));
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

    EXPECT_EQ(messages.texts(), QStringList({deleteQuestion}));
    EXPECT_EQ(rowsOf(done), 0);
    EXPECT_EQ(rowsOf(failing), 4);
    EXPECT_EQ(rowsOf(untouched), 4);
    EXPECT_EQ(form.lblProgress->text(), u"2: "_s + label(1));
    EXPECT_EQ(form.employees().rowCount(), 3);
    EXPECT_TRUE(form.isEnabled());
}

// A second clerk finalises the payslip between the delete's check and its statements: the
// delete waits for the number, then leaves the payslip whole.
TEST_F(PayslipBatchOnServer, DeleteMeetingAFinalisationInProgressLeavesThePayslipWhole)
{
    const int payslip = payslipWithLines(1, periodBegin);
    form.optTempSaveEmployee->click();
    form.cmdSelect->click();
    std::latch updated(1);
    std::thread finaliser([payslip, &updated, connection = db.connectionString()] {
        db::Connection other;
        other.setConnectionString(connection);
        db::StatementCache &sql = other.statements();
        sql.database().transaction();
        sql.execute(u"UPDATE tblHRMonthlySalary SET Code = '777' WHERE ID = ?"_s, {payslip});
        updated.count_down();
        for (int wait = 0; wait < 500 && sql.scalar(u"SELECT count(*) FROM pg_locks WHERE NOT granted"_s).toInt() == 0;
             ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        sql.database().commit();
    });
    updated.wait();
    form.cmdDelete->click();
    finaliser.join();

    EXPECT_EQ(rowsOf(payslip), 4);
    EXPECT_EQ(db.scalar(u"SELECT Code FROM tblHRMonthlySalary WHERE ID = ?"_s, {payslip}).toString(), u"777"_s);
    EXPECT_EQ(messages.texts(), QStringList({deleteQuestion}));
}

} // namespace

namespace {

// Every payslip line and paid instalment of the database, in one text.
QString payslipMoney(TestDatabase &db)
{
    return db.scalar(u"SELECT group_concat(x, ' ') FROM (SELECT 'd' || MonthlySalaryID || ':' || FunctionID || '=' || "
                     "Amount AS x FROM tblHRMonthlySalaryDetail UNION ALL SELECT 'l' || MonthlySalaryID || ':' || "
                     "LoanID || '=' || Amount FROM tblHRMonthlyPaiedLoan UNION ALL SELECT 'f' || MonthlySalaryID || "
                     "':' || BoxID || '=' || Amount FROM tblHRMonthlyPaiedBox ORDER BY 1)"_s)
        .toString();
}

} // namespace

TEST(SeededPayroll, RecalculatingTheDemoMonthThroughTheWindowChangesNoPayslip)
{
    TestDatabase db;
    db.seedDemo({120, QDate(2026, 11, 25), 7, {}});
    db.exec(u"UPDATE tblHRMonthlySalary SET CalculateDate = '2000-01-01'"_s);
    const QString before = payslipMoney(db);
    TestSession session;
    session.connectTo(db.connectionString());
    ScriptedMessages messages{session.components()};
    FormMain form{session};
    form.Form_Load();
    form.optTempSaveEmployee->click();
    form.cmdSelect->click();
    ASSERT_GT(form.employees().checkedCount(), 20);

    form.cmdCalc->click();

    EXPECT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(db.count(u"tblHRMonthlySalary"_s, u"Code IS NULL AND CalculateDate = '2000-01-01'"_s), 0);
    EXPECT_EQ(payslipMoney(db), before);
}

TEST_F(PayslipBatchTest, ClicksMadeDuringAFailedRunAreNotReplayedAfterIt)
{
    db.exec(QStringLiteral("CREATE TRIGGER failFor2 BEFORE INSERT ON tblHRMonthlySalary WHEN NEW.EmployeeID = 2 "
                           "BEGIN SELECT RAISE(ABORT, 'no payslip for 2'); END"));
    check({0, 1});
    procedures->observeWith([this] {
        // A click of the same button while the run goes on, waiting in the queue.
        const QPointF at = QRectF(form.cmdTempSave->rect()).center();
        const QPointF global = form.cmdTempSave->mapToGlobal(at);
        QCoreApplication::postEvent(form.cmdTempSave, new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(form.cmdTempSave, new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        return QString();
    });
    form.cmdTempSave->click();
    QApplication::processEvents();
    EXPECT_EQ(procedures->callsOf(create).size(), 2);
    expectIdle(form);
}
