#include "platform/database/Recordset.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/database/DatabaseLog.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace oruhr::db {

Recordset::Recordset(Connection &connection)
    : m_connection(&connection)
{
}

void Recordset::open(const QString &sql)
{
    close();
    qCDebug(lcDatabase).noquote() << sql; // what the windows send, for an administrator tracing a fault
    QSqlQuery query(m_connection->database());
    query.setForwardOnly(true);
    if (!query.exec(m_connection->nativeSql(sql))) {
        m_connection->noteFailure();
        throw ComponentError(ComponentError::CommandFailed, query.lastError().text());
    }
    if (!query.isSelect())
        return;

    const QSqlRecord record = query.record();
    const int columnCount = record.count();
    for (int c = 0; c < columnCount; ++c) {
        m_columns << record.fieldName(c);
        if (!m_columnIndex.contains(record.fieldName(c).toLower())) // the first of equal names
            m_columnIndex.insert(record.fieldName(c).toLower(), c);
    }
    while (query.next()) {
        for (int c = 0; c < columnCount; ++c)
            m_values.append(query.isNull(c) ? QVariant() : query.value(c));
        ++m_rowCount;
    }
    if (query.lastError().isValid())
        throw ComponentError(ComponentError::CommandFailed, query.lastError().text());
    m_open = true;
}

void Recordset::close()
{
    m_open = false;
    m_columns.clear();
    m_columnIndex.clear();
    m_values.clear();
    m_rowCount = 0;
    m_position = 0;
}

void Recordset::requireOpen() const
{
    if (!m_open)
        throw ComponentError(ComponentError::ObjectClosed,
                             QStringLiteral("Operation is not allowed when the object is closed."));
}

int Recordset::recordCount() const
{
    requireOpen();
    return int(m_rowCount);
}

bool Recordset::eof() const
{
    requireOpen();
    return m_position >= m_rowCount;
}

bool Recordset::bof() const
{
    requireOpen();
    return m_rowCount == 0;
}

void Recordset::moveFirst()
{
    requireOpen();
    m_position = 0;
}

void Recordset::moveNext()
{
    requireOpen();
    if (m_position >= m_rowCount)
        throw ComponentError(ComponentError::NoCurrentRecord,
                             QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    ++m_position;
}

int Recordset::fieldIndex(const QString &name) const
{
    requireOpen();
    const auto column = m_columnIndex.constFind(name.toLower());
    if (column == m_columnIndex.constEnd())
        throw ComponentError(ComponentError::FieldNotFound,
                             QStringLiteral("Item cannot be found in the collection corresponding to the "
                                            "requested name or ordinal: ") + name);
    return *column;
}

QVariant Recordset::field(int index) const
{
    requireOpen();
    if (m_position >= m_rowCount)
        throw ComponentError(ComponentError::NoCurrentRecord,
                             QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    if (index < 0 || index >= m_columns.size())
        throw ComponentError(ComponentError::FieldNotFound, QStringLiteral("No column %1").arg(index));
    return m_values[m_position * m_columns.size() + index];
}

QVariant Recordset::field(const QString &name) const
{
    return field(fieldIndex(name));
}

} // namespace oruhr::db
