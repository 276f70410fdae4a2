// oruhr-seed: writes an embedded payroll database, or one on a PostgreSQL server, full of demo data.

#include "host/DemoTemplates.h"
#include "platform/automation/ComponentError.h"
#include "platform/database/BackendTarget.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"
#include "platform/database/SystemIds.h"
#include "platform/embedded/DatabaseAdministration.h"
#include "demo/DemoDataGenerator.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/ServerDatabase.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int UsageError = 2;
constexpr int Failure = 1;

int usageError(const QString &message)
{
    QTextStream(stderr) << "oruhr-seed: " << message << "\nTry 'oruhr-seed --help'.\n";
    return UsageError;
}

QString parameter(oruhr::db::Connection &connection, qint32 id)
{
    return connection.statements()
        .scalar(QStringLiteral("SELECT Value FROM tblPelikSystemParameters WHERE ID=?"), {id})
        .toString();
}

// The demo catalogue names its report templates relative to the application folder: they
// go there too. A folder that cannot be written (the default /opt/oruhr/ for a user) is told.
void installTemplates(oruhr::db::Connection &connection)
{
    const QString folder = parameter(connection, oruhr::ids::ApplicationFolderParameter);
    if (!oruhr::host::DemoTemplates::install(folder))
        QTextStream(stderr) << "oruhr-seed: the report templates could not be written to " << folder << "Reports/\n";
}

// What the new database holds, for the report after seeding.
void report(oruhr::db::Connection &connection, const QString &where, qint64 milliseconds)
{
    QTextStream out(stdout);
    oruhr::db::StatementCache &statements = connection.statements();
    out << "Created " << where << " in " << QString::number(milliseconds / 1000.0, 'f', 2) << " s\n";
    out << "Payroll month from " << parameter(connection, oruhr::ids::PayrollMonthStartParameter) << ", application folder "
        << parameter(connection, oruhr::ids::ApplicationFolderParameter) << "\n";
    const char *tables[] = {
        "tblEmployee",
        "tblHROrdinance",
        "tblHROrdinanceDetail",
        "tblHRMonthlySalary",
        "tblHRMonthlySalaryDetail",
        "tblHRMonthlyPaiedLoan",
        "tblHRMonthlyPaiedBox",
        "tblHRLoan",
        "tblHRLoanDetail",
        "tblHRBox",
        "tblHRBoxDetail",
        "tblHRExceptionBatch",
        "tblHRExceptionBatchDetail",
        "tblHRRunTimeBatch",
        "tblHRRunTimeBatchDetail",
        "tblAccountDocument",
        "tblAccountDocumentDetail",
    };
    for (const char *table : tables)
        out << QStringLiteral("  %1 %2\n")
                   .arg(QString::fromLatin1(table), -28)
                   .arg(statements.scalar(QStringLiteral("SELECT count(*) FROM ") + QString::fromLatin1(table))
                            .toString(),
                        9);
}

// The file and its size, or the server's database.
QString described(const QString &file, const QString &connectionString)
{
    if (file.isEmpty())
        return oruhr::db::BackendTarget::resolve(connectionString).databaseName + QStringLiteral(" on ")
               + oruhr::db::BackendTarget::resolve(connectionString).hostName;
    return QFileInfo(file).absoluteFilePath() + QStringLiteral(" (")
           + QString::number(QFileInfo(file).size() / 1048576.0, 'f', 1) + QStringLiteral(" MB)");
}

