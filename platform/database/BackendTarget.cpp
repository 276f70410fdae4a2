#include "platform/database/BackendTarget.h"

#include "platform/automation/ComponentError.h"

#include <QMap>
#include <QStringList>

namespace oruhr::db {
namespace {

// One "Key=Value" of a string: where it starts and ends (after its ';'), and where its value is.
struct Pair {
    QString name;  // as written
    QString key;   // lower case
    QString value; // unquoted
    qsizetype begin = 0, valueBegin = 0, valueEnd = 0, end = 0;
};

// Splits "Key=Value;Key2='a;b';Key3={c;d}" into its pairs.
QList<Pair> scan(const QString &text)
{
    QList<Pair> result;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype equals = text.indexOf(QLatin1Char('='), i);
        if (equals < 0)
            break;
        Pair pair;
        pair.begin = i;
        pair.name = text.mid(i, equals - i).trimmed();
        pair.key = pair.name.toLower();
        i = equals + 1;
        while (i < n && text[i] == QLatin1Char(' '))
            ++i;
        pair.valueBegin = i;
        if (i < n && (text[i] == QLatin1Char('"') || text[i] == QLatin1Char('\'') || text[i] == QLatin1Char('{'))) {
            const QChar quote = text[i] == QLatin1Char('{') ? QLatin1Char('}') : text[i];
            ++i;
            while (i < n) {
                if (text[i] == quote) {
                    if (i + 1 < n && text[i + 1] == quote) {
                        pair.value += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                pair.value += text[i++];
            }
            const qsizetype semicolon = text.indexOf(QLatin1Char(';'), i);
            pair.valueEnd = semicolon < 0 ? n : semicolon;
        } else {
            const qsizetype semicolon = text.indexOf(QLatin1Char(';'), i);
            pair.valueEnd = semicolon < 0 ? n : semicolon;
            pair.value = text.mid(i, pair.valueEnd - i).trimmed();
        }
        i = pair.valueEnd + 1;
        pair.end = qMin(i, n);
        if (!pair.key.isEmpty())
            result.append(pair);
    }
    return result;
}

QMap<QString, QString> parseKeyValues(const QString &text)
{
    QMap<QString, QString> result;
    for (const Pair &pair : scan(text))
        result.insert(pair.key, pair.value);
    return result;
}

bool isPasswordKey(const QString &key)
{
    return key == QLatin1String("password") || key == QLatin1String("pwd");
}

// A value as an OLE DB string reads it back; ODBC strings quote with braces.
QString quoted(const QString &value, bool odbc)
{
    if (odbc)
        return BackendTarget::odbcValue(value);
    if (!value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('\'')) && !value.contains(QLatin1Char('"'))
        && !value.startsWith(QLatin1Char('{')) && value.trimmed() == value)
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

[[noreturn]] void refuse(const QString &message)
{
    throw ComponentError(ComponentError::ProviderNotFound, message);
}

// OLE DB compares keys without regard to case; a key the provider does not take is a typing
// slip the administrator should hear of, not a setting silently dropped.
void refuseUnknownKeys(const QString &text, const QStringList &known)
{
    for (const Pair &pair : scan(text))
        if (!known.contains(pair.key))
            refuse(QStringLiteral("کليد «%1» در رشته اتصال شناخته نيست.").arg(pair.name));
}

[[noreturn]] void badValue(const char *key, const QString &value)
{
    refuse(QStringLiteral("مقدار «%1» براي «%2» در رشته اتصال پذيرفته نيست.").arg(value, QLatin1String(key)));
}

int seconds(const QMap<QString, QString> &values, std::initializer_list<const char *> keys, int fallback)
{
    for (const char *key : keys) {
        const auto it = values.constFind(QString::fromLatin1(key));
        if (it == values.constEnd())
            continue;
        bool ok = false;
        const int result = it.value().toInt(&ok);
        if (!ok || result < 0 || result > 24 * 3600)
            badValue(key, it.value());
        return result;
    }
    return fallback;
}

// One of the given words, whatever its case; the empty string when the key is absent.
QString oneOf(const QMap<QString, QString> &values, const char *key, const QStringList &words)
{
    const QString value = values.value(QString::fromLatin1(key)).trimmed().toLower();
    if (!value.isEmpty() && !words.contains(value))
        badValue(key, values.value(QString::fromLatin1(key)));
    return value;
}

void readTimeouts(BackendTarget &target, const QMap<QString, QString> &values)
{
    target.lockTimeoutSeconds = seconds(values, {"lock timeout"}, target.lockTimeoutSeconds);
    target.statementTimeoutSeconds =
        seconds(values, {"command timeout", "statement timeout"}, target.statementTimeoutSeconds);
}

const QStringList serverKeys{
    QStringLiteral("provider"),         QStringLiteral("data source"),       QStringLiteral("server"),
    QStringLiteral("initial catalog"),  QStringLiteral("database"),          QStringLiteral("user id"),
    QStringLiteral("uid"),              QStringLiteral("user"),              QStringLiteral("password"),
    QStringLiteral("pwd"),              QStringLiteral("persist security info"),
    QStringLiteral("application name"), QStringLiteral("lock timeout"),      QStringLiteral("command timeout"),
    QStringLiteral("statement timeout"), QStringLiteral("connect timeout"),
};

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

const QStringList sqlServerKeys = serverKeys + QStringList{
    QStringLiteral("address"),        QStringLiteral("addr"),          QStringLiteral("integrated security"),
    QStringLiteral("trusted_connection"), QStringLiteral("encrypt"),   QStringLiteral("trustservercertificate"),
    QStringLiteral("use encryption for data"), QStringLiteral("workstation id"), QStringLiteral("auto translate"),
    QStringLiteral("packet size"),    QStringLiteral("use procedure for prepare"), QStringLiteral("network library"),
    QStringLiteral("current language"), QStringLiteral("tag with column collation when possible"),
};

QString sqlServerOdbcString(const QMap<QString, QString> &values, const QString &applicationName)
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
    const bool freeTds = driver.compare(QLatin1String("FreeTDS"), Qt::CaseInsensitive) == 0;
    if (freeTds)
        parts << QStringLiteral("TDS_Version=7.4") << QStringLiteral("ClientCharset=UTF-8");
    // Only when asked for: the customer's own procedures may rightly run long.
    const int statementTimeout = seconds(values, {"command timeout", "statement timeout"}, 0);
    if (freeTds && statementTimeout > 0)
        parts << QStringLiteral("Timeout=%1").arg(statementTimeout);
    // The OLE DB providers' words. FreeTDS names it Encryption, and its "request" encrypts
    // what the server allows, as Microsoft's "no" does.
    const QStringList yes{QStringLiteral("yes"), QStringLiteral("true"), QStringLiteral("mandatory")};
    const QStringList no{QStringLiteral("no"), QStringLiteral("false"), QStringLiteral("optional")};
    QString encrypt = oneOf(values, "encrypt", yes + no + QStringList{QStringLiteral("strict")});
    if (encrypt.isEmpty())
        encrypt = oneOf(values, "use encryption for data", yes + no);
    if (yes.contains(encrypt))
        parts << (freeTds ? QStringLiteral("Encryption=require") : QStringLiteral("Encrypt=yes"));
    else if (no.contains(encrypt))
        parts << (freeTds ? QStringLiteral("Encryption=request") : QStringLiteral("Encrypt=no"));
    else if (!encrypt.isEmpty())
        parts << (freeTds ? QStringLiteral("Encryption=strict") : QStringLiteral("Encrypt=strict"));
    const QString trust = oneOf(values, "trustservercertificate", yes + no);
    if (!trust.isEmpty())
        parts << QStringLiteral("TrustServerCertificate=") + (yes.contains(trust) ? QStringLiteral("yes") : QStringLiteral("no"));
    const QString application = values.value(QStringLiteral("application name"), applicationName);
    if (!application.isEmpty())
        parts << QStringLiteral("APP=") + BackendTarget::odbcValue(application);
    return parts.join(QLatin1Char(';'));
}

// A value for libpq's "key=value" list, which Qt's driver splits at ';'.
QString libpqOption(const char *key, const QString &value)
{
    if (value.contains(QLatin1Char(';')))
        badValue(key, value);
    QString quoted = value;
    if (value.isEmpty() || value.contains(QLatin1Char(' ')) || value.contains(QLatin1Char('\''))
        || value.contains(QLatin1Char('\\'))) {
        quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        quoted.replace(QLatin1Char('\''), QLatin1String("\\'"));
        quoted = QLatin1Char('\'') + quoted + QLatin1Char('\'');
    }
    return QLatin1String(key) + QLatin1Char('=') + quoted;
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
    QStringList options{QStringLiteral("connect_timeout=%1").arg(seconds(values, {"connect timeout"}, 10))};
    const QString sslmode = oneOf(values, "sslmode",
                                  {QStringLiteral("disable"), QStringLiteral("allow"), QStringLiteral("prefer"),
                                   QStringLiteral("require"), QStringLiteral("verify-ca"), QStringLiteral("verify-full")});
    if (!sslmode.isEmpty())
        options << QStringLiteral("sslmode=") + sslmode;
    if (values.contains(QStringLiteral("sslrootcert")))
        options << libpqOption("sslrootcert", values.value(QStringLiteral("sslrootcert")));
    result.connectOptions = options.join(QLatin1Char(';'));
    return result;
}

[[noreturn]] void unusable()
{
    refuse(
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

BackendTarget BackendTarget::resolve(const QString &connectionString, const QString &applicationName)
{
    const QString text = connectionString.trimmed();
    BackendTarget result;
    if (text.startsWith(QLatin1String("driver="), Qt::CaseInsensitive)) {
        result = target(BackendTarget::Kind::Odbc, QStringLiteral("QODBC"), text);
    } else if (text.startsWith(QLatin1String("dsn="), Qt::CaseInsensitive)) {
        // Qt's ODBC driver puts "DSN=" before a string that names no driver or server itself.
        const bool namesItsTarget = text.contains(QLatin1String("driver="), Qt::CaseInsensitive)
                                    || text.contains(QLatin1String("server="), Qt::CaseInsensitive);
        result = target(BackendTarget::Kind::Odbc, QStringLiteral("QODBC"), namesItsTarget ? text : text.mid(4));
    } else {
        const QMap<QString, QString> values = parseKeyValues(text);
        const QString provider = values.value(QStringLiteral("provider"));
        if (provider.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0) {
            refuseUnknownKeys(text, {QStringLiteral("provider"), QStringLiteral("data source"),
                                     QStringLiteral("database"), QStringLiteral("persist security info")});
            const QString file = firstOf(values, {"data source", "database"});
            if (file.isEmpty())
                unusable();
            return target(BackendTarget::Kind::SQLite, QStringLiteral("QSQLITE"), file);
        }
        if (provider.compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) == 0) {
            refuseUnknownKeys(text, serverKeys + QStringList{QStringLiteral("host"), QStringLiteral("sslmode"),
                                                             QStringLiteral("sslrootcert")});
            result = postgresTarget(values);
        } else if (isSqlServerProvider(provider)) {
            refuseUnknownKeys(text, sqlServerKeys);
            result = target(BackendTarget::Kind::Odbc, QStringLiteral("QODBC"),
                            sqlServerOdbcString(values, applicationName));
            result.connectOptions =
                QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(seconds(values, {"connect timeout"}, 10));
        } else {
            unusable();
        }
        readTimeouts(result, values);
        result.applicationName = values.value(QStringLiteral("application name"), applicationName);
        return result;
    }
    result.applicationName = applicationName;
    return result;
}

std::optional<QString> BackendTarget::passwordOf(const QString &connectionString)
{
    std::optional<QString> result;
    for (const Pair &pair : scan(connectionString))
        if (isPasswordKey(pair.key))
            result = pair.value;
    return result;
}

QString BackendTarget::withPassword(const QString &connectionString, const std::optional<QString> &password)
{
    QString text = connectionString;
    const QList<Pair> pairs = scan(text);
    const bool odbc = text.trimmed().startsWith(QLatin1String("driver="), Qt::CaseInsensitive)
                      || text.trimmed().startsWith(QLatin1String("dsn="), Qt::CaseInsensitive);
    bool replaced = false;
    for (auto it = pairs.crbegin(); it != pairs.crend(); ++it) {
        if (!isPasswordKey(it->key))
            continue;
        if (!password) {
            text.remove(it->begin, it->end - it->begin);
        } else if (!replaced) {
            text.replace(it->valueBegin, it->valueEnd - it->valueBegin, quoted(*password, odbc));
            replaced = true;
        }
    }
    if (!password) {
        while (text.endsWith(QLatin1Char(';')) || text.endsWith(QLatin1Char(' ')))
            text.chop(1);
    } else if (!replaced) {
        if (!text.trimmed().isEmpty() && !text.trimmed().endsWith(QLatin1Char(';')))
            text += QLatin1Char(';');
        text += QStringLiteral("Password=") + quoted(*password, odbc);
    }
    return text;
}

QString BackendTarget::masked(const QString &connectionString)
{
    const std::optional<QString> given = passwordOf(connectionString);
    return given && !given->isEmpty() ? withPassword(connectionString, QString::fromLatin1(passwordMask))
                                      : connectionString;
}

} // namespace oruhr::db
