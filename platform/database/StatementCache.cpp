#include "platform/database/StatementCache.h"

#include "platform/automation/ComponentError.h"

#include <QSqlDriver>
#include <QSqlError>

namespace oruhr::db {
namespace {

[[noreturn]] void fail(const QSqlQuery &query)
{
    throw ComponentError(ComponentError::CommandFailed, query.lastError().text());
}

} // namespace

StatementCache::StatementCache(const QSqlDatabase &database)
    : m_database(database)
    , m_postgres(database.driver()->dbmsType() == QSqlDriver::PostgreSQL)
{
}

StatementCache::~StatementCache()
{
    clear();
}

void StatementCache::clear()
{
    m_statements.clear();
    m_kept.clear();
}

StatementCache::Statement &StatementCache::prepared(const QString &sql, bool withValues)
{
    auto found = m_statements.find(sql);
    if (found != m_statements.end())
        return found->second;
    Statement statement{std::make_unique<QSqlQuery>(m_database), m_postgres && !withValues};
    statement.query->setForwardOnly(true);
    if (!statement.direct && !statement.query->prepare(sql))
        fail(*statement.query);
    return m_statements.emplace(sql, std::move(statement)).first->second;
}

StatementRows StatementCache::run(const QString &sql, const QVariantList &values)
{
    Statement &statement = prepared(sql, !values.isEmpty());
    QSqlQuery &query = *statement.query;
    query.finish();
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values[i]);
    if (!(statement.direct ? query.exec(sql) : query.exec())) {
        const QSqlError error = query.lastError();
        query.finish();
        throw ComponentError(ComponentError::CommandFailed, error.text());
    }
    return StatementRows(query);
}

QVariant StatementCache::scalar(const QString &sql, const QVariantList &values)
{
    StatementRows rows = run(sql, values);
    return rows.next() ? rows.value(0) : QVariant();
}

qint64 StatementCache::insert(const QString &sql, const QVariantList &values)
{
    const QVariant id = scalar(sql, values);
    if (id.isValid())
        return id.toLongLong();
    // Qt's ODBC driver drops the rows of an INSERT; behind it only SQLite runs these statements.
    return scalar(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
}

} // namespace oruhr::db
