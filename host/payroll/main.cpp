// oruhr-payroll: a payroll month end from the command line, unattended, over the procedures and
// connection strings the windows use.

#include "host/HostOptions.h"
#include "host/monthend/MonthEndPeriod.h"
#include "host/payroll/PayrollCommand.h"
#include "platform/automation/ComponentError.h"
#include "platform/embedded/EmbeddedProcedures.h"
#include "shell/ModMain.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>

#include <limits>
#include <memory>

using namespace oruhr;
using host::PayrollCommand;

namespace {

int usageError(const QString &message)
{
    QTextStream(stderr) << "oruhr-payroll: " << message << "\nTry 'oruhr-payroll --help'.\n";
    return PayrollCommand::UsageError;
}

const char *const description =
    "A payroll month end from the command line.\n\n"
    "  run tempsave|calc|finalize|back|delete   the payslip window's step for every employee it lists\n"
    "                                            for it (back and delete need --yes)\n"
    "  unposted                                  lists the month's final payslips without a document\n"
    "  post                                      posts them, in as many documents as needed\n"
    "  bank-file --out FILE.xlsx|FILE.csv        the bank's transfer file of the month's net pay\n\n"
    "The connection string comes from --connection, --connection-file or ORUHR_CONNECTION.\n"
    "Exit status: 0 everything done; 1 the database refused or a run stopped at an employee;\n"
    "2 a wrong command line, nothing done; 3 done, with payslips left without a document or\n"
    "employees left out of the bank file.";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("oruhr-payroll"));
    // A log of the run holds its results and problems, not every connection opened.
    if (!qEnvironmentVariableIsSet("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("*.info=false"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(description));
    parser.addHelpOption();
    const QCommandLineOption connection(QStringLiteral("connection"), QStringLiteral("A connection string."),
                                        QStringLiteral("STRING"));
    const QCommandLineOption connectionFile(QStringLiteral("connection-file"),
                                            QStringLiteral("A file whose first line is the connection string; "
                                                           "readable by its owner alone."),
                                            QStringLiteral("FILE"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("The user the payslips are made by."),
                                  QStringLiteral("ID"), QStringLiteral("0"));
    const QCommandLineOption month(QStringLiteral("month"),
                                   QStringLiteral("The Persian month, 1405/09; the database's payroll month unless "
                                                  "given."),
                                   QStringLiteral("YYYY/MM"));
    const QCommandLineOption employees(QStringLiteral("employees"),
                                       QStringLiteral("Only these of the listed employees: branch=N costcentre=N "
                                                      "recruitment=N ids=5,7-9."),
                                       QStringLiteral("FILTER"));
    const QCommandLineOption outFile(QStringLiteral("out"), QStringLiteral("The bank file to write."),
                                     QStringLiteral("FILE"));
    const QCommandLineOption yes(QStringLiteral("yes"), QStringLiteral("The answer to the window's question."));
    parser.addOptions({connection, connectionFile, user, month, employees, outFile, yes});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("run, unposted, post or bank-file"));
    parser.process(application);

    PayrollCommand::Options options;
    options.arguments = parser.positionalArguments();
    if (options.arguments.isEmpty())
        return usageError(QStringLiteral("a command is needed"));
    options.command = options.arguments.takeFirst();
    options.outFile = parser.value(outFile);
    options.confirmed = parser.isSet(yes);
    QString error;
    if (parser.isSet(employees)) {
        const std::optional<MonthEndBatch::Filter> filter = MonthEndBatch::Filter::parse(parser.value(employees), error);
        if (!filter)
            return usageError(error);
        options.filter = *filter;
    }

    bool ok = false;
    const int userId = parser.value(user).toInt(&ok);
    if (!ok || userId < std::numeric_limits<qint16>::min() || userId > std::numeric_limits<qint16>::max())
        return usageError(QStringLiteral("--user needs a whole number from -32768 to 32767"));
    if (parser.isSet(connection) && parser.isSet(connectionFile))
        return usageError(QStringLiteral("فقط يکي از --connection و --connection-file را بدهيد."));
    QString connectionString = parser.value(connection);
    if (parser.isSet(connectionFile)) {
        const std::optional<QString> fromFile = host::HostOptions::connectionFromFile(parser.value(connectionFile), error);
        if (!fromFile)
            return usageError(error);
        connectionString = *fromFile;
    }
    if (connectionString.isEmpty())
        connectionString = qEnvironmentVariable("ORUHR_CONNECTION");
    if (connectionString.isEmpty())
        return usageError(QStringLiteral("--connection, --connection-file or ORUHR_CONNECTION is needed"));
    std::optional<MonthEndPeriod> period;
    if (parser.isSet(month)) {
        period = MonthEndPeriod::ofMonth(parser.value(month));
        if (!period)
            return usageError(QStringLiteral("ماه «%1» خوانده نشد؛ نمونه: 1405/09").arg(parser.value(month)));
    }

    ModMain session;
    session.ActiveConnectionString = connectionString;
    session.ActiveUserID = qint16(userId);
    // The product's own databases carry no procedures: the program brings them, as the host does.
    session.dtEn().connection().setLocalProcedures(std::make_shared<embedded::EmbeddedProcedures>());
    session.ConnectDataEnvironment();
    try {
        if (!period)
            period = MonthEndPeriod::ofDatabase(session);
        return PayrollCommand(session, *period).run(options);
    } catch (const ComponentError &failure) {
        // The connection string may hold a password: it is not repeated.
        QTextStream(stderr) << "oruhr-payroll: " << failure.description() << "\n";
        return PayrollCommand::Failed;
    }
}
