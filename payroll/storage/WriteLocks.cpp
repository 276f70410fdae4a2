#include "payroll/storage/WriteLocks.h"

#include "platform/database/StatementCache.h"

#include <QSqlDriver>

#include <algorithm>

namespace oruhr::payroll {
WriteLocks::WriteLocks(db::StatementCache &statements)
    : m_statements(statements)
    , m_needed(statements.database().driver()->dbmsType() == QSqlDriver::PostgreSQL)
{
}

namespace {

// The first key of the product's advisory locks, apart from any other program's.
constexpr qint32 employeeLocks = 0x4f52; // "OR"

} // namespace

// An advisory lock rather than the employee's row: a clerk's login needs no right to change
// employees.
void WriteLocks::employee(qint64 employeeId) const
{
    if (m_needed)
        m_statements.execute(QStringLiteral("SELECT pg_advisory_xact_lock(%1, CAST(? AS INTEGER))").arg(employeeLocks),
                             {employeeId});
}

void WriteLocks::employees(QList<qint64> employeeIds) const
{
    std::sort(employeeIds.begin(), employeeIds.end());
    for (const qint64 id : employeeIds)
        employee(id);
}

qint64 WriteLocks::nextNumber(Numbering which) const
{
    const QLatin1String table(which == Numbering::Payslips ? "tblHRMonthlySalary" : "tblAccountDocument");
    return m_statements
        .scalar(QStringLiteral("UPDATE tblHRNumbering SET LastNumber = 1 + CASE WHEN LastNumber > m.Code THEN "
                               "LastNumber ELSE m.Code END FROM (SELECT coalesce(max(CAST(trim(Code) AS BIGINT)), 0) "
                               "AS Code FROM %1 WHERE length(trim(Code)) BETWEEN 1 AND 18 AND ltrim(trim(Code), '0123456789') = '') m "
                               "WHERE Numbering = ? RETURNING LastNumber")
                    .arg(table),
                {int(which)})
        .toLongLong();
}

} // namespace oruhr::payroll
