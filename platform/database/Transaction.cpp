#include "platform/database/Transaction.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/database/DatabaseLog.h"
#include "platform/database/StatementCache.h"

#include <QSqlError>

namespace oruhr::db {
namespace {

[[noreturn]] void fail(QSqlDatabase &database)
{
    throw ComponentError(ComponentError::CommandFailed, database.lastError().text());
}

} // namespace

Transaction::Transaction(Connection &connection)
    : m_connection(connection)
{
    if (usesStatements())
        m_connection.statements().execute(QStringLiteral("BEGIN IMMEDIATE"));
    else if (!m_connection.database().transaction())
        fail(m_connection.database());
    m_active = true;
}

Transaction::~Transaction()
{
    if (!m_active)
        return;
    if (!usesStatements()) {
        m_connection.database().rollback();
        return;
    }
    try {
        m_connection.statements().execute(QStringLiteral("ROLLBACK"));
    } catch (const ComponentError &error) {
        // SQLite has rolled back already when the failure was one that ends the transaction.
        qCDebug(lcDatabase) << "rollback:" << error.number() << error.description();
    }
}

void Transaction::commit()
{
    if (usesStatements())
        m_connection.statements().execute(QStringLiteral("COMMIT"));
    else if (!m_connection.database().commit())
        fail(m_connection.database());
    m_active = false;
}

// Qt's own transaction calls open a deferred one on SQLite, and none at all through an
// ODBC driver Qt does not know; SQLite's statements work on both.
bool Transaction::usesStatements() const
{
    return m_connection.dialect() == SqlDialect::SQLite;
}

} // namespace oruhr::db