// The one destructive step: only when the database is named again, and never by cascade.
bool dropProductTables(const QString &file, const QString &server, const QString &name)
{
    if (!file.isEmpty() && !QFileInfo::exists(file))
        return true;
    oruhr::db::Connection connection;
    connection.setConnectionString(file.isEmpty() ? server : oruhr::embedded::EmbeddedDatabase::connectionString(file));
    const oruhr::embedded::DatabaseAdministration administration(connection);
    if (!administration.isNamedBy(name))
        return false;
    try {
        connection.open();
    } catch (const oruhr::ComponentError &) {
        return true; // a server database not made yet holds nothing to drop
    }
    administration.drop();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    oruhr::embedded::EmbeddedDatabase::makeNewFilesPrivate();
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("oruhr-seed"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Creates an embedded payroll database filled with demo data."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    const QCommandLineOption employees(QStringLiteral("employees"),
                                       QStringLiteral("Number of employees (default 300)."), QStringLiteral("N"),
                                       QStringLiteral("300"));
    const QCommandLineOption out(QStringLiteral("out"),
                                 QStringLiteral("Database file to create, or one of this version without employees "
                                                "to fill."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption connection(
        QStringLiteral("connection"),
        QStringLiteral("A PostgreSQL connection string, instead of --out: the database and the product's tables "
                       "are created when missing; tables holding employees are never replaced."),
        QStringLiteral("STRING"));
    const QCommandLineOption today(QStringLiteral("today"),
                                   QStringLiteral("A day of the payroll month, yyyy-mm-dd (default: today)."),
                                   QStringLiteral("DATE"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the random choices (default 1405)."),
                                  QStringLiteral("N"), QStringLiteral("1405"));
    const QCommandLineOption appFolder(QStringLiteral("app-folder"),
                                       QStringLiteral("Application folder stored as system parameter 140."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption ifOutdated(
        QStringLiteral("if-outdated"),
        QStringLiteral("Leaves FILE or the database alone when it already holds this version's schema."));
    const QCommandLineOption replace(
        QStringLiteral("replace"),
        QStringLiteral("Drops the product's tables first, employees and all: the database named again (the "
                       "file's name, or the server's database)."),
        QStringLiteral("NAME"));
    parser.addOptions({help, employees, out, connection, today, seed, appFolder, ifOutdated, replace});

    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    oruhr::demo::DemoOptions options;
    bool ok = false;
    options.employees = parser.value(employees).toInt(&ok);
    if (!ok || options.employees < 0)
        return usageError(
            QStringLiteral("--employees needs a whole number of 0 or more, not '%1'").arg(parser.value(employees)));
    options.seed = parser.value(seed).toUInt(&ok);
    if (!ok)
        return usageError(
            QStringLiteral("--seed needs a whole number from 0 to 4294967295, not '%1'").arg(parser.value(seed)));
    if (parser.isSet(today)) {
        options.today = QDate::fromString(parser.value(today), Qt::ISODate);
        if (!options.today.isValid())
            return usageError(
                QStringLiteral("--today needs a date written yyyy-mm-dd, not '%1'").arg(parser.value(today)));
    }
    options.applicationFolder = parser.value(appFolder);
    const QString file = parser.value(out);
    // From the environment rather than argv, where every user of the machine can read a password.
    const QString server = parser.isSet(connection) || parser.isSet(out) ? parser.value(connection)
                                                                          : qEnvironmentVariable("ORUHR_CONNECTION");
    if (file.isEmpty() == server.isEmpty())
        return usageError(QStringLiteral("one of --out FILE, --connection STRING and ORUHR_CONNECTION is required"));

    QElapsedTimer timer;
    timer.start();
    try {
        if (parser.isSet(ifOutdated)
            && (file.isEmpty() ? oruhr::embedded::ServerDatabase::isCurrent(server)
                               : oruhr::embedded::EmbeddedDatabase::isCurrent(file)))
            return 0;
        if (parser.isSet(replace) && !dropProductTables(file, server, parser.value(replace)))
            return usageError(QStringLiteral("--replace needs the database's own name"));
        if (file.isEmpty())
            oruhr::demo::DemoDataGenerator::createOnServer(server, options);
        else
            oruhr::demo::DemoDataGenerator::createDemoDatabase(file, options);
        oruhr::db::Connection made;
        made.setConnectionString(file.isEmpty() ? server : oruhr::embedded::EmbeddedDatabase::connectionString(file));
        installTemplates(made);
        report(made, described(file, server), timer.elapsed());
    } catch (const oruhr::ComponentError &error) {
        // The connection string may hold a password: it is not repeated.
        QTextStream(stderr) << "oruhr-seed: " << (file.isEmpty() ? QStringLiteral("--connection") : file) << ": "
                            << error.description() << "\n";
        return Failure;
    }
    return 0;
}
