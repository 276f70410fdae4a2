#include "platform/embedded/PayslipBuilder.h"

#include "platform/automation/ComponentError.h"
#include "platform/embedded/SqlExec.h"

#include <QList>
#include <QSqlQuery>

#include <algorithm>

namespace oruhr::embedded {
namespace {

QString iso(QDate date)
{
    return date.toString(Qt::ISODate);
}

QDate storedDate(const QVariant &value, const char *what, qint64 id)
{
    const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
    if (!date.isValid())
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("%1 %2 has no valid date: '%3'")
                                 .arg(QLatin1String(what))
                                 .arg(id)
                                 .arg(value.toString()));
    return date;
}

// amount * covered / days, rounded half away from zero, in whole numbers so that rials pick up
// no floating-point error.
qint64 prorate(qint64 amount, qint64 covered, qint64 days)
{
    const qint64 scaled = amount * covered;
    const qint64 magnitude = (2 * (scaled < 0 ? -scaled : scaled) + days) / (2 * days);
    return scaled < 0 ? -magnitude : magnitude;
}

} // namespace

PayslipBuilder::PayslipBuilder(QSqlDatabase &database, qint64 employeeId, QDate begin, QDate end)
    : m_database(database)
    , m_employeeId(employeeId)
    , m_begin(begin)
    , m_end(end)
{
    // Proration divides by the period's days.
    if (!begin.isValid() || !end.isValid() || end < begin)
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("The payslip period %1 to %2 is not a valid period").arg(iso(begin), iso(end)));
}

qint64 PayslipBuilder::ordinance() const
{
    return scalar(m_database,
                  QStringLiteral("SELECT ID FROM tblHROrdinance WHERE EmployeeID = ? AND Code IS NOT NULL "
                                 "AND NOT (EndDate < ? OR BeginDate > ?) ORDER BY BeginDate DESC, ID DESC LIMIT 1"),
                  {m_employeeId, iso(m_begin), iso(m_end)})
        .toLongLong();
}

void PayslipBuilder::build(qint64 payslipId, qint64 ordinanceId) const
{
    if (ordinanceId != 0)
        addOrdinanceItems(payslipId, ordinanceId);
    addRunTimeValues(payslipId);
    addGroupAdjustments(payslipId);
    addInstalments(payslipId);
}

void PayslipBuilder::clear(QSqlDatabase &database, qint64 payslipId)
{
    exec(database, QStringLiteral("DELETE FROM tblHRMonthlySalaryDetail WHERE MonthlySalaryID = ?"), {payslipId});
    exec(database, QStringLiteral("DELETE FROM tblHRMonthlyPaiedLoan WHERE MonthlySalaryID = ?"), {payslipId});
    exec(database, QStringLiteral("DELETE FROM tblHRMonthlyPaiedBox WHERE MonthlySalaryID = ?"), {payslipId});
}

void PayslipBuilder::addOrdinanceItems(qint64 payslipId, qint64 ordinanceId) const
{
    QSqlQuery ordinance = exec(m_database, QStringLiteral("SELECT BeginDate, EndDate FROM tblHROrdinance WHERE ID = ?"),
                               {ordinanceId});
    if (!ordinance.next())
        return;
    const QDate from = std::max(m_begin, storedDate(ordinance.value(0), "Ordinance", ordinanceId));
    const QDate to = std::min(m_end, storedDate(ordinance.value(1), "Ordinance", ordinanceId));
    ordinance.finish();
    const qint64 days = m_begin.daysTo(m_end) + 1;
    const qint64 covered = std::max<qint64>(0, from.daysTo(to) + 1);

    struct Item {
        qint64 functionId;
        qint64 amount;
    };
    QList<Item> items;
    QSqlQuery query = exec(m_database,
                           QStringLiteral("SELECT FunctionID, Amount FROM tblHROrdinanceDetail WHERE OrdinanceID = ? "
                                          "ORDER BY FunctionID"),
                           {ordinanceId});
    while (query.next())
        items.append({query.value(0).toLongLong(), query.value(1).toLongLong()});
    query.finish();

    for (const Item &item : items)
        exec(m_database,
             QStringLiteral("INSERT INTO tblHRMonthlySalaryDetail (MonthlySalaryID, FunctionID, Amount) VALUES (?, ?, ?)"),
             {payslipId, item.functionId, prorate(item.amount, covered, days)});
}

void PayslipBuilder::addRunTimeValues(qint64 payslipId) const
{
    // Runtime batches carry no Code: every batch of the period counts. A value never entered stays out.
    exec(m_database,
         QStringLiteral("INSERT INTO tblHRMonthlySalaryDetail (MonthlySalaryID, FunctionID, Amount) "
                        "SELECT ?, d.ParameterID, d.Value FROM tblHRRunTimeBatchDetail d "
                        "JOIN tblHRRunTimeBatch b ON b.ID = d.RunTimeBatchID "
                        "WHERE d.EmployeeID = ? AND d.Value IS NOT NULL AND NOT (b.EndDate < ? OR b.BeginDate > ?) "
                        "ORDER BY b.BeginDate, b.ID, d.ParameterID"),
         {payslipId, m_employeeId, iso(m_begin), iso(m_end)});
}

void PayslipBuilder::addGroupAdjustments(qint64 payslipId) const
{
    exec(m_database,
         QStringLiteral("INSERT INTO tblHRMonthlySalaryDetail (MonthlySalaryID, FunctionID, Amount) "
                        "SELECT ?, d.FunctionID, d.Amount FROM tblHRExceptionBatchDetail d "
                        "JOIN tblHRExceptionBatch b ON b.ID = d.ExceptionBatchID "
                        "WHERE d.EmployeeID = ? AND b.Code IS NOT NULL AND NOT (b.EndDate < ? OR b.BeginDate > ?) "
                        "ORDER BY b.BeginDate, b.ID, d.FunctionID"),
         {payslipId, m_employeeId, iso(m_begin), iso(m_end)});
}

void PayslipBuilder::addInstalments(qint64 payslipId) const
{
    exec(m_database,
         QStringLiteral("INSERT INTO tblHRMonthlyPaiedLoan (MonthlySalaryID, LoanID, Amount) "
                        "SELECT ?, d.LoanID, d.InstalmentAmount FROM tblHRLoanDetail d "
                        "JOIN tblHRLoan l ON l.ID = d.LoanID "
                        "WHERE d.EmployeeID = ? AND l.Code IS NOT NULL AND NOT (l.EndDate < ? OR l.BeginDate > ?) "
                        "ORDER BY l.BeginDate, l.ID"),
         {payslipId, m_employeeId, iso(m_begin), iso(m_end)});
    exec(m_database,
         QStringLiteral("INSERT INTO tblHRMonthlyPaiedBox (MonthlySalaryID, BoxID, Amount) "
                        "SELECT ?, d.BoxID, d.InstalmentAmount FROM tblHRBoxDetail d "
                        "JOIN tblHRBox x ON x.ID = d.BoxID "
                        "WHERE d.EmployeeID = ? AND x.Code IS NOT NULL AND NOT (x.EndDate < ? OR x.BeginDate > ?) "
                        "ORDER BY x.BeginDate, x.ID"),
         {payslipId, m_employeeId, iso(m_begin), iso(m_end)});
}

} // namespace oruhr::embedded
