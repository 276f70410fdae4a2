#pragma once

#include "payroll/PayrollRules.h"
#include "payroll/PayslipCalculation.h"
#include "payroll/PayslipInputs.h"

#include <map>

namespace oruhr::db {
class StatementCache;
}

namespace oruhr::payroll {

// The one place payslip money is worked out: what was entered for an employee and period,
// priced day by day by the rules in force, written as the payslip's lines and paid
// instalments. Runs inside the caller's transaction; throws ComponentError.
class PayrollEngine {
public:
    explicit PayrollEngine(db::StatementCache &statements);

    // payslipId names the payslip being recalculated (0 for a new one), whose own paid
    // instalments do not count as paid.
    PayslipInputs inputs(qint64 employeeId, QDate begin, QDate end, qint64 payslipId = 0) const;
    PayslipCalculation calculate(const PayslipInputs &inputs) const;
    // Replaces the payslip's lines and paid instalments.
    void write(qint64 payslipId, const PayslipCalculation &calculation) const;
    // The same for a payslip just inserted, which has no lines to replace.
    void writeNew(qint64 payslipId, const PayslipCalculation &calculation) const;

private:
    const PeriodRules &rulesFor(QDate begin, QDate end) const;
    void insertRows(const QString &tableAndColumns, int columns, const QVariantList &values) const;

    db::StatementCache &m_statements;
    mutable std::map<std::pair<QDate, QDate>, PeriodRules> m_rules; // by period, for the engine's one call
};

} // namespace oruhr::payroll
