#include "platform/embedded/EmbeddedProcedures.h"
#include "tests/embedded/PayrollMonthFixture.h"
#include "tests/support/TestKit.h"
#include "tests/support/TestServer.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"
#include "platform/embedded/DatabaseAdministration.h"

#include <barrier>
#include <chrono>
#include <latch>
#include <thread>

namespace oruhr::test {
namespace {

using Lines = QMap<int, qint64>;

using EmbeddedProcedures = PayrollMonthFixture;

// The procedures on the embedded database and on PostgreSQL.
class ProcedureCalls : public PayrollMonthFixture, public ::testing::WithParamInterface<Backend> {
protected:
    ProcedureCalls()
        : PayrollMonthFixture(GetParam())
    {
    }
};

TEST_P(ProcedureCalls, CreateUsesOnlyTheFinalDocumentsOfThePeriod)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 120'000'000}});
    const int ordinance = db.scalar("SELECT max(ID) FROM tblHROrdinance").toInt();
    const int draftOrdinance = db.addOrdinance(ali, begin.addDays(10), end, false);
    db.exec("INSERT INTO tblHROrdinanceDetail VALUES (?, ?, 999000000)", {draftOrdinance, Base});
    enter(ali, Mission, 2);
    enter(ali, Overtime, 50, QDate(2025, 1, 1), QDate(2025, 1, 31)); // another month's
    const int bonus = db.addDocument("tblHRExceptionBatch", true, begin, end),
              draftBonus = db.addDocument("tblHRExceptionBatch", false, begin, end);
    db.exec("INSERT INTO tblHRExceptionBatchDetail VALUES (?, ?, 1020, 5000000), (?, ?, 1020, 7)",
            {bonus, ali, draftBonus, ali});
    const int draftLoan = db.addDocument("tblHRLoan", false, begin, end), oldFund = db.addDocument("tblHRBox", true, QDate(2024, 1, 1),
                                                                                           begin.addDays(-1));
    db.exec("INSERT INTO tblHRLoanDetail VALUES (?, ?, 900, 90)", {draftLoan, ali});
    db.exec("INSERT INTO tblHRBoxDetail VALUES (?, ?, 70)", {oldFund, ali});
    const int reza = db.addEmployee("9", "رضا", "کريمي");
    db.addOrdinance(reza, begin, end, false);

    EXPECT_EQ(create(reza), 0); // no final ordinance
    EXPECT_THROW(env.spHRCreateMonthlySalary(1, end, begin, ali), ComponentError);
    EXPECT_EQ(db.count("tblHRMonthlySalary"), 0);

    const int id = env.spHRCreateMonthlySalary(-2, begin, end, ali);
    ASSERT_GT(id, 0);
    EXPECT_EQ(db.count("tblHRMonthlySalary", QString("ID = %1 AND EmployeeID = %2 AND OrdinanceID = %3 AND Code IS NULL "
                                                 "AND FarsiBeginDate = '1404/06/01' AND FarsiEndDate = '1404/06/31' AND "
                                                 "CreatorID = -2").arg(id).arg(ali).arg(ordinance)),
              1);
    // 2 × 120,000,000 / 30; insurable 125,000,000.
    EXPECT_EQ(db.linesOf(id), (Lines{{Base, 120'000'000}, {Mission, 8'000'000}, {1020, 5'000'000}, {Insurance, 8'750'000},
                                {EmployerInsurance, 28'750'000}}));
    EXPECT_TRUE(db.paidLoansOf(id).isEmpty());
    EXPECT_TRUE(db.paidFundsOf(id).isEmpty());
}

