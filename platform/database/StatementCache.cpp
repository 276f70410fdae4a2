#include "platform/database/StatementCache.h"

#include "platform/automation/ComponentError.h"

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
{
}

StatementCache::~StatementCache()
{
    clear();
}

void StatementCache::clear()
{
    m_statements.clear();
}

QSqlQuery &StatementCache::prepared(const QString &sql)
{
    auto found = m_statements.find(sql);
    if (found != m_statements.end())
        return *found->second;
    auto query = std::make_unique<QSqlQuery>(m_database);
    query->setForwardOnly(true);
    if (!query->prepare(sql))
        fail(*query);
    return *m_statements.emplace(sql, std::move(query)).first->second;
}

StatementRows StatementCache::run(const QString &sql, const QVariantList &values)
{
    QSqlQuery &query = prepared(sql);
    query.finish();
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values[i]);
    if (!query.exec()) {
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
