#include "platform/embedded/ServerDatabase.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/BackendTarget.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"
#include "platform/database/Transaction.h"
#include "platform/embedded/EmbeddedLog.h"
#include "platform/embedded/EmbeddedSchema.h"

#include <QRegularExpression>
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

// The product's own tables and views, by the statements that make them.
QStringList productObjects(const QString &kind)
{
    const QRegularExpression made(QStringLiteral("^CREATE %1 (\\w+) ").arg(kind));
    QStringList names;
    for (const QString &statement : EmbeddedSchema::statements(db::SqlDialect::PostgreSQL)) {
        const QRegularExpressionMatch match = made.match(statement);
        if (match.hasMatch())
            names << match.captured(1);
    }
    return names;
}

} // namespace

void ServerDatabase::create(const QString &connectionString)
{
    createIfMissing(serverTarget(connectionString));
    db::Connection connection;
    connection.setConnectionString(connectionString);
    {
        db::Transaction transaction(connection);
        // Dropping what is not there is no news.
        connection.statements().execute(QStringLiteral("SET LOCAL client_min_messages = warning"));
        for (const QString &view : productObjects(QStringLiteral("VIEW")))
            connection.statements().execute(QStringLiteral("DROP VIEW IF EXISTS %1 CASCADE").arg(view));
        for (const QString &table : productObjects(QStringLiteral("TABLE")))
            connection.statements().execute(QStringLiteral("DROP TABLE IF EXISTS %1 CASCADE").arg(table));
        transaction.commit();
    }
    connection.statements().clear();
    EmbeddedSchema::create(connection);
}

bool ServerDatabase::isCurrent(const QString &connectionString)
{
    db::Connection connection;
    connection.setConnectionString(connectionString);
    try {
        return connection.statements()
                   .scalar(QStringLiteral("SELECT count(*) FROM information_schema.tables WHERE table_schema = "
                                          "current_schema() AND table_name IN ('tblhrnumbering', "
                                          "'tblhrpayrollrule')"))
                   .toInt()
               == 2;
    } catch (const ComponentError &error) {
        qCInfo(lcEmbedded) << "no current database:" << error.description();
        return false;
    }
}

} // namespace oruhr::embedded