TEST_P(ProcedureCalls, OnePayslipPerPeriodNumberedOnceWhenFinalized)
{
    const int sara = db.addEmployee("8", "سارا", "کريمي");
    db.exec("INSERT INTO tblHRMonthlySalary (EmployeeID, Code, BeginDate, EndDate) VALUES (?, '41', '2025-08-23', "
            "'2025-09-22'), (?, 'A-99', '2023-01-01', '2023-01-31')", {sara, sara});
    const int ali = hire(QDate(2024, 3, 20), {{Base, 150'000'000}});
    const QString alis = QString("EmployeeID = %1").arg(ali);
    EXPECT_EQ(finalize(ali), 0);

    const int id = create(ali);
    ASSERT_GT(id, 0);
    EXPECT_EQ(create(ali), 0);
    EXPECT_THROW(env.spHRCreateMonthlySalary(1, end, end.addDays(30), ali), ComponentError); // past the month
    EXPECT_EQ(db.count("tblHRMonthlySalary", alis), 1);

    EXPECT_EQ(finalize(ali), id);
    EXPECT_EQ(finalize(ali), 0);
    EXPECT_EQ(db.scalar("SELECT Code FROM tblHRMonthlySalary WHERE ID = ?", {id}).toString(), "42");
    // Its lines stay, whoever deletes them.
    QSqlQuery deletion(db.sql());
    EXPECT_FALSE(deletion.exec(QString("DELETE FROM tblHRMonthlySalaryDetail WHERE MonthlySalaryID = %1").arg(id)));
    EXPECT_TRUE(deletion.lastError().text().contains("فيش حقوقي قطعي است")) << deletion.lastError().text().toStdString();
    EXPECT_GT(db.count("tblHRMonthlySalaryDetail", QString("MonthlySalaryID = %1").arg(id)), 0);
    // A final payslip is not recalculated, and blocks a new one; the day after the period is free.
    db.exec("UPDATE tblHROrdinanceDetail SET Amount = 190000000");
    EXPECT_EQ(recalculate(ali), 0);
    EXPECT_EQ(db.linesOf(id)[Base], 150'000'000);
    EXPECT_EQ(create(ali), 0);
    EXPECT_GT(env.spHRCreateMonthlySalary(1, end.addDays(1), end.addDays(30), ali), 0);
}

TEST_P(ProcedureCalls, AccountDocTakesTheListedEmployeesUnpostedFinalPayslipsOfTheMonth)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 150'000'000}}), sara = hire(QDate(2024, 3, 20), {{Base, 160'000'000}}),
              reza = hire(QDate(2024, 3, 20), {{Base, 170'000'000}});
    for (int employee : {ali, sara}) {
        create(employee);
        finalize(employee);
    }
    create(reza); // temporary, not posted
    const QString id = QString::number(ali), all = QString(" %1 , %2,%3,").arg(sara).arg(ali).arg(reza);

    EXPECT_EQ(env.spHRAccountDocSave(1, begin.addDays(-1), all), 0); // a day of the month before
    EXPECT_EQ(post(QString("%1, 99999").arg(reza)), 0);
    EXPECT_EQ(post(QString()), 0);
    for (const QString &bad : {id + ";7", id + ",abc", QString("۱۲"), "-" + id})
        EXPECT_THROW(post(bad), ComponentError) << bad.toStdString();
    EXPECT_THROW(post(all.leftJustified(8001, ' ')), ComponentError);
    EXPECT_EQ(db.count("tblAccountDocument"), 0);

    db.exec("INSERT INTO tblAccountDocument (Code, DocumentDate) VALUES ('5', '2024-01-01'), ('X7', '2024-01-01')");
    const int document = env.spHRAccountDocSave(-2, end, all.leftJustified(8000, ' '));
    ASSERT_GT(document, 0);
    EXPECT_EQ(post(all), 0);
    EXPECT_EQ(db.count("tblAccountDocument", QString("ID = %1 AND Code = '6' AND DocumentDate = '2025-09-22' AND "
                                                     "CreatorID = -2 AND Description LIKE '%فيش%حقوق%1404/06'")
                                                 .arg(document)),
              1);
    // Every line of the payroll form on the period's last day, where the accounting lookup finds it.
    EXPECT_EQ(db.count("tblAccountDocumentDetail", QString("DocumentID = %1 AND (FormTypeID <> 1402 OR "
                                                           "TransactionDate <> '2025-09-22')").arg(document)),
              0);
    EXPECT_EQ(db.scalar("SELECT Debit FROM tblAccountDocumentDetail WHERE Description = 'هزينه حقوق پايه'").toLongLong(), 310'000'000);
    EXPECT_EQ(db.count("tblHRMonthlySalaryPosting", "MonthlySalaryID IN (SELECT ID FROM tblHRMonthlySalary WHERE Code "
                                                    "IS NULL)"),
              0);
}

