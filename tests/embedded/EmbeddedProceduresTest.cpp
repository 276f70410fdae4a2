#include "platform/automation/ComponentError.h"
#include "shell/DtEn.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <chrono>
#include <latch>
#include <thread>

namespace oruhr {
namespace {

using test::TestDatabase;

// Azar 1403: 1403/09/01 to 1403/09/30, thirty days.
const QDate monthBegin(2024, 11, 21);
const QDate monthEnd(2024, 12, 20);
const QDate longAgo(2024, 1, 1);
const QDate farAhead(2025, 12, 31);

// Every case runs on the embedded provider and through the SQLite ODBC driver.
class EmbeddedProcedures : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (GetParam() && !QSqlDatabase::isDriverAvailable("QODBC"))
            GTEST_SKIP() << "Qt's ODBC driver is not installed";
        env.connection().setConnectionString(GetParam() ? db.odbcConnectionString() : db.connectionString());
    }

    int employee(const QString &name) { return db.addEmployee(name, name, "کريمي"); }

    int ordinance(int employee, QDate begin, QDate end, bool final, QList<std::pair<int, qint64>> items)
    {
        const int id = db.addOrdinance(employee, begin, end, final);
        for (const auto &[function, amount] : items)
            db.exec("INSERT INTO tblHROrdinanceDetail VALUES (?, ?, ?)", {id, function, amount});
        return id;
    }

    // A loan, fund or group adjustment document.
    int document(const QString &table, bool final, QDate begin = monthBegin, QDate end = monthEnd)
    {
        db.exec(QString("INSERT INTO %1 (Code, BeginDate, EndDate) VALUES (?, ?, ?)").arg(table),
                {final ? QVariant("1") : QVariant(), TestDatabase::iso(begin), TestDatabase::iso(end)});
        return db.scalar("SELECT max(ID) FROM " + table).toInt();
    }

    int create(int employee) { return env.spHRCreateMonthlySalary(1, monthBegin, monthEnd, employee); }
    int recalculate(int employee) { return env.spHRRecalculateMonthlySalary(1, monthBegin, monthEnd, employee); }
    int finalize(int employee) { return env.spHRFinalizedMonthlySalary(1, monthBegin, monthEnd, employee); }
    int backToTemp(int employee) { return env.spHRBackToTempMonthlySalary(1, monthBegin, monthEnd, employee); }
    int post(const QString &employees, QDate date = monthEnd) { return env.spHRAccountDocSave(1, date, employees); }

    // An employee with a one-item ordinance, paid through a final payslip of the month.
    int paidEmployee(const QString &name, qint64 amount)
    {
        const int id = employee(name);
        ordinance(id, longAgo, farAhead, true, {{1, amount}});
        EXPECT_GT(create(id), 0);
        EXPECT_GT(finalize(id), 0);
        return id;
    }

    // "key=amount ..." of a payslip's detail lines (by function) or paid instalments (by loan or fund).
    QString lines(int payslip, const QString &table = "tblHRMonthlySalaryDetail", const QString &key = "FunctionID")
    {
        return db.scalar(QString("SELECT group_concat(x, ' ') FROM (SELECT %1 || '=' || Amount AS x FROM %2 "
                                 "WHERE MonthlySalaryID = ? ORDER BY %1)").arg(key, table), {payslip}).toString();
    }

    qint64 posted(int employee, const QString &column)
    {
        return db.scalar(QString("SELECT sum(%1) FROM tblAccountDocumentDetail WHERE EmployeeID = ? "
                                 "AND FormTypeID = 1402 AND TransactionDate = '2024-12-20'").arg(column), {employee})
            .toLongLong();
    }

    TestDatabase db;
    DtEn env;
};

