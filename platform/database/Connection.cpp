#include "platform/database/Connection.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/BackendTarget.h"
#include "platform/database/DatabaseLog.h"
#include "platform/database/StatementCache.h"
#include "platform/database/TsqlRewriter.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace oruhr::db {
namespace {

constexpr int busyTimeoutMilliseconds = 10000;

QString uniqueConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("oruhr-connection-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

Connection::Connection()
    : m_connectionString(QStringLiteral("0"))
    , m_name(uniqueConnectionName())
{
}

Connection::~Connection()
{
    close();
}

void Connection::setConnectionString(const QString &connectionString)
{
    close();
    m_connectionString = connectionString;
}

bool Connection::isOpen() const
{
    return m_database.isValid() && m_database.isOpen();
}

void Connection::open()
{
    if (isOpen() && !linkIsBroken())
        return;
    close();
    const BackendTarget target = BackendTarget::resolve(
        m_connectionString, m_applicationName.isEmpty() ? QCoreApplication::applicationName() : m_applicationName);
    if (target.kind == BackendTarget::Kind::SQLite && !QFileInfo::exists(target.databaseName))
        throw ComponentError(ComponentError::ConnectionFailed,
                             QStringLiteral("فايل پايگاه داده پيدا نشد: ") + target.databaseName);

    m_database = QSqlDatabase::addDatabase(target.driverName, m_name);
    if (!m_database.isValid()) {
        close();
        throw ComponentError(ComponentError::ProviderNotFound,
                             QStringLiteral("Qt SQL driver %1 is not installed").arg(target.driverName));
    }
    m_database.setDatabaseName(target.databaseName);
    if (target.kind == BackendTarget::Kind::PostgreSQL) {
        m_database.setHostName(target.hostName);
        m_database.setPort(target.port);
        m_database.setUserName(target.userName);
        m_database.setPassword(target.password);
    }
    m_database.setConnectOptions(target.kind == BackendTarget::Kind::SQLite
                                     ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMilliseconds)
                                           + (m_readOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString())
                                     : target.connectOptions);
    if (!m_database.open()) {
        const QString message = m_database.lastError().text();
        close();
        throw ComponentError(ComponentError::ConnectionFailed, message);
    }
    if (target.kind == BackendTarget::Kind::SQLite) {
        // With the write-ahead log a commit need not wait for the disk, and the file still
        // never comes apart; a payroll run makes one commit per employee. Other journals keep
        // the full wait.
        QSqlQuery journal(m_database);
        if (journal.exec(QStringLiteral("PRAGMA journal_mode")) && journal.next()
            && journal.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0)
            QSqlQuery(m_database).exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    }
    m_embedded = target.kind == BackendTarget::Kind::SQLite;
    m_dialect = detectDialect();
    configureSession(target);
    if (m_readOnly)
        keepReadOnly();
    qCInfo(lcDatabase) << "connection" << m_name << "opened with driver" << target.driverName;
}

SqlDialect Connection::detectDialect()
{
    const QSqlDriver::DbmsType type = m_database.driver()->dbmsType();
    if (type == QSqlDriver::SQLite)
        return SqlDialect::SQLite;
    if (type == QSqlDriver::PostgreSQL)
        return SqlDialect::PostgreSQL;
    if (type == QSqlDriver::MSSqlServer || type == QSqlDriver::Sybase)
        return SqlDialect::SqlServer;
    // An ODBC driver Qt does not name: SQLite answers this, SQL Server does not.
    QSqlQuery probe(m_database);
    if (probe.exec(QStringLiteral("select sqlite_version()"))) {
        QSqlQuery pragma(m_database);
        pragma.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(busyTimeoutMilliseconds));
        return SqlDialect::SQLite;
    }
    return SqlDialect::SqlServer;
}