// A write the database refuses leaves nothing of the call, and the session goes on.
TEST_P(ProcedureCalls, ARefusedWriteLeavesNothingAndTheNextCallGoesOn)
{
    const int rich = hire(QDate(2024, 3, 20), {{Base, 950'000'000}}), ali = hire(QDate(2024, 3, 20), {{Base, 150'000'000}});
    db.exec(GetParam() == Backend::PostgreSQL
                ? "ALTER TABLE tblHRMonthlySalaryDetail ADD CONSTRAINT refused CHECK (Amount < 900000000)"
                : "CREATE TRIGGER refused BEFORE INSERT ON tblHRMonthlySalaryDetail WHEN NEW.Amount >= 900000000 "
                  "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(create(rich), ComponentError);
    EXPECT_EQ(db.count("tblHRMonthlySalary"), 0);
    const int payslip = create(ali);
    EXPECT_GT(payslip, 0);
    EXPECT_EQ(recalculate(ali), 1);
    EXPECT_EQ(finalize(ali), payslip);
    EXPECT_EQ(db.count("tblHRMonthlySalary", "Code IS NOT NULL"), 1);
}

// A session keeps the rules it read until they change; another clerk's change then prices the
// next payslip, and a recalculation gives the earlier one the same.
TEST_P(ProcedureCalls, ARuleChangedBetweenTwoCallsPricesTheNext)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 400'000'000}}), sara = hire(QDate(2024, 3, 20), {{Base, 400'000'000}});
    const int before = create(ali);
    db.exec("UPDATE tblHRTaxBracket SET Rate = Rate + 500 WHERE Rate > 0");
    const int after = create(sara);
    EXPECT_GT(db.linesOf(after)[Tax], db.linesOf(before)[Tax]);
    EXPECT_EQ(recalculate(ali), 1);
    EXPECT_EQ(db.linesOf(before), db.linesOf(after));
}

INSTANTIATE_TEST_SUITE_P(Backends, ProcedureCalls, ::testing::Values(Backend::Embedded, Backend::PostgreSQL),
                         backendName);

TEST_F(EmbeddedProcedures, FailureHalfWayLeavesNothingOfTheCall)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 150'000'000}});
    create(ali);
    finalize(ali);
    db.exec("CREATE TRIGGER noCredit BEFORE INSERT ON tblAccountDocumentDetail WHEN NEW.Credit > 0 "
            "BEGIN SELECT RAISE(ABORT, 'credit refused'); END");
    EXPECT_THROW(post(QString::number(ali)), ComponentError);
    EXPECT_EQ(db.count("tblAccountDocument"), 0);
    EXPECT_EQ(db.count("tblAccountDocumentDetail"), 0);
}

TEST_F(EmbeddedProcedures, WaitsForAnotherClerksWriteInsteadOfFailing)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 150'000'000}});
    std::latch writing(1);
    std::jthread clerk([&] {
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other-clerk");
            other.setDatabaseName(db.file());
            other.open();
            QSqlQuery(other).exec("BEGIN IMMEDIATE");
            writing.count_down();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            QSqlQuery(other).exec("COMMIT");
        }
        QSqlDatabase::removeDatabase("other-clerk");
    });
    writing.wait();

    EXPECT_GT(create(ali), 0);
}

