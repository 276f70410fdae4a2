#include "host/HostOptions.h"

#include <QCommandLineParser>
#include <QFile>

#include <limits>

namespace oruhr::host {
namespace {

bool readShort(const QCommandLineParser &parser, const QString &name, std::optional<qint16> &target, QString &error)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max()) {
        error = QStringLiteral("--%1 needs a whole number from -32768 to 32767").arg(name);
        return false;
    }
    target = qint16(value);
    return true;
}

// Anyone else able to read the file could read the password in it.
std::optional<QString> readConnectionFile(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.exists()) {
        error = QStringLiteral("فايل رشته اتصال پيدا نشد: ") + path;
        return std::nullopt;
    }
    if (file.permissions() & (QFile::ReadGroup | QFile::ReadOther)) {
        error = QStringLiteral("فايل رشته اتصال را ديگران هم مي‌توانند بخوانند: %1\n"
                               "آن را فقط براي خودتان خواندني کنيد (chmod 600 %1).")
                    .arg(path);
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("فايل رشته اتصال خوانده نشد: ") + path;
        return std::nullopt;
    }
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    if (line.isEmpty()) {
        error = QStringLiteral("سطر اول فايل رشته اتصال خالي است: ") + path;
        return std::nullopt;
    }
    return line;
}

} // namespace

std::optional<QString> HostOptions::connectionFromFile(const QString &path, QString &error)
{
    return readConnectionFile(path, error);
}

std::optional<HostOptions> HostOptions::parse(const QStringList &arguments, QString &error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Host program of the OruHRPrintBatch1 control: opens the start window on the given "
                                                      "connection, else on a connection profile or the demo database."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("connection"), QStringLiteral("Connection string of the payroll database."),
                      QStringLiteral("string")});
    parser.addOption({QStringLiteral("connection-file"),
                      QStringLiteral("File whose first line is the connection string; readable by its owner alone."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("user"), QStringLiteral("UserID of the signed-in user."), QStringLiteral("id")});
    parser.addOption({QStringLiteral("position"), QStringLiteral("PositionID of the user."), QStringLiteral("id")});
    parser.addOption({QStringLiteral("employee"), QStringLiteral("EmployeeID of the user."), QStringLiteral("id")});
    parser.addPositionalArgument(QStringLiteral("window"), QStringLiteral("Open at once: tempsave, clearshow or showdocs."),
                                 QStringLiteral("[window]"));
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        error = parser.helpText();
        return std::nullopt;
    }
    HostOptions options;
    if (parser.isSet(QStringLiteral("connection")) && parser.isSet(QStringLiteral("connection-file"))) {
        error = QStringLiteral("فقط يکي از --connection و --connection-file را بدهيد.");
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("connection"))) {
        options.connection = parser.value(QStringLiteral("connection"));
    } else if (parser.isSet(QStringLiteral("connection-file"))) {
        options.connection = readConnectionFile(parser.value(QStringLiteral("connection-file")), error);
        if (!options.connection)
            return std::nullopt;
    } else if (qEnvironmentVariableIsSet("ORUHR_CONNECTION")) {
        options.connection = qEnvironmentVariable("ORUHR_CONNECTION");
    }
    if (!readShort(parser, QStringLiteral("user"), options.user, error)
        || !readShort(parser, QStringLiteral("position"), options.position, error)
        || !readShort(parser, QStringLiteral("employee"), options.employee, error))
        return std::nullopt;

    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        error = QStringLiteral("only one window can be opened at once");
        return std::nullopt;
    }
    if (!positional.isEmpty()) {
        const QString window = positional.first().toLower();
        if (window == QLatin1String("tempsave"))
            options.action = Action::TempSave;
        else if (window == QLatin1String("clearshow"))
            options.action = Action::ClearShow;
        else if (window == QLatin1String("showdocs"))
            options.action = Action::ShowDocs;
        else {
            error = QStringLiteral("unknown window \"%1\": use tempsave, clearshow or showdocs").arg(positional.first());
            return std::nullopt;
        }
    }
    return options;
}

} // namespace oruhr::host
