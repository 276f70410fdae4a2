// oruhr-admin: sets up and keeps a payroll database of the product's own, on a SQLite file or a
// PostgreSQL server, for an office's administrator.

#include "platform/automation/ComponentError.h"
#include "platform/database/BackendTarget.h"
#include "platform/database/Connection.h"
#include "platform/embedded/DatabaseAdministration.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/EmbeddedSchema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

using namespace oruhr;

namespace {

constexpr int Done = 0, Failure = 1, UsageError = 2;

int usageError(const QString &message)
{
    QTextStream(stderr) << "oruhr-admin: " << message << "\nTry 'oruhr-admin --help'.\n";
    return UsageError;
}

int run(const QString &command, const QStringList &arguments, db::Connection &connection, const QString &confirmation)
{
    QTextStream out(stdout);
    const embedded::DatabaseAdministration administration(connection);
    if (command == QLatin1String("check")) {
        const embedded::DatabaseAdministration::State state = administration.inspect();
        out << "schema version " << state.version << " (this release: " << embedded::EmbeddedSchema::Version << ")"
            << (state.hasEmployees ? ", with employees" : ", no employees") << "\n";
        for (const QString &problem : state.problems)
            out << "  " << problem << "\n";
        out << (state.isCurrent() ? "current\n" : "not current\n");
        return state.isCurrent() ? Done : Failure;
    }
    if (command == QLatin1String("init")) {
        if (db::BackendTarget::resolve(connection.connectionString()).kind == db::BackendTarget::Kind::SQLite
            && !QFileInfo::exists(administration.databaseName()))
            embedded::EmbeddedDatabase::create(administration.databaseName());
        else
            administration.init();
        out << "made schema version " << embedded::EmbeddedSchema::Version << " with the statutory rules\n";
        return Done;
    }
    if (command == QLatin1String("upgrade")) {
        if (!administration.isNamedBy(confirmation))
            return usageError(QStringLiteral("upgrade rewrites the tables: name the database again with --confirm %1")
                                  .arg(QFileInfo(administration.databaseName()).fileName()));
        const int from = administration.inspect().version;
        administration.upgrade();
        if (from == embedded::EmbeddedSchema::Version)
            out << "already at schema version " << from << "\n";
        else
            out << "upgraded from schema version " << from << " to " << embedded::EmbeddedSchema::Version << "\n";
        return Done;
    }
    if (command == QLatin1String("grant")) {
        if (arguments.size() != 1)
            return usageError(QStringLiteral("grant needs the clerks' role: oruhr-admin grant ROLE"));
        administration.grant(arguments.first());
        out << "granted the clerks' rights to " << arguments.first() << "\n";
        return Done;
    }
    return usageError(QStringLiteral("unknown command '%1'").arg(command));
}

} // namespace

int main(int argc, char **argv)
{
    embedded::EmbeddedDatabase::makeNewFilesPrivate();
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("oruhr-admin"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sets up a payroll database.\n\n"
        "  check        says what is missing or outdated; changes nothing (exit 1 when not current)\n"
        "  init         makes the schema and the statutory rules, with no people\n"
        "  upgrade      brings an earlier release's schema to this one, data kept (needs --confirm)\n"
        "  grant ROLE   gives a clerks' role exactly the rights the windows need (PostgreSQL)\n\n"
        "The connection string comes from --connection, --file or the environment's ORUHR_CONNECTION."));
    parser.addHelpOption();
    const QCommandLineOption connectionOption(QStringLiteral("connection"),
                                              QStringLiteral("A connection string (Provider=PostgreSQL;... or "
                                                             "Provider=SQLite;...)."),
                                              QStringLiteral("STRING"));
    const QCommandLineOption fileOption(QStringLiteral("file"), QStringLiteral("An embedded database file."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption confirmOption(QStringLiteral("confirm"),
                                           QStringLiteral("The database named again, for upgrade."),
                                           QStringLiteral("NAME"));
    parser.addOptions({connectionOption, fileOption, confirmOption});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("check, init, upgrade or grant"));
    parser.process(application);

    QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty())
        return usageError(QStringLiteral("a command is needed"));
    const QString command = arguments.takeFirst();
    QString connectionString = parser.value(connectionOption);
    if (parser.isSet(fileOption))
        connectionString = embedded::EmbeddedDatabase::connectionString(parser.value(fileOption));
    if (connectionString.isEmpty())
        connectionString = qEnvironmentVariable("ORUHR_CONNECTION");
    if (connectionString.isEmpty())
        return usageError(QStringLiteral("--connection, --file or ORUHR_CONNECTION is needed"));
    if (parser.isSet(fileOption) && command != QLatin1String("init") && !QFileInfo::exists(parser.value(fileOption)))
        return usageError(QStringLiteral("no file %1").arg(parser.value(fileOption)));

    db::Connection connection;
    connection.setConnectionString(connectionString);
    try {
        return run(command, arguments, connection, parser.value(confirmOption));
    } catch (const ComponentError &error) {
        // The connection string may hold a password: it is not repeated.
        QTextStream(stderr) << "oruhr-admin: " << error.description() << "\n";
        return Failure;
    }
}
