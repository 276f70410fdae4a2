#include "platform/embedded/payroll/PayslipInputs.h"

#include "platform/database/StatementCache.h"

#include <QCalendar>

#include <algorithm>

#include <map>

namespace oruhr::embedded {
namespace {

struct Ordinance {
    qint64 id = 0;
    QDate begin;
    QDate end;
    QList<FactorAmount> items;
    qint64 days = 0;
};

QList<Ordinance> finalOrdinances(db::StatementCache &statements, const QVariantList &period)
{
    QList<Ordinance> ordinances;
    db::StatementRows rows = statements.run(
        QStringLiteral("SELECT o.ID, o.BeginDate, o.EndDate, d.FunctionID, d.Amount FROM tblHROrdinance o "
                       "LEFT JOIN tblHROrdinanceDetail d ON d.OrdinanceID = o.ID "
                       "WHERE o.EmployeeID = ? AND o.Code IS NOT NULL AND NOT (o.EndDate < ? OR o.BeginDate > ?) "
                       "ORDER BY o.BeginDate, o.ID, d.FunctionID"),
        period);
    while (rows.next()) {
        if (ordinances.isEmpty() || ordinances.last().id != rows.integer(0))
            ordinances.append({rows.integer(0), rows.value(1).toDate(), rows.value(2).toDate(), {}, 0});
        if (!rows.value(3).isNull())
            ordinances.last().items.append({rows.integer(3), rows.integer(4)});
    }
    return ordinances;
}

// Each day of the period is paid by the latest-beginning ordinance that covers it.
void countDays(QList<Ordinance> &ordinances, QDate begin, QDate end)
{
    for (QDate day = begin; day <= end; day = day.addDays(1)) {
        for (qsizetype i = ordinances.size() - 1; i >= 0; --i) {
            if (ordinances[i].begin <= day && day <= ordinances[i].end) {
                ++ordinances[i].days;
                break;
            }
        }
    }
}

// What was entered for the employee and period, in one round trip: the runtime batches' values
// (batches carry no Code: every one of the period counts), the final group adjustments, and
// the final loans' and funds' instalments, oldest document first. A loan's instalment is cut
// to what is still owed apart from the payslip being recalculated.
// The NULLs are typed: PostgreSQL settles a column's type from the first parts of the union.
const QString entriesSql = QStringLiteral(
    "SELECT 1, d.ParameterID, d.Value, CAST(NULL AS BIGINT), CAST(NULL AS TEXT), CAST(NULL AS BIGINT) "
    "FROM tblHRRunTimeBatchDetail d "
    "JOIN tblHRRunTimeBatch b ON b.ID = d.RunTimeBatchID "
    "WHERE d.EmployeeID = ? AND d.Value IS NOT NULL AND NOT (b.EndDate < ? OR b.BeginDate > ?) "
    "UNION ALL SELECT 2, d.FunctionID, d.Amount, NULL, NULL, NULL FROM tblHRExceptionBatchDetail d "
    "JOIN tblHRExceptionBatch b ON b.ID = d.ExceptionBatchID "
    "WHERE d.EmployeeID = ? AND b.Code IS NOT NULL AND NOT (b.EndDate < ? OR b.BeginDate > ?) "
    "UNION ALL SELECT 3, d.LoanID, d.InstalmentAmount, CAST(d.Amount - coalesce((SELECT sum(p.Amount) "
    "FROM tblHRMonthlyPaiedLoan p JOIN tblHRMonthlySalary s ON s.ID = p.MonthlySalaryID "
    "WHERE p.LoanID = d.LoanID AND s.EmployeeID = d.EmployeeID AND s.ID <> ?), 0) AS BIGINT), l.BeginDate, l.ID "
    "FROM tblHRLoanDetail d JOIN tblHRLoan l ON l.ID = d.LoanID "
    "WHERE d.EmployeeID = ? AND l.Code IS NOT NULL AND NOT (l.EndDate < ? OR l.BeginDate > ?) "
    "UNION ALL SELECT 4, d.BoxID, d.InstalmentAmount, NULL, x.BeginDate, x.ID FROM tblHRBoxDetail d "
    "JOIN tblHRBox x ON x.ID = d.BoxID "
    "WHERE d.EmployeeID = ? AND x.Code IS NOT NULL AND NOT (x.EndDate < ? OR x.BeginDate > ?) "
    "ORDER BY 1, 5, 6");

enum class Entry { Entered = 1, Adjustment = 2, Loan = 3, Fund = 4 };

QList<FactorAmount> summed(const std::map<qint64, qint64> &sums)
{
    QList<FactorAmount> amounts;
    for (const auto &[functionId, amount] : sums)
        amounts.append({functionId, amount});
    return amounts;
}

void readEntries(db::StatementCache &statements, PayslipInputs &inputs, const QVariantList &period, qint64 payslipId)
{
    std::map<qint64, qint64> entered, adjustments;
    db::StatementRows rows = statements.run(entriesSql, period + period + QVariantList{payslipId} + period + period);
    while (rows.next()) {
        const qint64 key = rows.integer(1), amount = rows.integer(2);
        switch (Entry(rows.integer(0))) {
        case Entry::Entered:
            entered[key] += amount;
            break;
        case Entry::Adjustment:
            adjustments[key] += amount;
            break;
        case Entry::Loan:
        case Entry::Fund: {
            const qint64 due = rows.value(3).isNull() ? amount : std::min(amount, rows.integer(3));
            if (due > 0)
                (Entry(rows.integer(0)) == Entry::Loan ? inputs.loans : inputs.funds).append({key, due});
            break;
        }
        }
    }
    inputs.entered = summed(entered);
    inputs.adjustments = summed(adjustments);
}

} // namespace

PayslipInputs PayslipInputs::read(db::StatementCache &statements, qint64 employeeId, QDate begin, QDate end,
                                  qint64 payslipId)
{
    const QVariantList period{employeeId, begin.toString(Qt::ISODate), end.toString(Qt::ISODate)};
    PayslipInputs inputs;
    const QCalendar jalali(QCalendar::System::Jalali);
    const QCalendar::YearMonthDay parts = jalali.partsFromDate(begin);
    inputs.monthDays = jalali.daysInMonth(parts.month, parts.year);

    QList<Ordinance> ordinances = finalOrdinances(statements, period);
    countDays(ordinances, begin, end);
    for (const Ordinance &ordinance : ordinances) {
        for (const FactorAmount &item : ordinance.items)
            if (ordinance.days > 0)
                inputs.ordinanceItems.append({item.functionId, item.amount, ordinance.days});
    }
    // The payslip rests on the ordinance in force on its last day, or on the last one before it.
    const auto inForce = std::find_if(ordinances.crbegin(), ordinances.crend(),
                                      [end](const Ordinance &ordinance) { return ordinance.begin <= end && end <= ordinance.end; });
    if (inForce != ordinances.crend()) {
        inputs.ordinanceId = inForce->id;
        inputs.ordinanceInForce = inForce->items;
    } else if (!ordinances.isEmpty()) {
        inputs.ordinanceId = ordinances.last().id;
        inputs.ordinanceInForce = ordinances.last().items;
    }

    readEntries(statements, inputs, period, payslipId);
    return inputs;
}

} // namespace oruhr::embedded
