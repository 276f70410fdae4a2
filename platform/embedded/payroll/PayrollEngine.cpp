#include "platform/embedded/payroll/PayrollEngine.h"

#include "platform/database/StatementCache.h"

namespace oruhr::embedded {

PayrollEngine::PayrollEngine(db::StatementCache &statements)
    : m_statements(statements)
{
}

PayslipInputs PayrollEngine::inputs(qint64 employeeId, QDate begin, QDate end, qint64 payslipId) const
{
    return PayslipInputs::read(m_statements, employeeId, begin, end, payslipId);
}

const PayrollRules &PayrollEngine::rulesOn(QDate day) const
{
    auto found = m_rules.find(day);
    if (found == m_rules.end())
        found = m_rules.emplace(day, PayrollRules::inForceOn(m_statements, day)).first;
    return found->second;
}

PayslipCalculation PayrollEngine::calculate(const PayslipInputs &inputs, QDate begin) const
{
    return PayslipCalculation::of(rulesOn(begin), inputs);
}

void PayrollEngine::write(qint64 payslipId, const PayslipCalculation &calculation) const
{
    for (const char *table : {"tblHRMonthlySalaryDetail", "tblHRMonthlyPaiedLoan", "tblHRMonthlyPaiedBox"})
        m_statements.execute(QStringLiteral("DELETE FROM %1 WHERE MonthlySalaryID = ?").arg(QLatin1String(table)),
                             {payslipId});
    for (const PayslipLine &line : calculation.lines)
        m_statements.execute(
            QStringLiteral("INSERT INTO tblHRMonthlySalaryDetail (MonthlySalaryID, FunctionID, Amount) VALUES (?, ?, ?)"),
            {payslipId, line.functionId, line.amount});
    for (const Instalment &loan : calculation.paidLoans)
        m_statements.execute(
            QStringLiteral("INSERT INTO tblHRMonthlyPaiedLoan (MonthlySalaryID, LoanID, Amount) VALUES (?, ?, ?)"),
            {payslipId, loan.documentId, loan.amount});
    for (const Instalment &fund : calculation.paidFunds)
        m_statements.execute(
            QStringLiteral("INSERT INTO tblHRMonthlyPaiedBox (MonthlySalaryID, BoxID, Amount) VALUES (?, ?, ?)"),
            {payslipId, fund.documentId, fund.amount});
}

} // namespace oruhr::embedded
