#include "payroll/storage/PayrollEngine.h"

#include "platform/automation/ComponentError.h"
#include "payroll/storage/PayrollRulesReader.h"
#include "payroll/storage/PayslipInputsReader.h"
#include "platform/database/StatementCache.h"

#include <QLocale>

namespace oruhr::payroll {
namespace {

QString rials(qint64 amount)
{
    return QLocale(QLocale::Persian, QLocale::Iran).toString(amount);
}

} // namespace

PayrollEngine::PayrollEngine(db::StatementCache &statements)
    : m_statements(statements)
{
}

PayslipInputs PayrollEngine::inputs(qint64 employeeId, QDate begin, QDate end, qint64 payslipId) const
{
    return PayslipInputsReader::read(m_statements, employeeId, begin, end, payslipId);
}

const PeriodRules &PayrollEngine::rulesFor(QDate begin, QDate end) const
{
    auto found = m_rules.find({begin, end});
    if (found == m_rules.end())
        found = m_rules.emplace(std::pair(begin, end), PayrollRulesReader::read(m_statements, begin, end)).first;
    return found->second;
}

PayslipCalculation PayrollEngine::calculate(const PayslipInputs &inputs) const
{
    try {
        return PayslipCalculation::of(rulesFor(inputs.begin, inputs.end), inputs);
    } catch (const UncoveredStatutoryDeductions &uncovered) {
        const QString name = m_statements
                                 .scalar(QStringLiteral("SELECT coalesce(FirstName, '') || ' ' || coalesce(SureName, "
                                                        "'') FROM tblEmployee WHERE ID = ?"),
                                         {inputs.employeeId})
                                 .toString();
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("حقوق %1 (کارمند شماره %2)، %3 ريال، حق بيمه %4 ريال و ماليات %5 "
                                            "ريال را نمي پوشاند؛ فيش ثبت نشد.")
                                 .arg(name.trimmed())
                                 .arg(inputs.employeeId)
                                 .arg(rials(uncovered.pay), rials(uncovered.insurance), rials(uncovered.tax)));
    }
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
        lines << payslipId << line.functionId << line.amount << int(line.kind) << int(line.method);
    for (const Instalment &loan : calculation.paidLoans)
        loans << payslipId << loan.documentId << loan.amount;
    for (const Instalment &fund : calculation.paidFunds)
        funds << payslipId << fund.documentId << fund.amount;
    insertRows(QStringLiteral("tblHRMonthlySalaryDetail (MonthlySalaryID, FunctionID, Amount, Kind, Method)"), 5, lines);
    insertRows(QStringLiteral("tblHRMonthlyPaiedLoan (MonthlySalaryID, LoanID, Amount)"), 3, loans);
    insertRows(QStringLiteral("tblHRMonthlyPaiedBox (MonthlySalaryID, BoxID, Amount)"), 3, funds);
}

void PayrollEngine::insertRows(const QString &tableAndColumns, int columns, const QVariantList &values) const
{
    if (values.isEmpty())
        return;
    const QString row = QLatin1Char('(') + QStringList(columns, QStringLiteral("?")).join(QStringLiteral(", "))
                        + QLatin1Char(')');
    const QStringList rows(values.size() / columns, row);
    m_statements.execute(QStringLiteral("INSERT INTO %1 VALUES %2").arg(tableAndColumns, rows.join(QStringLiteral(", "))),
                         values);
}

} // namespace oruhr::payroll
