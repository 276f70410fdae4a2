#pragma once

#include "demo/DemoDataGenerator.h"

#include <QDate>
#include <QMap>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QVariantList>

#include <gtest/gtest.h>

#include <array>

namespace oruhr::test {

// Where the code under test finds the database: the embedded provider on a SQLite file, the
// same file through the SQLite ODBC driver, or a database of its own on the tests' PostgreSQL.
enum class Backend { Embedded, Odbc, PostgreSQL };

inline const char *backendName(const ::testing::TestParamInfo<Backend> &info)
{
    static const char *const names[] = {"Embedded", "Odbc", "PostgreSQL"};
    return names[int(info.param)];
}

// A fresh database with the embedded schema, with a direct QtSql handle for arranging rows
// and checking what the code under test wrote, and the builders every test makes its
// employees, ordinances, entries, documents and payslips with.
class TestDatabase {
public:
    explicit TestDatabase(Backend backend = Backend::Embedded);
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    QString file() const { return m_file; } // empty on PostgreSQL
    QString connectionString() const;       // for the code under test, through the backend

    QSqlDatabase &sql() { return m_database; }
    // After the server was restarted: the handle opens anew.
    void reconnect()
    {
        m_database.close();
        m_database.open();
    }
    void exec(const QString &sql, const QVariantList &values = {});
    QVariant scalar(const QString &sql, const QVariantList &values = {});
    int count(const QString &table, const QString &where = QStringLiteral("1=1"));

    // The demo generator's catalogue, rules, staff and payroll.
    void seedDemo(const demo::DemoOptions &options);

    // Rows for the common cases; every insert returns the new ID.
    int addEmployee(const QVariant &code, const QString &firstName, const QString &sureName);
    // The filters are the branch, the recruitment type and the position (cost centre).
    int addOrdinance(int employeeId, QDate begin, QDate end, bool final, std::array<int, 3> filters = {});
    int addPayslip(int employeeId, QDate begin, QDate end, bool final, int ordinanceId = 0);
    // One detail line of factor 501, one paid loan and one paid fund instalment.
    void addPayslipLines(int payslipId);

    struct Hired {
        int employee = 0, ordinance = 0;
    };
    // The next of a numbered staff: code 100 + n, named «نامn فاميلn», with a final ordinance
    // over the days in branch 11 / recruitment 21 / cost centre 31 and its items (factor to
    // monthly amount).
    Hired hire(QDate from, QDate to, const QMap<int, qint64> &items = {});
    // Hours, days or an amount entered through a runtime batch over the days.
    void enter(int employeeId, int factor, const QVariant &value, QDate from, QDate to);
    // An advance (مساعده): an amount entered to be deducted, neither insurable nor taxable.
    int defineAdvance();
    // A loan, fund or group adjustment document over the days, with their Persian texts;
    // returns its ID.
    int addDocument(const QString &table, bool final = true, QDate from = {2025, 1, 1}, QDate to = {2026, 12, 31},
                    const QVariant &id = {});
    int addLoan(int employeeId, qint64 principal, qint64 instalment);
    int addFund(int employeeId, qint64 contribution);

    // A payslip's lines by factor, or its paid instalments by loan or fund.
    QMap<int, qint64> linesOf(int payslipId, const QString &table = QStringLiteral("tblHRMonthlySalaryDetail"),
                              const QString &key = QStringLiteral("FunctionID"));
    QMap<int, qint64> paidLoansOf(int payslipId) { return linesOf(payslipId, QStringLiteral("tblHRMonthlyPaiedLoan"), QStringLiteral("LoanID")); }
    QMap<int, qint64> paidFundsOf(int payslipId) { return linesOf(payslipId, QStringLiteral("tblHRMonthlyPaiedBox"), QStringLiteral("BoxID")); }
    // Earnings less deductions, by the kinds the lines were computed with, as the payslip prints it.
    qint64 netOf(int payslipId);

    static QString iso(QDate date) { return date.toString(Qt::ISODate); }

private:
    Backend m_backend;
    QString m_serverDatabase;
    QTemporaryDir m_dir;
    QString m_file;
    QString m_name;
    QSqlDatabase m_database;
    int m_hired = 0;
};

} // namespace oruhr::test
