#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

namespace oruhr::db {

class Connection;

// One input parameter of a stored procedure.
struct ProcedureParameter {
    enum class Type { Integer, DateTime, VarChar };

    QString name;
    Type type = Type::Integer;
    int size = 0; // characters, for VarChar
};

// A stored procedure called with typed inputs, giving back its 32-bit return value.
// On SQL Server the database's own procedure runs through the ODBC escape call; on SQLite
// the connection's local procedures stand in for it.
class StoredProcedureCommand {
public:
    StoredProcedureCommand(Connection &connection, QString name, QList<ProcedureParameter> inputs,
                           QString returnValueName = QStringLiteral("RETURN_VALUE"));

    const QString &name() const { return m_name; }
    const QList<ProcedureParameter> &inputs() const { return m_inputs; }
    const QString &returnValueName() const { return m_returnValueName; }

    // "{? = CALL dbo.NAME( ?, ?, ?, ?) }"
    QString callText() const;

    // Inputs in declaration order. A value that does not fit its parameter, a text longer
    // than its size among them, fails with ComponentError before anything is sent.
    qint32 execute(const QVariantList &values);

private:
    QVariantList checkedValues(const QVariantList &values) const;
    qint32 executeOnServer(const QVariantList &values);

    Connection &m_connection;
    QString m_name;
    QList<ProcedureParameter> m_inputs;
    QString m_returnValueName;
};

} // namespace oruhr::db
