#include "platform/database/BackendTarget.h"

#include "platform/automation/ComponentError.h"

#include <QMap>
#include <QStringList>

namespace oruhr::db {
namespace {

// Splits "Key=Value;Key2='a;b'" into lower-case keys and unquoted values.
QMap<QString, QString> parseKeyValues(const QString &text)
{
    QMap<QString, QString> result;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype equals = text.indexOf(QLatin1Char('='), i);
        if (equals < 0)
            break;
        const QString key = text.mid(i, equals - i).trimmed().toLower();
        i = equals + 1;
        while (i < n && text[i] == QLatin1Char(' '))
            ++i;
        QString value;
        if (i < n && (text[i] == QLatin1Char('"') || text[i] == QLatin1Char('\''))) {
            const QChar quote = text[i++];
            while (i < n) {
                if (text[i] == quote) {
                    if (i + 1 < n && text[i + 1] == quote) {
                        value += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text[i++];
            }
            const qsizetype semicolon = text.indexOf(QLatin1Char(';'), i);
            i = semicolon < 0 ? n : semicolon + 1;
        } else {
            const qsizetype semicolon = text.indexOf(QLatin1Char(';'), i);
            const qsizetype end = semicolon < 0 ? n : semicolon;
            value = text.mid(i, end - i).trimmed();
            i = end + 1;
        }
        if (!key.isEmpty())
            result.insert(key, value);
    }
    return result;
}

QString firstOf(const QMap<QString, QString> &values, std::initializer_list<const char *> keys)
{
    for (const char *key : keys) {
        const auto it = values.constFind(QString::fromLatin1(key));
        if (it != values.constEnd())
            return it.value();
    }
    return {};
}

BackendTarget target(BackendTarget::Kind kind, const QString &driver, const QString &databaseName)
{
    BackendTarget result;
    result.kind = kind;
    result.driverName = driver;
    result.databaseName = databaseName;
    return result;
}

bool isSqlServerProvider(const QString &provider)
{
    const QString name = provider.section(QLatin1Char('.'), 0, 0).trimmed().toLower();
    return name == QLatin1String("sqloledb") || name.startsWith(QLatin1String("sqlncli"))
           || name.startsWith(QLatin1String("msoledbsql"));
}

// "host\instance" and "host,port" as the OLE DB providers accept them.
void appendServer(QStringList &parts, const QString &dataSource)
{
    QString server = dataSource;
    if (server.startsWith(QLatin1String("tcp:"), Qt::CaseInsensitive))
        server = server.mid(4);
    const qsizetype comma = server.indexOf(QLatin1Char(','));
    if (comma >= 0) {
        parts << QStringLiteral("Server=") + BackendTarget::odbcValue(server.left(comma).trimmed())
              << QStringLiteral("Port=") + server.mid(comma + 1).trimmed();
        return;
    }
    parts << QStringLiteral("Server=") + BackendTarget::odbcValue(server);
    if (!server.contains(QLatin1Char('\\')))
        parts << QStringLiteral("Port=1433");
}

QString sqlServerOdbcString(const QMap<QString, QString> &values)
{
    const QString driver = qEnvironmentVariableIsSet("ORUHR_ODBC_DRIVER")
                               ? qEnvironmentVariable("ORUHR_ODBC_DRIVER")
                               : QStringLiteral("FreeTDS");
    QStringList parts{QStringLiteral("Driver={") + driver + QLatin1Char('}')};
    appendServer(parts, firstOf(values, {"data source", "server", "address", "addr"}));
    const QString database = firstOf(values, {"initial catalog", "database"});
    if (!database.isEmpty())
        parts << QStringLiteral("Database=") + BackendTarget::odbcValue(database);
    const QString security = firstOf(values, {"integrated security", "trusted_connection"}).toLower();
    if (security == QLatin1String("sspi") || security == QLatin1String("true")
        || security == QLatin1String("yes")) {
        parts << QStringLiteral("Trusted_Connection=Yes");
    } else {
        parts << QStringLiteral("UID=") + BackendTarget::odbcValue(firstOf(values, {"user id", "uid", "user"}))
              << QStringLiteral("PWD=") + BackendTarget::odbcValue(firstOf(values, {"password", "pwd"}));
    }
    if (driver.compare(QLatin1String("FreeTDS"), Qt::CaseInsensitive) == 0)
        parts << QStringLiteral("TDS_Version=7.4") << QStringLiteral("ClientCharset=UTF-8");
    return parts.join(QLatin1Char(';'));
}

[[noreturn]] void unusable();

// "host", "host:5433" or a socket folder "/run/postgresql" (whose port, if any, follows a ':').
BackendTarget postgresTarget(const QMap<QString, QString> &values)
{
    BackendTarget result = target(BackendTarget::Kind::PostgreSQL, QStringLiteral("QPSQL"),
                                             firstOf(values, {"initial catalog", "database"}));
    QString source = firstOf(values, {"data source", "server", "host"});
    const qsizetype colon = source.lastIndexOf(QLatin1Char(':'));
    if (colon > 0) {
        bool ok = false;
        const int port = source.mid(colon + 1).toInt(&ok);
        if (!ok || port <= 0 || port > 65535)
            unusable();
        result.port = port;
        source = source.left(colon);
    }
    if (source.isEmpty() || result.databaseName.isEmpty())
        unusable();
    result.hostName = source;
    result.userName = firstOf(values, {"user id", "uid", "user"});
    result.password = firstOf(values, {"password", "pwd"});
    return result;
}

[[noreturn]] void unusable()
{
    throw ComponentError(
        ComponentError::ProviderNotFound,
        QStringLiteral("رشته اتصال به پايگاه داده قابل استفاده نيست. رشته‌هاي پذيرفته: "
                       "\"Provider=SQLite;Data Source=...\"، \"Provider=PostgreSQL;Data Source=...;"
                       "Initial Catalog=...\"، \"Provider=SQLOLEDB;...\" "
                       "(و SQLNCLI و MSOLEDBSQL)، \"Driver=...\" يا \"DSN=...\"."));
}

} // namespace

QString BackendTarget::odbcValue(const QString &value)
{
    if (!value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{'))
        && !value.contains(QLatin1Char('}')) && value.trimmed() == value)
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('}'), QLatin1String("}}"));
    return QLatin1Char('{') + escaped + QLatin1Char('}');
}

BackendTarget BackendTarget::resolve(const QString &connectionString)
{
    const QString text = connectionString.trimmed();
    if (text.startsWith(QLatin1String("driver="), Qt::CaseInsensitive))
        return target(BackendTarget::Kind::Odbc, QStringLiteral("QODBC"), text);
    if (text.startsWith(QLatin1String("dsn="), Qt::CaseInsensitive)) {
        // Qt's ODBC driver puts "DSN=" before a string that names no driver or server itself.
        const bool namesItsTarget = text.contains(QLatin1String("driver="), Qt::CaseInsensitive)
                                    || text.contains(QLatin1String("server="), Qt::CaseInsensitive);
        return target(BackendTarget::Kind::Odbc, QStringLiteral("QODBC"), namesItsTarget ? text : text.mid(4));
    }

    const QMap<QString, QString> values = parseKeyValues(text);
    const QString provider = values.value(QStringLiteral("provider"));
    if (provider.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0) {
        const QString file = firstOf(values, {"data source", "database"});
        if (file.isEmpty())
            unusable();
        return target(BackendTarget::Kind::SQLite, QStringLiteral("QSQLITE"), file);
    }
    if (provider.compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) == 0)
        return postgresTarget(values);
    if (isSqlServerProvider(provider))
        return target(BackendTarget::Kind::Odbc, QStringLiteral("QODBC"), sqlServerOdbcString(values));
    unusable();
}

} // namespace oruhr::db
