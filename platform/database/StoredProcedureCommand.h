#pragma once

#include "platform/database/AccountDocArguments.h"
#include "platform/database/MonthlySalaryArguments.h"

#include <QList>
#include <QString>
#include <QVariantList>

#include <functional>

namespace oruhr::db {

class Connection;
class LocalProcedures;

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
    StoredProcedureCommand(Connection &connection, QString name, QList<ProcedureParameter> inputs);

    const QString &name() const { return m_name; }

    // "{? = CALL dbo.NAME( ?, ?, ?, ?) }"
    QString callText() const;

    // A value that does not fit its parameter, a text longer than its size among them,
    // fails with ComponentError before anything is sent.
    qint32 execute(const MonthlySalaryArguments &arguments);
    qint32 execute(const AccountDocArguments &arguments);

private:
    using LocalCall = std::function<qint32(const LocalProcedures &)>;
    qint32 execute(const QVariantList &values, const LocalCall &callLocal);
    QVariantList checkedValues(const QVariantList &values) const;
    qint32 executeOnServer(const QVariantList &values);

    Connection &m_connection;
    QString m_name;
    QList<ProcedureParameter> m_inputs;
};

} // namespace oruhr::db
