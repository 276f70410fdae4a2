#include "platform/embedded/ServerDatabase.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/BackendTarget.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"
#include "platform/embedded/DatabaseAdministration.h"
#include "platform/embedded/EmbeddedLog.h"
#include "platform/embedded/EmbeddedSchema.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace oruhr::embedded {
namespace {

db::BackendTarget serverTarget(const QString &connectionString)
{
    const db::BackendTarget target = db::BackendTarget::resolve(connectionString);
    if (target.kind != db::BackendTarget::Kind::PostgreSQL)
        throw ComponentError(ComponentError::ProviderNotFound,
                             QStringLiteral("رشته اتصال به سرور PostgreSQL اشاره نمي‌کند."));
    return target;
}

// CREATE DATABASE runs outside the database itself: on the server's maintenance database.
QString createIfMissing(QSqlDatabase &server, const QString &database)
{
    QSqlQuery query(server);
    query.prepare(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = ?"));
    query.addBindValue(database);
    if (!query.exec())
        return query.lastError().text();
    if (query.next())
        return {};
    qCInfo(lcEmbedded) << "creating database" << database;
    if (!query.exec(QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0")
                        .arg(server.driver()->escapeIdentifier(database, QSqlDriver::TableName))))
        return query.lastError().text();
    return {};
}

void createIfMissing(const db::BackendTarget &target)
{
    const QString name = QStringLiteral("oruhr-maintenance-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString failure;
    {
        QSqlDatabase server = QSqlDatabase::addDatabase(target.driverName, name);
        server.setHostName(target.hostName);
        server.setPort(target.port);
        server.setUserName(target.userName);
        server.setPassword(target.password);
        server.setConnectOptions(target.connectOptions);
        server.setDatabaseName(QStringLiteral("postgres"));
        failure = server.open() ? createIfMissing(server, target.databaseName) : server.lastError().text();
    }
    QSqlDatabase::removeDatabase(name);
    if (!failure.isEmpty())
        throw ComponentError(ComponentError::ConnectionFailed, failure);
}

} // namespace

void ServerDatabase::create(const QString &connectionString)
{
    createIfMissing(serverTarget(connectionString));
    db::Connection connection;
    connection.setConnectionString(connectionString);
    const DatabaseAdministration administration(connection);
    if (administration.inspect().version == 0)
        administration.init();
}

bool ServerDatabase::isCurrent(const QString &connectionString)
{
    db::Connection connection;
    connection.setConnectionString(connectionString);
    try {
        return DatabaseAdministration(connection).inspect().version == EmbeddedSchema::Version;
    } catch (const ComponentError &error) {
        qCInfo(lcEmbedded) << "no current database:" << error.description();
        return false;
    }
}

} // namespace oruhr::embedded