TEST_P(EmbeddedProcedures, CreateTakesTheLatestFinalOrdinanceAndFinalDocumentsOfThePeriod)
{
    const int ali = employee("Ali"), sara = employee("Sara"), reza = employee("Reza");
    const int ord = ordinance(ali, longAgo, farAhead, true, {{1, 30000000}, {2, 3000000}});
    // Sara's latest final ordinance covers 20 of the 30 days; Reza has a draft and one that ended before.
    ordinance(sara, longAgo, QDate(2024, 11, 30), true, {{1, 900}});
    const int latest = ordinance(sara, QDate(2024, 12, 1), farAhead, true, {{1, 1000}});
    ordinance(sara, QDate(2024, 12, 10), farAhead, false, {{1, 5000}});
    ordinance(reza, monthBegin, monthEnd, false, {{1, 1000}});
    ordinance(reza, longAgo, monthBegin.addDays(-1), true, {{1, 1000}});
    db.exec("INSERT INTO tblHRRunTimeBatch (ID, BeginDate, EndDate) VALUES (1, '2024-12-01', '2024-12-31'), "
            "(2, '2024-01-01', '2024-01-31')");
    db.exec("INSERT INTO tblHRRunTimeBatchDetail VALUES (1, ?, 50, 1234567), (1, ?, 51, NULL), (2, ?, 52, 9), "
            "(1, ?, 53, 8)", {ali, ali, ali, sara});
    const int adjustment = document("tblHRExceptionBatch", true), draft = document("tblHRExceptionBatch", false);
    db.exec("INSERT INTO tblHRExceptionBatchDetail VALUES (?, ?, 60, 500000), (?, ?, 61, 7), (?, ?, 62, 8)",
            {adjustment, ali, draft, ali, adjustment, sara});
    const int loan = document("tblHRLoan", true), draftLoan = document("tblHRLoan", false);
    db.exec("INSERT INTO tblHRLoanDetail VALUES (?, ?, 20000000, 2000000), (?, ?, 900, 90)", {loan, ali, draftLoan, ali});
    const int box = document("tblHRBox", true), oldBox = document("tblHRBox", true, longAgo, monthBegin.addDays(-1));
    db.exec("INSERT INTO tblHRBoxDetail VALUES (?, ?, 150000), (?, ?, 70)", {box, ali, oldBox, ali});

    EXPECT_EQ(create(reza), 0);
    EXPECT_THROW(env.spHRCreateMonthlySalary(1, monthEnd, monthBegin, ali), ComponentError);
    EXPECT_EQ(db.count("tblHRMonthlySalary"), 0);
    EXPECT_EQ(db.count("tblHRMonthlySalaryDetail"), 0);

    const int id = env.spHRCreateMonthlySalary(-2, monthBegin, monthEnd, ali);
    ASSERT_GT(id, 0);
    EXPECT_EQ(db.count("tblHRMonthlySalary"), 1);
    EXPECT_EQ(db.count("tblHRMonthlySalary",
                       QString("ID = %1 AND EmployeeID = %2 AND OrdinanceID = %3 AND Code IS NULL AND BeginDate = "
                               "'2024-11-21' AND EndDate = '2024-12-20' AND FarsiBeginDate = '1403/09/01' AND "
                               "FarsiEndDate = '1403/09/30' AND CreatorID = -2 AND substr(CreateDate, 1, 10) = '%4' AND "
                               "substr(CalculateDate, 1, 10) = '%4'")
                           .arg(id).arg(ali).arg(ord).arg(TestDatabase::iso(QDate::currentDate()))),
              1);
    EXPECT_EQ(lines(id), "1=30000000 2=3000000 50=1234567 60=500000");
    EXPECT_EQ(lines(id, "tblHRMonthlyPaiedLoan", "LoanID"), QString("%1=2000000").arg(loan));
    EXPECT_EQ(lines(id, "tblHRMonthlyPaiedBox", "BoxID"), QString("%1=150000").arg(box));

    const int prorated = create(sara);
    EXPECT_EQ(db.scalar("SELECT OrdinanceID FROM tblHRMonthlySalary WHERE ID = ?", {prorated}).toInt(), latest);
    EXPECT_EQ(lines(prorated), "1=667 53=8 62=8"); // 666.67 rounds up
}

TEST_P(EmbeddedProcedures, OnePayslipPerPeriodNumberedOnceWhenFinalized)
{
    const int sara = employee("Sara"), ali = employee("Ali");
    db.exec("INSERT INTO tblHRMonthlySalary (EmployeeID, Code, BeginDate, EndDate) VALUES (?, '41', '2024-11-21', "
            "'2024-12-20'), (?, 'A-99', '2023-01-01', '2023-01-31')", {sara, sara});
    ordinance(ali, longAgo, farAhead, true, {{1, 1000}, {2, 2000}});
    const QString alis = QString("EmployeeID = %1").arg(ali);
    EXPECT_EQ(finalize(ali), 0);

    const int id = create(ali);
    ASSERT_GT(id, 0);
    EXPECT_EQ(create(ali), 0);
    EXPECT_EQ(env.spHRCreateMonthlySalary(1, monthEnd, monthEnd.addDays(30), ali), 0);
    EXPECT_EQ(env.spHRCreateMonthlySalary(1, monthBegin.addDays(-30), monthBegin, ali), 0);
    EXPECT_EQ(db.count("tblHRMonthlySalary", alis), 1);
    EXPECT_EQ(db.count("tblHRMonthlySalaryDetail"), 2);

    EXPECT_EQ(finalize(ali), id);
    EXPECT_EQ(finalize(ali), 0);
    EXPECT_EQ(db.scalar("SELECT Code FROM tblHRMonthlySalary WHERE ID = ?", {id}).toString(), "42");
    // A final payslip blocks as well; the day after the period is free.
    EXPECT_EQ(create(ali), 0);
    EXPECT_GT(env.spHRCreateMonthlySalary(1, monthEnd.addDays(1), monthEnd.addDays(30), ali), 0);
    EXPECT_EQ(db.count("tblHRMonthlySalary", alis), 2);
}

