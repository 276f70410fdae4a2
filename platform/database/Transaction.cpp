#include "platform/database/Transaction.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/database/DatabaseLog.h"
#include "platform/database/ServerPipeline.h"
#include "platform/database/StatementCache.h"

#include <QSqlError>
#include <QSqlQuery>

namespace oruhr::db {
namespace {

[[noreturn]] void fail(QSqlDatabase &database)
{
    throw ComponentError(ComponentError::CommandFailed, database.lastError().text());
}

} // namespace

Transaction::Transaction(Connection &connection)
    : Transaction(connection, QString())
{
}

Transaction::Transaction(Connection &connection, const QString &firstStatement,
                         const std::function<void(StatementRows &)> &rows)
    : m_connection(connection)
    , m_usesStatements(connection.dialect() == SqlDialect::SQLite)
{
    if (!firstStatement.isEmpty() && connection.dialect() == SqlDialect::PostgreSQL) {
        beginAfter(firstStatement, rows);
        return;
    }
    if (m_usesStatements)
        m_connection.statements().execute(QStringLiteral("BEGIN IMMEDIATE"));
    else if (!m_connection.database().transaction())
        fail(m_connection.database());
    m_active = true;
    if (firstStatement.isEmpty())
        return;
    StatementRows found = m_connection.statements().run(firstStatement);
    if (rows)
        rows(found);
}

// PostgreSQL counts statements before a BEGIN in the same message into the transaction it
// opens, and Qt reports the first statement's error and rows, so the statement leads. Not a
// cached statement: its text differs from call to call.
void Transaction::beginAfter(const QString &firstStatement, const std::function<void(StatementRows &)> &rows)
{
    QSqlQuery query(m_connection.database());
    query.setForwardOnly(true);
    if (!query.exec(firstStatement + QStringLiteral("; BEGIN")))
        throw ComponentError(ComponentError::CommandFailed, query.lastError().text());
    m_active = true;
    StatementRows found(query);
    if (rows)
        rows(found);
}

Transaction::~Transaction()
{
    // A connection the server dropped has rolled back on the server already, and is not
    // opened again just to say so.
    if (!m_active || !m_connection.isOpen())
        return;
    try {
        if (m_usesStatements)
            m_connection.statements().execute(QStringLiteral("ROLLBACK"));
        else
            m_connection.database().rollback();
    } catch (const ComponentError &error) {
        // SQLite has rolled back already when the failure was one that ends the transaction.
        qCInfo(lcDatabase) << "rollback:" << error.number() << error.description();
    }
}

QVariant Transaction::commitWith(const QString &sql, const QVariantList &values)
{
    if (m_active && ServerPipeline::isAvailable(m_connection))
        return ServerPipeline::runAndCommit(m_connection, sql, values, m_active);
    const QVariant first = m_connection.statements().scalar(sql, values);
    commit();
    return first;
}

void Transaction::commit()
{
    if (m_usesStatements)
        m_connection.statements().execute(QStringLiteral("COMMIT"));
    else if (!m_connection.database().commit())
        fail(m_connection.database());
    m_active = false;
}

} // namespace oruhr::db