// A waiting lock or a runaway statement fails the call like any other failure, and the
// session is listed under the program and its user.
void Connection::configureSession(const BackendTarget &target)
{
    QString failure;
    {
        QSqlQuery query(m_database);
        bool done = true;
        if (m_dialect == SqlDialect::PostgreSQL) {
            query.prepare(QStringLiteral("SELECT set_config('application_name', ?, false), "
                                         "set_config('lock_timeout', ?, false), set_config('statement_timeout', ?, false)"));
            query.addBindValue(target.applicationName);
            query.addBindValue(QStringLiteral("%1s").arg(target.lockTimeoutSeconds));
            query.addBindValue(QStringLiteral("%1s").arg(target.statementTimeoutSeconds));
            done = query.exec();
        } else if (m_dialect == SqlDialect::SqlServer) {
            // SQL Server's -1 waits for ever, as 0 does on PostgreSQL.
            done = query.exec(QStringLiteral("SET LOCK_TIMEOUT %1")
                                  .arg(target.lockTimeoutSeconds == 0 ? -1 : target.lockTimeoutSeconds * 1000));
        }
        if (!done)
            failure = query.lastError().text();
    }
    if (!failure.isEmpty()) {
        close();
        throw ComponentError(ComponentError::ConnectionFailed, failure);
    }
}

// SQLite through Qt's own driver is opened read-only above, which no statement can undo;
// through ODBC query_only refuses writes too. PostgreSQL starts each transaction read-only.
// SQL Server has nothing of the kind: there the login's rights are the only real guard.
void Connection::keepReadOnly()
{
    QSqlQuery query(m_database);
    if (m_dialect == SqlDialect::SQLite)
        query.exec(QStringLiteral("PRAGMA query_only=ON"));
    else if (m_dialect == SqlDialect::PostgreSQL)
        query.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
}

// Only after a failure, and only a server or an ODBC link can go away: one round trip then tells.
bool Connection::linkIsBroken()
{
    if (!m_suspect)
        return false;
    m_suspect = false;
    if (m_embedded)
        return false;
    QSqlQuery probe(m_database);
    if (probe.exec(QStringLiteral("SELECT 1")))
        return false;
    qCInfo(lcDatabase) << "connection" << m_name << "lost:" << probe.lastError().text().trimmed();
    return true;
}

void Connection::close()
{
    // Prepared statements must go before the database they were prepared on.
    m_statements.reset();
    // SQLite plans its queries on the statistics of the tables; without them a lookup by
    // employee may take an index that reads the whole month's payslips. The statistics of the
    // tables this session used are brought up to date as it ends, as SQLite advises.
    if (m_database.isOpen() && m_dialect == SqlDialect::SQLite && !m_readOnly)
        QSqlQuery(m_database).exec(QStringLiteral("PRAGMA optimize"));
    if (m_database.isValid())
        m_database.close();
    m_database = QSqlDatabase();
    m_suspect = false;
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase &Connection::database()
{
    open();
    return m_database;
}

SqlDialect Connection::dialect()
{
    open();
    return m_dialect;
}

QString Connection::nativeSql(const QString &tsql)
{
    const SqlDialect server = dialect();
    return server == SqlDialect::SqlServer ? tsql : TsqlRewriter::rewrite(tsql, server);
}

QString Connection::dateLiteral(const QDate &date)
{
    return dateLiteral(date, dialect());
}

// yyyymmdd is read the same under every language setting of SQL Server; the product's own
// schema keeps dates as ISO text.
QString Connection::dateLiteral(const QDate &date, SqlDialect dialect)
{
    return date.toString(dialect == SqlDialect::SqlServer ? QStringLiteral("yyyyMMdd") : QStringLiteral("yyyy-MM-dd"));
}

StatementCache &Connection::statements()
{
    open();
    if (!m_statements)
        m_statements = std::make_unique<StatementCache>(m_database);
    return *m_statements;
}

void Connection::setLocalProcedures(std::shared_ptr<const LocalProcedures> procedures)
{
    m_localProcedures = std::move(procedures);
}

} // namespace oruhr::db
