#pragma once

#include "shell/DtEn.h"
#include "tests/support/TestKit.h"

namespace oruhr::test {

// The shipped catalogue and payroll rules with no staff, for the month Shahrivar 1404
// (1404/06/01 to 1404/06/31, 31 days), and ways to hire and pay employees in it.
class PayrollMonthFixture : public ::testing::Test {
public:
    static constexpr int Base = 1001, Housing = 1002, Groceries = 1003, ChildAllowance = 1004, Overtime = 1010,
                         Mission = 1011, NightWork = 1012, Absence = 1096, Insurance = 2001, Tax = 2002, Loans = 2003,
                         Fund = 2004, EmployerInsurance = 3001;
    const QDate begin{2025, 8, 23};
    const QDate end{2025, 9, 22};

    explicit PayrollMonthFixture(Backend backend = Backend::Embedded)
        : db(backend)
    {
        db.seedDemo({0, begin, 1, {}});
        session.connectTo(db.connectionString());
    }

    // An employee with a final ordinance from `from` on; items by factor, monthly amounts.
    int hire(QDate from, const QMap<int, qint64> &items)
    {
        const int number = ++m_employees;
        const int employee = db.addEmployee(QString::number(number), QStringLiteral("نام"),
                                            QStringLiteral("کارمند %1").arg(number));
        const int ordinance = db.addOrdinance(employee, from, QDate(2030, 1, 1), true);
        for (auto item = items.cbegin(); item != items.cend(); ++item)
            db.exec("INSERT INTO tblHROrdinanceDetail VALUES (?, ?, ?)", {ordinance, item.key(), item.value()});
        return employee;
    }

    // Hours, days or an amount entered through a runtime batch valid for the month unless told otherwise.
    void enter(int employee, int factor, const QVariant &value, QDate monthBegin = {}, QDate monthEnd = {})
    {
        const QDate from = monthBegin.isValid() ? monthBegin : begin, to = monthEnd.isValid() ? monthEnd : end;
        db.exec("INSERT INTO tblHRRunTimeBatch (BeginDate, EndDate) VALUES (?, ?)",
                {TestDatabase::iso(from), TestDatabase::iso(to)});
        db.exec("INSERT INTO tblHRRunTimeBatchDetail VALUES ((SELECT max(ID) FROM tblHRRunTimeBatch), ?, ?, ?)",
                {employee, factor, value});
    }

    // An advance (مساعده): an amount entered to be deducted, neither insurable nor taxable.
    int defineAdvance()
    {
        const int id = 1097;
        db.exec("INSERT INTO tblPelikMFunction (ID, Name) VALUES (?, 'مساعده')", {id});
        db.exec("INSERT INTO tblPelikMFunctionDetail (FunctionID, TypeID, ParameterTypeID, BeginDate, EndDate, "
                "SequenceInMonthlySalary, Kind, Method) VALUES (?, 6, 3, '2020-01-01', '2030-12-31', 115, 2, 1)",
                {id});
        return id;
    }

    // A loan, fund or group adjustment document, final and running through the month unless
    // told otherwise; returns its ID.
    int document(const QString &table, bool final = true, QDate from = {2025, 1, 1}, QDate to = {2026, 12, 31})
    {
        return db.scalar(QString("INSERT INTO %1 (Code, BeginDate, EndDate) VALUES (?, ?, ?) RETURNING ID").arg(table),
                         {final ? QVariant("1") : QVariant(), TestDatabase::iso(from), TestDatabase::iso(to)})
            .toInt();
    }
    int loan(int employee, qint64 principal, qint64 instalment)
    {
        const int id = document("tblHRLoan");
        db.exec("INSERT INTO tblHRLoanDetail VALUES (?, ?, ?, ?)", {id, employee, principal, instalment});
        return id;
    }
    int fund(int employee, qint64 contribution)
    {
        const int id = document("tblHRBox");
        db.exec("INSERT INTO tblHRBoxDetail VALUES (?, ?, ?)", {id, employee, contribution});
        return id;
    }

    int create(int employee) { return env.spHRCreateMonthlySalary(1, begin, end, employee); }
    int recalculate(int employee) { return env.spHRRecalculateMonthlySalary(1, begin, end, employee); }
    int finalize(int employee) { return env.spHRFinalizedMonthlySalary(1, begin, end, employee); }
    int backToTemp(int employee) { return env.spHRBackToTempMonthlySalary(1, begin, end, employee); }
    int post(const QString &employees) { return env.spHRAccountDocSave(1, end, employees); }

    // A payslip's lines (or paid instalments) by factor (or document).
    QMap<int, qint64> lines(int payslip, const QString &table = "tblHRMonthlySalaryDetail",
                            const QString &key = "FunctionID")
    {
        QMap<int, qint64> result;
        QSqlQuery query(QString("SELECT %1, Amount FROM %2 WHERE MonthlySalaryID = %3").arg(key, table).arg(payslip),
                        db.sql());
        while (query.next())
            result.insert(query.value(0).toInt(), query.value(1).toLongLong());
        return result;
    }
    QMap<int, qint64> paidLoans(int payslip) { return lines(payslip, "tblHRMonthlyPaiedLoan", "LoanID"); }
    QMap<int, qint64> paidFunds(int payslip) { return lines(payslip, "tblHRMonthlyPaiedBox", "BoxID"); }

    // Earnings less deductions, by the kinds the lines were computed with, as the payslip prints it.
    qint64 net(int payslip)
    {
        return db.scalar("SELECT sum(CASE Kind WHEN 1 THEN Amount WHEN 2 THEN -Amount ELSE 0 END) "
                         "FROM tblHRMonthlySalaryDetail WHERE MonthlySalaryID = ?",
                         {payslip})
            .toLongLong();
    }

    TestDatabase db;
    TestSession session;
    DtEn &env = session.dtEn();

private:
    int m_employees = 0;
};

} // namespace oruhr::test
