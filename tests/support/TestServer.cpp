#include "tests/support/TestServer.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>
#include <unistd.h>

namespace oruhr::test {
namespace {

void onMaintenanceDatabase(const QString &sql)
{
    static QAtomicInt counter;
    const QString name = QStringLiteral("test-server-%1").arg(counter.fetchAndAddRelaxed(1));
    QString failure;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        database.setHostName(TestServer::socketFolder());
        database.setDatabaseName(QStringLiteral("postgres"));
        database.setUserName(QStringLiteral("postgres"));
        QSqlQuery query(database);
        if (!database.open())
            failure = database.lastError().text();
        else if (!query.exec(sql))
            failure = query.lastError().text();
    }
    QSqlDatabase::removeDatabase(name);
    if (!failure.isEmpty())
        throw std::runtime_error((sql + QStringLiteral(": ") + failure).toStdString());
}

// The folder the start script named, whether or not the server is running now.
QString serverFolder()
{
    QString folder = qEnvironmentVariable("ORUHR_TEST_PG_SOCKET");
    if (folder.isEmpty()) {
        QFile state(QStringLiteral(ORUHR_TEST_PG_STATE));
        if (state.open(QIODevice::ReadOnly))
            folder = QString::fromLocal8Bit(state.readAll()).trimmed();
    }
    return folder;
}

} // namespace

QString TestServer::socketFolder()
{
    const QString folder = serverFolder();
    if (folder.isEmpty() || !QFile::exists(folder + QStringLiteral("/.s.PGSQL.5432")))
        throw std::runtime_error("the tests' PostgreSQL server is not running: run the tests through ctest, or "
                                 "tests/postgres/start-server " ORUHR_TEST_PG_STATE);
    return folder;
}

QString TestServer::connectionString(const QString &database)
{
    return QStringLiteral("Provider=PostgreSQL;Data Source=%1;Initial Catalog=%2;User ID=postgres;Password=")
        .arg(socketFolder(), database);
}

QString TestServer::createDatabase()
{
    static QAtomicInt counter;
    const QString name = QStringLiteral("oruhr_test_%1_%2").arg(getpid()).arg(counter.fetchAndAddRelaxed(1));
    onMaintenanceDatabase(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(name));
    return name;
}

void TestServer::dropDatabase(const QString &name)
{
    onMaintenanceDatabase(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
}

void TestServer::control(const QString &action)
{
    const QString data = serverFolder() + QStringLiteral("/data");
    QStringList arguments{QStringLiteral("/usr/lib/postgresql/15/bin/pg_ctl"), QStringLiteral("-D"), data,
                          QStringLiteral("-w")};
    arguments += action.split(QLatin1Char(' '));
    if (action.startsWith(QLatin1String("start")))
        arguments += {QStringLiteral("-l"), serverFolder() + QStringLiteral("/server.log")};
    QString program = arguments.takeFirst();
    if (getuid() == 0) {
        arguments.prepend(program);
        arguments = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + arguments;
        program = QStringLiteral("runuser");
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        throw std::runtime_error(("pg_ctl " + action + ": " + QString::fromLocal8Bit(process.readAllStandardError()))
                                     .toStdString());
}

} // namespace oruhr::test
