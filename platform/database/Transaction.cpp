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
    , m_usesStatements(connection.dialect() == SqlDialect::SQLite)
{
    if (m_usesStatements)
        m_connection.statements().execute(QStringLiteral("BEGIN IMMEDIATE"));
    else if (!m_connection.database().transaction())
        fail(m_connection.database());
    m_active = true;
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

void Transaction::commit()
{
    if (m_usesStatements)
        m_connection.statements().execute(QStringLiteral("COMMIT"));
    else if (!m_connection.database().commit())
        fail(m_connection.database());
    m_active = false;
}

} // namespace oruhr::db
