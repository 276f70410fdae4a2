#include "payroll/storage/PayslipInputsReader.h"

#include "platform/database/StatementCache.h"

#include <algorithm>

namespace oruhr::payroll {
namespace {

QList<PayslipInputs::DatedOrdinance> finalOrdinances(db::StatementCache &statements, const QVariantList &period)
{
    QList<PayslipInputs::DatedOrdinance> ordinances;
    db::StatementRows rows = statements.run(
        QStringLiteral("SELECT o.ID, o.BeginDate, o.EndDate, d.FunctionID, d.Amount FROM tblHROrdinance o "
                       "LEFT JOIN tblHROrdinanceDetail d ON d.OrdinanceID = o.ID "
                       "WHERE o.EmployeeID = ? AND o.Code IS NOT NULL AND NOT (o.EndDate < ? OR o.BeginDate > ?) "
                       "ORDER BY o.BeginDate, o.ID, d.FunctionID"),
        period);
    while (rows.next()) {
        if (ordinances.isEmpty() || ordinances.last().paying.id != rows.integer(0))
            ordinances.append({{rows.integer(0), {}}, rows.value(1).toDate(), rows.value(2).toDate()});
        if (!rows.value(3).isNull())
            ordinances.last().paying.items.append({rows.integer(3), rows.integer(4)});
    }
    return ordinances;
}

// What was entered for the employee and period, in one round trip: the runtime batches' values
// (batches carry no Code: every one of the period counts), the final group adjustments, and
// the final loans' and funds' instalments, oldest document first. A loan's instalment is cut
// to what is still owed apart from the payslip being recalculated. A batch's value is read as
// text, so that its fraction is kept exactly.
// The NULLs are typed: PostgreSQL settles a column's type from the first parts of the union.
const QString entriesSql = QStringLiteral(
    "SELECT 1, d.ParameterID, CAST(NULL AS BIGINT), CAST(NULL AS BIGINT), b.BeginDate, b.EndDate, "
    "CAST(NULL AS BIGINT), CAST(d.Value AS TEXT) FROM tblHRRunTimeBatchDetail d "
    "JOIN tblHRRunTimeBatch b ON b.ID = d.RunTimeBatchID "
    "WHERE d.EmployeeID = ? AND d.Value IS NOT NULL AND NOT (b.EndDate < ? OR b.BeginDate > ?) "
    "UNION ALL SELECT 2, d.FunctionID, d.Amount, NULL, b.BeginDate, b.EndDate, NULL, NULL "
    "FROM tblHRExceptionBatchDetail d JOIN tblHRExceptionBatch b ON b.ID = d.ExceptionBatchID "
    "WHERE d.EmployeeID = ? AND b.Code IS NOT NULL AND NOT (b.EndDate < ? OR b.BeginDate > ?) "
    "UNION ALL SELECT 3, d.LoanID, d.InstalmentAmount, CAST(d.Amount - coalesce((SELECT sum(p.Amount) "
    "FROM tblHRMonthlyPaiedLoan p JOIN tblHRMonthlySalary s ON s.ID = p.MonthlySalaryID "
    "WHERE p.LoanID = d.LoanID AND s.EmployeeID = d.EmployeeID AND s.ID <> ?), 0) AS BIGINT), l.BeginDate, NULL, "
    "l.ID, NULL FROM tblHRLoanDetail d JOIN tblHRLoan l ON l.ID = d.LoanID "
    "WHERE d.EmployeeID = ? AND l.Code IS NOT NULL AND NOT (l.EndDate < ? OR l.BeginDate > ?) "
    "UNION ALL SELECT 4, d.BoxID, d.InstalmentAmount, NULL, x.BeginDate, NULL, x.ID, NULL FROM tblHRBoxDetail d "
    "JOIN tblHRBox x ON x.ID = d.BoxID "
    "WHERE d.EmployeeID = ? AND x.Code IS NOT NULL AND NOT (x.EndDate < ? OR x.BeginDate > ?) "
    "ORDER BY 1, 5, 7");

enum class Kind { Entered = 1, Adjustment = 2, Loan = 3, Fund = 4 };

void readEntries(db::StatementCache &statements, PayslipInputs &inputs, const QVariantList &period, qint64 payslipId)
{
    db::StatementRows rows = statements.run(entriesSql, period + period + QVariantList{payslipId} + period + period);
    while (rows.next()) {
        const qint64 key = rows.integer(1);
        switch (Kind(rows.integer(0))) {
        case Kind::Entered:
            inputs.entered.append({key, EnteredValue::scaled(rows.value(7).toString(), key), rows.value(4).toDate(),
                                   rows.value(5).toDate()});
            break;
        case Kind::Adjustment:
            inputs.adjustments.append({key, rows.integer(2) * EnteredValue::Scale, rows.value(4).toDate(),
                                       rows.value(5).toDate()});
            break;
        case Kind::Loan:
        case Kind::Fund: {
            const qint64 amount = rows.integer(2);
            const qint64 due = rows.value(3).isNull() ? amount : std::min(amount, rows.integer(3));
            if (due > 0)
                (Kind(rows.integer(0)) == Kind::Loan ? inputs.loans : inputs.funds).append({key, due});
            break;
        }
        }
    }
}

} // namespace

PayslipInputs PayslipInputsReader::read(db::StatementCache &statements, qint64 employeeId, QDate begin, QDate end,
                                        qint64 payslipId)
{
    const QVariantList period{employeeId, begin.toString(Qt::ISODate), end.toString(Qt::ISODate)};
    PayslipInputs inputs;
    inputs.employeeId = employeeId;
    inputs.begin = begin;
    inputs.end = end;
    inputs.setOrdinances(finalOrdinances(statements, period));
    readEntries(statements, inputs, period, payslipId);
    return inputs;
}

} // namespace oruhr::payroll
