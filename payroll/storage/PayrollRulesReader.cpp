#include "payroll/storage/PayrollRulesReader.h"

#include "platform/database/StatementCache.h"

namespace oruhr::payroll {
namespace {

DatedRule dated(const db::StatementRows &row, int column)
{
    return {row.value(column).toDate(), row.value(column + 1).toDate()};
}

QList<FactorRow> factorRows(db::StatementCache &statements, const QVariantList &period)
{
    QList<FactorRow> rows;
    db::StatementRows found = statements.run(
        QStringLiteral("SELECT f.FunctionID, coalesce(m.Name, ''), f.Kind, f.Method, f.Rate, f.Divisor, "
                       "f.Insurable, f.Taxable, f.SequenceInMonthlySalary, f.FixedWage, f.BeginDate, f.EndDate "
                       "FROM tblPelikMFunctionDetail f LEFT JOIN tblPelikMFunction m ON m.ID = f.FunctionID "
                       "WHERE NOT (f.EndDate < ? OR f.BeginDate > ?) ORDER BY f.FunctionID, f.BeginDate"),
        period);
    while (found.next())
        rows.append({dated(found, 10),
                     PeriodRules::factorRule(found.integer(0), found.value(1).toString(), found.integer(2),
                                             found.integer(3), found.integer(4), found.integer(5),
                                             found.integer(6) != 0, found.integer(7) != 0, int(found.integer(8)),
                                             found.integer(9) != 0)});
    return rows;
}

// The insurance limits, the payroll rule and the tax brackets over the period, in one round trip.
QList<LimitRow> limitRows(db::StatementCache &statements, const QVariantList &period)
{
    QList<LimitRow> rows;
    db::StatementRows found = statements.run(
        QStringLiteral("SELECT 0, BeginDate, EndDate, DailyMaximum, DailyMinimum, 0 FROM tblHRInsuranceCeiling "
                       "WHERE NOT (EndDate < ? OR BeginDate > ?) "
                       "UNION ALL SELECT 1, BeginDate, EndDate, InsuranceExemptNumerator, InsuranceExemptDenominator, "
                       "ProrationDays FROM tblHRPayrollRule WHERE NOT (EndDate < ? OR BeginDate > ?) "
                       "UNION ALL SELECT 2, BeginDate, EndDate, FromAmount, Rate, 0 FROM tblHRTaxBracket "
                       "WHERE NOT (EndDate < ? OR BeginDate > ?) ORDER BY 1, 2, 4"),
        period + period + period);
    while (found.next())
        rows.append({dated(found, 1), LimitRow::Table(found.integer(0)), found.integer(3), found.integer(4),
                     found.integer(5)});
    return rows;
}

} // namespace

PeriodRules PayrollRulesReader::read(db::StatementCache &statements, QDate begin, QDate end)
{
    const QVariantList dates{begin.toString(Qt::ISODate), end.toString(Qt::ISODate)};
    return PeriodRules::fromRows(factorRows(statements, dates), limitRows(statements, dates), begin, end);
}

} // namespace oruhr::payroll
