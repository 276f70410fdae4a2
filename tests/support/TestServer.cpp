#include "tests/support/TestServer.h"

#include <QAtomicInt>
#include <QFile>
#include <QProcess>

#include <stdexcept>
#include <unistd.h>

namespace oruhr::test {
namespace {

// The folder the start script named, whether or not the server is running now.
QString serverFolder()
{
    QFile state(QStringLiteral(ORUHR_TEST_PG_STATE));
    return state.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(state.readAll()).trimmed() : QString();
}

void run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        throw std::runtime_error(QStringLiteral("%1 %2: %3")
                                     .arg(program, arguments.join(QLatin1Char(' ')),
                                          QString::fromLocal8Bit(process.readAllStandardError()))
                                     .toStdString());
}

void onMaintenanceDatabase(const QString &sql)
{
    run(QStringLiteral("psql"), {QStringLiteral("-qXw"), QStringLiteral("-vON_ERROR_STOP=1"), QStringLiteral("-h"),
                                 TestServer::socketFolder(), QStringLiteral("-Upostgres"), QStringLiteral("-dpostgres"),
                                 QStringLiteral("-c"), sql});
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
    const QString folder = serverFolder();
    QStringList arguments = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"),
                                        QStringLiteral("/usr/lib/postgresql/15/bin/pg_ctl"), QStringLiteral("-D"),
                                        folder + QStringLiteral("/data"), QStringLiteral("-w"),
                                        QStringLiteral("-l"), folder + QStringLiteral("/server.log")}
        + action.split(QLatin1Char(' '));
    if (getuid() == 0)
        run(QStringLiteral("runuser"), arguments);
    else
        run(arguments[3], arguments.mid(4));
}

} // namespace oruhr::test
