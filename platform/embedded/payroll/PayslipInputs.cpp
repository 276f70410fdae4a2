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

QList<FactorAmount> summedByFactor(db::StatementCache &statements, const QString &sql, const QVariantList &values)
{
    std::map<qint64, qint64> sums;
    db::StatementRows rows = statements.run(sql, values);
    while (rows.next())
        sums[rows.integer(0)] += rows.integer(1);
    QList<FactorAmount> amounts;
    for (const auto &[functionId, amount] : sums)
        amounts.append({functionId, amount});
    return amounts;
}

QList<Instalment> instalments(db::StatementCache &statements, const QString &sql, const QVariantList &values)
{
    QList<Instalment> found;
    db::StatementRows rows = statements.run(sql, values);
    while (rows.next()) {
        const qint64 due = rows.integer(1);
        const qint64 owed = rows.value(2).isNull() ? due : rows.integer(2);
        if (std::min(due, owed) > 0)
            found.append({rows.integer(0), std::min(due, owed)});
    }
    return found;
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

    // Runtime batches carry no Code: every batch of the period counts.
    inputs.entered = summedByFactor(
        statements,
        QStringLiteral("SELECT d.ParameterID, d.Value FROM tblHRRunTimeBatchDetail d "
                       "JOIN tblHRRunTimeBatch b ON b.ID = d.RunTimeBatchID "
                       "WHERE d.EmployeeID = ? AND d.Value IS NOT NULL AND NOT (b.EndDate < ? OR b.BeginDate > ?)"),
        period);
    inputs.adjustments = summedByFactor(
        statements,
        QStringLiteral("SELECT d.FunctionID, d.Amount FROM tblHRExceptionBatchDetail d "
                       "JOIN tblHRExceptionBatch b ON b.ID = d.ExceptionBatchID "
                       "WHERE d.EmployeeID = ? AND b.Code IS NOT NULL AND NOT (b.EndDate < ? OR b.BeginDate > ?)"),
        period);
    inputs.loans = instalments(
        statements,
        QStringLiteral("SELECT d.LoanID, d.InstalmentAmount, d.Amount - coalesce((SELECT sum(p.Amount) "
                       "FROM tblHRMonthlyPaiedLoan p JOIN tblHRMonthlySalary s ON s.ID = p.MonthlySalaryID "
                       "WHERE p.LoanID = d.LoanID AND s.EmployeeID = d.EmployeeID AND s.ID <> ?), 0) "
                       "FROM tblHRLoanDetail d JOIN tblHRLoan l ON l.ID = d.LoanID "
                       "WHERE d.EmployeeID = ? AND l.Code IS NOT NULL AND NOT (l.EndDate < ? OR l.BeginDate > ?) "
                       "ORDER BY l.BeginDate, l.ID"),
        QVariantList{payslipId} + period);
    inputs.funds = instalments(
        statements,
        QStringLiteral("SELECT d.BoxID, d.InstalmentAmount, NULL FROM tblHRBoxDetail d "
                       "JOIN tblHRBox x ON x.ID = d.BoxID "
                       "WHERE d.EmployeeID = ? AND x.Code IS NOT NULL AND NOT (x.EndDate < ? OR x.BeginDate > ?) "
                       "ORDER BY x.BeginDate, x.ID"),
        period);
    return inputs;
}

} // namespace oruhr::embedded
