#include "platform/database/Transaction.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"

#include <QSqlError>

namespace oruhr::db {

Transaction::Transaction(Connection &connection)
    : m_connection(connection)
{
    QSqlDatabase &database = m_connection.database();
    if (!database.transaction())
        throw ComponentError(ComponentError::CommandFailed, database.lastError().text());
    m_active = true;
}

Transaction::~Transaction()
{
    if (m_active)
        m_connection.database().rollback();
}

void Transaction::commit()
{
    QSqlDatabase &database = m_connection.database();
    if (!database.commit())
        throw ComponentError(ComponentError::CommandFailed, database.lastError().text());
    m_active = false;
}

} // namespace oruhr::db
