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
    writeNew(payslipId, calculation);
}

// One statement per table, whatever the number of rows: on a server every statement is a
// round trip.
void PayrollEngine::writeNew(qint64 payslipId, const PayslipCalculation &calculation) const
{
    QVariantList lines, loans, funds;
    for (const PayslipLine &line : calculation.lines)
        lines << payslipId << line.functionId << line.amount;
    for (const Instalment &loan : calculation.paidLoans)
        loans << payslipId << loan.documentId << loan.amount;
    for (const Instalment &fund : calculation.paidFunds)
        funds << payslipId << fund.documentId << fund.amount;
    insertRows(QStringLiteral("tblHRMonthlySalaryDetail (MonthlySalaryID, FunctionID, Amount)"), lines);
    insertRows(QStringLiteral("tblHRMonthlyPaiedLoan (MonthlySalaryID, LoanID, Amount)"), loans);
    insertRows(QStringLiteral("tblHRMonthlyPaiedBox (MonthlySalaryID, BoxID, Amount)"), funds);
}

// Rows of three values each, in one INSERT.
void PayrollEngine::insertRows(const QString &tableAndColumns, const QVariantList &values) const
{
    if (values.isEmpty())
        return;
    const QStringList rows(values.size() / 3, QStringLiteral("(?, ?, ?)"));
    m_statements.execute(QStringLiteral("INSERT INTO %1 VALUES %2").arg(tableAndColumns, rows.join(QStringLiteral(", "))),
                         values);
}

} // namespace oruhr::embedded