TEST_P(EmbeddedProcedures, RecalculateRebuildsTemporaryPayslipsOnly)
{
    const int ali = employee("Ali");
    const int ord = ordinance(ali, longAgo, farAhead, true, {{1, 1000}, {2, 2000}});
    const int id = create(ali);
    db.exec("UPDATE tblHROrdinanceDetail SET Amount = 1500 WHERE OrdinanceID = ? AND FunctionID = 1", {ord});
    const int loan = document("tblHRLoan", true);
    db.exec("INSERT INTO tblHRLoanDetail VALUES (?, ?, 1000, 100)", {loan, ali});
    db.exec("UPDATE tblHRMonthlySalary SET CalculateDate = '2000-01-01'");

    EXPECT_EQ(recalculate(ali), 1);
    EXPECT_EQ(lines(id), "1=1500 2=2000");
    EXPECT_EQ(lines(id, "tblHRMonthlyPaiedLoan", "LoanID"), QString("%1=100").arg(loan));
    EXPECT_EQ(db.count("tblHRMonthlySalary", "CalculateDate = '2000-01-01'"), 0);

    ASSERT_EQ(finalize(ali), id);
    db.exec("UPDATE tblHROrdinanceDetail SET Amount = 9999");
    EXPECT_EQ(recalculate(ali), 0);
    EXPECT_EQ(lines(id), "1=1500 2=2000");
}

TEST_P(EmbeddedProcedures, BackToTempClearsCodeAndRemovesOnlyThatEmployeesLines)
{
    const int ali = paidEmployee("Ali", 1000), sara = paidEmployee("Sara", 2000);
    const int document = post(QString("%1,%2").arg(ali).arg(sara));
    ASSERT_GT(document, 0);
    // Ali's posting of another month stays.
    db.exec("INSERT INTO tblAccountDocument (ID, DocumentDate) VALUES (500, '2024-10-21')");
    db.exec("INSERT INTO tblAccountDocumentDetail (DocumentID, FormTypeID, TransactionDate, EmployeeID, Debit) "
            "VALUES (500, 1402, '2024-10-21', ?, 5)", {ali});

    EXPECT_EQ(backToTemp(ali), 1);

    EXPECT_EQ(db.count("tblHRMonthlySalary", QString("EmployeeID = %1 AND Code IS NULL").arg(ali)), 1);
    EXPECT_EQ(db.count("tblHRMonthlySalary", QString("EmployeeID = %1 AND Code IS NOT NULL").arg(sara)), 1);
    EXPECT_EQ(db.count("tblAccountDocument", QString("ID = %1").arg(document)), 1);
    EXPECT_EQ(db.count("tblAccountDocumentDetail", QString("DocumentID = %1").arg(document)), 2);
    EXPECT_EQ(posted(sara, "Debit"), 2000);
    EXPECT_EQ(posted(sara, "Credit"), 2000);
    EXPECT_EQ(db.count("tblAccountDocumentDetail", "DocumentID = 500"), 1);
    EXPECT_EQ(backToTemp(ali), 0);

    // The last employee out takes the emptied document with it, or nothing of the call stays.
    db.exec("CREATE TRIGGER keepDocuments BEFORE DELETE ON tblAccountDocument BEGIN SELECT RAISE(ABORT, 'kept'); END");
    EXPECT_THROW(backToTemp(sara), ComponentError);
    EXPECT_EQ(db.count("tblHRMonthlySalary", QString("EmployeeID = %1 AND Code IS NOT NULL").arg(sara)), 1);
    EXPECT_EQ(db.count("tblAccountDocumentDetail", QString("DocumentID = %1").arg(document)), 2);
    db.exec("DROP TRIGGER keepDocuments");
    EXPECT_EQ(backToTemp(sara), 1);
    EXPECT_EQ(db.count("tblAccountDocument", QString("ID = %1").arg(document)), 0);
    EXPECT_EQ(db.count("tblAccountDocument", "ID = 500"), 1);
}