// A payroll month of its own on the backend given, outside gtest's fixtures.
struct Month : PayrollMonthFixture {
    using PayrollMonthFixture::PayrollMonthFixture;
    void TestBody() override {}
};

TEST(ServerProcedures, TheSameInputsGiveTheSamePayslipToTheRialOnBothDatabases)
{
    QList<QMap<int, qint64>> payslips;
    for (const Backend backend : {Backend::Embedded, Backend::PostgreSQL}) {
        Month month(backend);
        const int ali = month.hire(QDate(2024, 3, 20), {{Month::Base, 387'654'321}, {Month::Housing, 9'000'001},
                                                        {Month::ChildAllowance, 3'333'333}});
        month.enter(ali, Month::Overtime, 17);
        month.enter(ali, Month::Absence, 2);
        month.db.addLoan(ali, 50'000'000, 4'166'667);
        month.db.addFund(ali, 1'250'000);
        const int id = month.create(ali);
        ASSERT_GT(id, 0);
        payslips << month.db.linesOf(id);
        payslips.last().insert(-1, month.db.paidLoansOf(id).value(month.db.scalar("SELECT max(ID) FROM tblHRLoan").toInt()));
    }
    EXPECT_EQ(payslips[0], payslips[1]);
    EXPECT_TRUE(payslips[0].contains(Month::Tax));
}

// The server logs each message it gets under the session's process number: a statement of
// Qt's, or a write sent through libpq together with its COMMIT, which the client awaits once.
// A new or recalculated payslip takes two round trips: the lock and the read with the BEGIN,
// then the write with the COMMIT; a finalisation three.
TEST(ServerProcedures, EachEmployeeCallIsOneTransactionOfAtMostFourRoundTrips)
{
    Month month(Backend::PostgreSQL);
    QList<int> staff;
    for (int i = 0; i < 4; ++i) {
        staff << month.hire(QDate(2024, 3, 20), {{Month::Base, 300'000'000 + i}});
        month.db.addLoan(staff.last(), 50'000'000, 4'000'000);
        month.db.addFund(staff.last(), 1'000'000);
    }
    const auto everyStep = [&](int employee) {
        EXPECT_GT(month.create(employee), 0);
        EXPECT_EQ(month.recalculate(employee), 1);
        EXPECT_GT(month.finalize(employee), 0);
    };
    everyStep(staff.takeFirst()); // the session prepares its statements and reads the rules
    db::StatementCache &session = month.env.connection().statements();
    session.execute("SET log_statement = 'all'");
    const QString process = session.scalar("SELECT pg_backend_pid()").toString();
    QFile log(TestServer::socketFolder() + "/server.log");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    log.seek(log.size());
    for (const int employee : staff)
        everyStep(employee);
    const QStringList messages = QString::fromUtf8(log.readAll()).split('\n').filter(QString("[%1] LOG:").arg(process));
    const QStringList awaited = messages.filter(QRegularExpression("LOG:  (statement:|execute oruhr_)"));
    EXPECT_EQ(awaited.size(), (2 + 2 + 3) * staff.size()) << messages.join('\n').toStdString();
    EXPECT_EQ(month.db.count("tblHRMonthlyPaiedLoan"), 4);
}

// A login that may not make temporary objects reads the month in a round trip of its own.
TEST(ServerProcedures, ALoginWithoutTemporaryObjectsStillMakesPayslips)
{
    Month month(Backend::PostgreSQL);
    const int ali = month.hire(QDate(2024, 3, 20), {{Month::Base, 300'000'000}});
    const QString login = "notemp_" + QUuid::createUuid().toString(QUuid::Id128).left(12);
    month.db.exec(QString("CREATE ROLE %1 LOGIN").arg(login));
    {
        db::Connection owner;
        owner.setConnectionString(month.db.connectionString());
        embedded::DatabaseAdministration(owner).grant(login);
    }
    month.db.exec(QString("REVOKE TEMPORARY ON DATABASE %1 FROM PUBLIC, %2").arg(month.db.sql().databaseName(), login));
    TestSession clerk;
    clerk.connectTo(month.db.connectionString().replace("User ID=postgres", "User ID=" + login));
    const int id = clerk.dtEn().spHRCreateMonthlySalary(1, month.begin, month.end, ali);
    ASSERT_GT(id, 0);
    EXPECT_EQ(clerk.dtEn().spHRRecalculateMonthlySalary(1, month.begin, month.end, ali), 1);
    EXPECT_EQ(month.db.linesOf(id)[Month::Base], 300'000'000);
}

