#include "platform/embedded/payroll/WriteLocks.h"

#include "platform/database/StatementCache.h"

#include <QSqlDriver>

#include <algorithm>

namespace oruhr::embedded {
namespace {

// The first key of the product's advisory locks, apart from any other program's.
constexpr qint32 advisoryKey = 0x4f52; // "OR"

} // namespace

WriteLocks::WriteLocks(db::StatementCache &statements)
    : m_statements(statements)
    , m_needed(statements.database().driver()->dbmsType() == QSqlDriver::PostgreSQL)
{
}

void WriteLocks::employee(qint64 employeeId) const
{
    if (m_needed)
        m_statements.execute(QStringLiteral("SELECT ID FROM tblEmployee WHERE ID = ? FOR UPDATE"), {employeeId});
}

void WriteLocks::employees(QList<qint64> employeeIds) const
{
    std::sort(employeeIds.begin(), employeeIds.end());
    for (const qint64 id : employeeIds)
        employee(id);
}

qint64 WriteLocks::nextNumber(Numbering which) const
{
    if (m_needed)
        m_statements.execute(QStringLiteral("SELECT pg_advisory_xact_lock(%1, %2)").arg(advisoryKey).arg(int(which)));
    const QLatin1String table(which == Numbering::Payslips ? "tblHRMonthlySalary" : "tblAccountDocument");
    return m_statements
        .scalar(QStringLiteral("SELECT coalesce(max(CAST(trim(Code) AS BIGINT)), 0) + 1 FROM %1 "
                               "WHERE trim(Code) <> '' AND ltrim(trim(Code), '0123456789') = ''")
                    .arg(table))
        .toLongLong();
}

} // namespace oruhr::embedded
