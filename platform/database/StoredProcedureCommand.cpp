#include "platform/database/StoredProcedureCommand.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/database/LocalProcedures.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>

#include <limits>

namespace oruhr::db {
namespace {

[[noreturn]] void doesNotFit(const ProcedureParameter &parameter, const QString &why)
{
    throw ComponentError(ComponentError::ValueOfWrongType,
                         QStringLiteral("Parameter %1: %2").arg(parameter.name, why));
}

QVariant checkedInteger(const ProcedureParameter &parameter, const QVariant &value)
{
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || value.isNull())
        doesNotFit(parameter, QStringLiteral("not a whole number"));
    if (number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
        doesNotFit(parameter, QStringLiteral("outside the 32-bit range"));
    return QVariant::fromValue(qint32(number));
}

QVariant checkedDateTime(const ProcedureParameter &parameter, const QVariant &value)
{
    if (value.typeId() == QMetaType::QDate && value.toDate().isValid())
        return value;
    if (value.typeId() == QMetaType::QDateTime && value.toDateTime().isValid())
        return value;
    doesNotFit(parameter, QStringLiteral("not a date"));
}

QVariant checkedText(const ProcedureParameter &parameter, const QVariant &value)
{
    const QString text = value.toString();
    if (text.size() > parameter.size)
        doesNotFit(parameter, QStringLiteral("text of %1 characters is longer than %2")
                                  .arg(text.size())
                                  .arg(parameter.size));
    return text;
}

} // namespace

StoredProcedureCommand::StoredProcedureCommand(Connection &connection, QString name,
                                               QList<ProcedureParameter> inputs)
    : m_connection(connection)
    , m_name(std::move(name))
    , m_inputs(std::move(inputs))
{
}

QString StoredProcedureCommand::callText() const
{
    QStringList placeholders;
    for (qsizetype i = 0; i < m_inputs.size(); ++i)
        placeholders << QStringLiteral("?");
    return QStringLiteral("{? = CALL dbo.") + m_name + QStringLiteral("( ") + placeholders.join(QStringLiteral(", "))
           + QStringLiteral(") }");
}

QVariantList StoredProcedureCommand::checkedValues(const QVariantList &values) const
{
    if (values.size() != m_inputs.size())
        throw ComponentError(ComponentError::ValueOfWrongType,
                             QStringLiteral("%1 takes %2 parameters, %3 given")
                                 .arg(m_name)
                                 .arg(m_inputs.size())
                                 .arg(values.size()));
    QVariantList checked;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const ProcedureParameter &parameter = m_inputs[i];
        switch (parameter.type) {
        case ProcedureParameter::Type::Integer:
            checked << checkedInteger(parameter, values[i]);
            break;
        case ProcedureParameter::Type::DateTime:
            checked << checkedDateTime(parameter, values[i]);
            break;
        case ProcedureParameter::Type::VarChar:
            checked << checkedText(parameter, values[i]);
            break;
        }
    }
    return checked;
}

qint32 StoredProcedureCommand::execute(const MonthlySalaryArguments &arguments)
{
    return execute(arguments.values(),
                   [&](const LocalProcedures &local) { return local.call(m_connection, m_name, arguments); });
}

qint32 StoredProcedureCommand::execute(const AccountDocArguments &arguments)
{
    return execute(arguments.values(),
                   [&](const LocalProcedures &local) { return local.call(m_connection, m_name, arguments); });
}

// The local procedures take the typed arguments once their values passed the checks; the
// server binds the checked values.
qint32 StoredProcedureCommand::execute(const QVariantList &values, const LocalCall &callLocal)
{
    const QVariantList checked = checkedValues(values);
    try {
        if (m_connection.dialect() != SqlDialect::SqlServer) {
            const LocalProcedures *local = m_connection.localProcedures();
            if (!local || !local->contains(m_name))
                throw ComponentError(ComponentError::CommandFailed,
                                     QStringLiteral("Could not find stored procedure '%1'.").arg(m_name));
            return callLocal(*local);
        }
        return executeOnServer(checked);
    } catch (const ComponentError &) {
        m_connection.noteFailure();
        throw;
    }
}

qint32 StoredProcedureCommand::executeOnServer(const QVariantList &values)
{
    QSqlQuery query(m_connection.database());
    if (!query.prepare(callText()))
        throw ComponentError(ComponentError::CommandFailed, query.lastError().text());
    query.bindValue(0, QVariant::fromValue(qint32(0)), QSql::Out);
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QVariant &value = values[i];
        query.bindValue(int(i) + 1, value.typeId() == QMetaType::QDate ? QVariant(value.toDate().startOfDay()) : value);
    }
    if (!query.exec())
        throw ComponentError(ComponentError::CommandFailed, query.lastError().text());
    // An error raised after a row count arrives with a later result.
    while (query.nextResult()) {
    }
    if (query.lastError().isValid())
        throw ComponentError(ComponentError::CommandFailed, query.lastError().text());
    return query.boundValue(0).toInt();
}

} // namespace oruhr::db