TEST(ServerProcedures, TwoClerksOnTheSameThousandEmployeesMakeEachPayslipNumberAndPostingOnce)
{
    Month month(Backend::PostgreSQL);
    QList<int> staff;
    QStringList everyone;
    for (int i = 0; i < 1000; ++i) {
        staff << month.hire(QDate(2024, 3, 20), {{Month::Base, 100'000'000 + i}});
        everyone << QString::number(staff.last());
    }
    struct {
        int created = 0, finalized = 0, document = 0;
        QString failure;
    } results[2];
    std::barrier together(2);
    // A clerk: a connection of its own on a thread of its own, pressing the same buttons for the
    // same employees as the other clerk at the same moments; both post everyone at the end.
    const auto clerk = [&](auto &result) {
        db::Connection connection;
        connection.setConnectionString(month.db.connectionString());
        const embedded::EmbeddedProcedures procedures;
        const auto each = [&](const QString &procedure) {
            together.arrive_and_wait();
            int done = 0;
            for (const int employee : staff)
                done += procedures.call(connection, procedure, {1, month.begin, month.end, employee}) != 0 ? 1 : 0;
            return done;
        };
        try {
            result.created = each(QStringLiteral("spHRCreateMonthlySalary"));
            result.finalized = each(QStringLiteral("spHRFinalizedMonthlySalary"));
            together.arrive_and_wait();
            result.document = procedures.call(connection, QStringLiteral("spHRAccountDocSave"), {1, month.end, everyone.join(',')});
        } catch (const ComponentError &error) {
            result.failure = error.description();
            together.arrive_and_drop(); // the other clerk must not wait for this one
        }
    };
    {
        std::jthread a([&] { clerk(results[0]); }), b([&] { clerk(results[1]); });
    }
    for (const auto &result : results)
        EXPECT_EQ(result.failure, QString());
    EXPECT_EQ(results[0].created + results[1].created, 1000);
    EXPECT_EQ(results[0].finalized + results[1].finalized, 1000);
    EXPECT_TRUE((results[0].document > 0) != (results[1].document > 0));

    TestDatabase &db = month.db;
    EXPECT_EQ(db.scalar("SELECT count(DISTINCT EmployeeID) || ',' || count(DISTINCT Code) || ',' || count(*) "
                        "FROM tblHRMonthlySalary").toString(), "1000,1000,1000");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM (SELECT MonthlySalaryID FROM tblHRMonthlySalaryDetail "
                        "GROUP BY MonthlySalaryID HAVING count(*) = 3) x")
                  .toInt(),
              1000);
    // Each payslip in exactly one document, which balances.
    EXPECT_EQ(db.scalar("SELECT count(*) FROM (SELECT p.MonthlySalaryID FROM tblHRMonthlySalaryPosting p JOIN "
                        "tblAccountDocumentDetail d ON d.ID = p.AccountDocumentDetailID GROUP BY p.MonthlySalaryID "
                        "HAVING count(DISTINCT d.DocumentID) = 1) x")
                  .toInt(),
              1000);
    EXPECT_EQ(db.count("tblAccountDocument"), 1);
    EXPECT_EQ(db.scalar("SELECT sum(Debit) - sum(Credit) FROM tblAccountDocumentDetail").toLongLong(), 0);
}

} // namespace
} // namespace oruhr::test
