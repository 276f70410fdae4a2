#include "payroll/storage/WriteLocks.h"

#include "platform/database/StatementCache.h"

#include <QStringList>

#include <algorithm>

namespace oruhr::payroll {
WriteLocks::WriteLocks(db::StatementCache &statements)
    : m_statements(statements)
{
}

namespace {

// The first key of the product's advisory locks, apart from any other program's.
constexpr qint32 employeeLocks = 0x4f52; // "OR"

} // namespace

// Advisory locks rather than the employees' rows: a clerk's login needs no right to change
// employees. Several are taken in ascending order, so that two calls locking many never wait
// for each other in a ring.
QString WriteLocks::statement(db::SqlDialect dialect, QList<qint64> employeeIds)
{
    if (dialect != db::SqlDialect::PostgreSQL || employeeIds.isEmpty())
        return {};
    if (employeeIds.size() == 1)
        return QStringLiteral("SELECT ") + employeeLock(QString::number(employeeIds.first()));
    std::sort(employeeIds.begin(), employeeIds.end());
    QStringList ids;
    for (const qint64 id : employeeIds)
        ids << QString::number(id);
    return QStringLiteral("SELECT count(pg_advisory_xact_lock(%1, e)) FROM unnest(CAST('{%2}' AS INTEGER[])) AS e")
        .arg(employeeLocks)
        .arg(ids.join(QLatin1Char(',')));
}

QString WriteLocks::nextNumberSql(Numbering which)
{
    const QLatin1String table(which == Numbering::Payslips ? "tblHRMonthlySalary" : "tblAccountDocument");
    return QStringLiteral("UPDATE tblHRNumbering SET LastNumber = 1 + CASE WHEN LastNumber > m.Code THEN "
                          "LastNumber ELSE m.Code END FROM (SELECT coalesce(max(CAST(trim(Code) AS BIGINT)), 0) "
                          "AS Code FROM %1 WHERE length(trim(Code)) BETWEEN 1 AND 18 AND ltrim(trim(Code), "
                          "'0123456789') = '') m WHERE Numbering = ? RETURNING LastNumber")
        .arg(table);
}

QString WriteLocks::employeeLock(const QString &employee)
{
    return QStringLiteral("pg_advisory_xact_lock(%1, CAST(%2 AS INTEGER))").arg(employeeLocks).arg(employee);
}

qint64 WriteLocks::nextNumber(Numbering which) const
{
    return m_statements.scalar(nextNumberSql(which), {int(which)}).toLongLong();
}

} // namespace oruhr::payroll
