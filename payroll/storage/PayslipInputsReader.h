#pragma once

#include "payroll/PayslipInputs.h"

#include <optional>

namespace oruhr::db {
class StatementCache;
class StatementRows;
}

namespace oruhr::payroll {

// One employee's month as a payslip is made from it: the payslips already there, everything
// entered, and the version of the payroll rules, in one statement.
struct EmployeeMonth {
    struct Payslip {
        qint64 id = 0;
        QDate begin;
        QDate end;
        bool final = false;
    };

    QList<Payslip> payslips; // overlapping the period, by beginning
    PayslipInputs inputs;
    // The payslip whose own paid instalments do not count as paid; 0 when none.
    qint64 recalculated = 0;
    qint64 rulesVersion = 0; // tblHRRuleVersion as the read saw it
};

class PayslipInputsReader {
public:
    // recalculated names the payslip being made again, whose own paid instalments do not
    // count as paid; without it, the employee's temporary payslip of exactly this period.
    // Throws ComponentError.
    static EmployeeMonth read(db::StatementCache &statements, qint64 employeeId, QDate begin, QDate end,
                              std::optional<qint64> recalculated);
    // On a server, a statement that takes the employee's lock and then reads the month, for the
    // procedure's transaction to open with in the same round trip; empty where the month is
    // read with read(). Its values are written into its text.
    static QString openingStatement(db::StatementCache &statements, qint64 employeeId, QDate begin, QDate end,
                                    std::optional<qint64> recalculated);
    // The month from the rows of either statement.
    static EmployeeMonth fromRows(db::StatementRows &rows, qint64 employeeId, QDate begin, QDate end);
};

} // namespace oruhr::payroll