TEST_P(EmbeddedProcedures, AccountDocPostsEachFinalPayslipOfTheMonthOnce)
{
    const int ali = paidEmployee("Ali", 1000), sara = paidEmployee("سارا", 2000), reza = employee("Reza");
    ordinance(reza, monthBegin, monthEnd, true, {{1, 3000}});
    create(reza); // temporary, not posted
    const QString id = QString::number(ali), all = QString(" %1 , %2,%3,").arg(sara).arg(ali).arg(reza);

    EXPECT_EQ(post(all, monthBegin.addDays(-1)), 0); // a day of Aban
    EXPECT_EQ(post(QString("%1, 99999").arg(reza)), 0);
    EXPECT_EQ(post(QString()), 0);
    for (const QString &bad : {id + ";7", id + ",abc", QString("۱۲"), "-" + id})
        EXPECT_THROW(post(bad), ComponentError) << bad.toStdString();
    EXPECT_THROW(post(all.leftJustified(8001, ' ')), ComponentError);
    EXPECT_EQ(db.count("tblAccountDocument"), 0);

    // Ali's final payslip of Aban, the month before, is not posted again.
    const int aban = db.addPayslip(ali, QDate(2024, 10, 22), QDate(2024, 11, 20), true);
    db.exec("INSERT INTO tblHRMonthlySalaryDetail (MonthlySalaryID, FunctionID, Amount) VALUES (?, 1, 77)", {aban});
    db.exec("INSERT INTO tblAccountDocument (Code, DocumentDate) VALUES ('5', '2024-01-01'), ('X7', '2024-01-01')");
    const int document = env.spHRAccountDocSave(-2, monthEnd, all.leftJustified(8000, ' '));
    ASSERT_GT(document, 0);
    EXPECT_EQ(post(all), 0);
    EXPECT_EQ(db.count("tblAccountDocument",
                       QString("ID = %1 AND Code = '6' AND DocumentDate = '2024-12-20' AND CreatorID = -2").arg(document)),
              1);
    EXPECT_EQ(db.count("tblAccountDocument", "Description LIKE '%فيش%حقوق%1403/09'"), 1);
    EXPECT_EQ(db.count("tblAccountDocumentDetail"), 4);
    EXPECT_EQ(db.count("tblAccountDocumentDetail",
                       QString("DocumentID = %1 AND FormTypeID = 1402 AND TransactionDate = '2024-12-20'").arg(document)),
              4);
    EXPECT_EQ(posted(ali, "Debit"), 1000);
    EXPECT_EQ(posted(ali, "Credit"), 1000);
    EXPECT_EQ(posted(sara, "Debit"), 2000);
    EXPECT_EQ(db.count("tblAccountDocumentDetail", QString("EmployeeID = %1 AND Description LIKE '%سارا کريمي'").arg(sara)),
              2);
}

TEST_P(EmbeddedProcedures, FailureHalfWayLeavesNothingOfTheCall)
{
    const int ali = paidEmployee("Ali", 1000), sara = employee("Sara");
    ordinance(sara, monthBegin, monthEnd, true, {{1, 2000}});

    db.exec("CREATE TRIGGER noCredit BEFORE INSERT ON tblAccountDocumentDetail WHEN NEW.Credit > 0 "
            "BEGIN SELECT RAISE(ABORT, 'credit refused'); END");
    EXPECT_THROW(post(QString::number(ali)), ComponentError);
    EXPECT_EQ(db.count("tblAccountDocument"), 0);
    EXPECT_EQ(db.count("tblAccountDocumentDetail"), 0);

    db.exec("DROP TABLE tblHRMonthlyPaiedBox");
    EXPECT_THROW(create(sara), ComponentError);
    EXPECT_EQ(db.count("tblHRMonthlySalary", QString("EmployeeID = %1").arg(sara)), 0);
    EXPECT_EQ(db.count("tblHRMonthlySalaryDetail"), 1);
}

TEST_P(EmbeddedProcedures, WaitsForAnotherClerksWriteInsteadOfFailing)
{
    const int ali = employee("Ali");
    ordinance(ali, longAgo, farAhead, true, {{1, 1000}});
    std::latch writing(1);
    std::jthread clerk([&] {
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other-clerk");
            other.setDatabaseName(db.file());
            other.open();
            QSqlQuery query(other);
            query.exec("BEGIN IMMEDIATE");
            writing.count_down();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            query.exec("COMMIT");
        }
        QSqlDatabase::removeDatabase("other-clerk");
    });
    writing.wait();

    EXPECT_GT(create(ali), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, EmbeddedProcedures, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "Odbc" : "Embedded"; });

} // namespace
} // namespace oruhr
