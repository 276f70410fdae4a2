// oruhr-host: a host program for the OruHRPrintBatch1 control.

#include "host/DemoTemplates.h"
#include "host/HostLog.h"
#include "host/ConnectionProfiles.h"
#include "host/HostOptions.h"
#include "host/HostWindow.h"
#include "host/StartWindow.h"
#include "platform/automation/ComponentError.h"
#include "platform/components/StandardComponents.h"
#include "demo/DemoDataGenerator.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/EmbeddedProcedures.h"
#include "shell/OruHRPrintBatch1.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

using namespace oruhr;

namespace {

// The embedded demo database in the user's data folder, made on first use, with the report
// templates its catalogue names. A file already there that is not a current demo is never
// replaced, as it may be someone's payroll: the reason is given in problem and the result is empty.
QString demoConnectionString(const QString &dataFolder, QString &problem)
{
    const QString file = QDir(dataFolder).filePath(QStringLiteral("demo.db"));
    const QString applicationFolder = QDir(dataFolder).filePath(QStringLiteral("app")) + QLatin1Char('/');
    if (!QFileInfo::exists(file)) {
        qCInfo(lcHost) << "creating the demo database" << file;
        demo::DemoOptions options;
        options.applicationFolder = applicationFolder;
        demo::DemoDataGenerator::createDemoDatabase(file, options);
    } else if (const QString reason = embedded::EmbeddedDatabase::whyNotCurrent(file); !reason.isEmpty()) {
        problem = QStringLiteral("پايگاه داده نمايشي باز نشد: فايل ") + QChar(0x2066) + file + QChar(0x2069)
                  + QStringLiteral(" از پيش هست و ") + reason
                  + QStringLiteral(". فايل دست نخورد؛ اگر به آن نيازي نيست پاکش کنيد تا برنامه پايگاه داده نمايشي را "
                                   "بسازد، يا آن را با oruhr-seed بسازيد.");
        return {};
    }
    if (!host::DemoTemplates::install(applicationFolder))
        qCWarning(lcHost) << "the report templates could not be written to" << applicationFolder;
    return embedded::EmbeddedDatabase::connectionString(file);
}

} // namespace

int main(int argc, char **argv)
{
    embedded::EmbeddedDatabase::makeNewFilesPrivate();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("oruhr-host"));
    QApplication::setOrganizationName(QStringLiteral("OruHR"));
    // Lets a Wayland desktop match the window to the menu entry's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("oruhr-host"));
    QApplication::setLayoutDirection(Qt::RightToLeft);

    QString error;
    const std::optional<host::HostOptions> options = host::HostOptions::parse(QApplication::arguments(), error);
    if (!options) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return error.startsWith(QLatin1String("Usage")) ? 0 : 2;
    }

    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    // The property editor holds the control; the clerk sees the start window.
    host::HostWindow editor(host::StoredForm(QDir(dataFolder).filePath(QStringLiteral("form.ini"))));
    registerStandardComponents(editor.control().session().components());
    // The embedded database has no procedures of its own: the program brings them.
    editor.control().session().dtEn().connection().setLocalProcedures(
        std::make_shared<embedded::EmbeddedProcedures>());
    editor.applyOptions(*options);
    host::ConnectionProfiles profiles(host::ConnectionProfiles::defaultUserFile(),
                                      host::ConnectionProfiles::defaultSystemFile());
    profiles.load();
    host::StartWindow start(editor, profiles);
    QStringList problems = profiles.problems();
    if (options->connection) {
        editor.askForPassword();
        start.openConnection(QStringLiteral("اتصال داده شده به برنامه"));
    } else if (!profiles.profiles().isEmpty()) {
        std::optional<host::ConnectionProfile> profile = profiles.choose(nullptr);
        if (!profile)
            return 0;
        // The command line's user, position and employee win over the profile's.
        profile->userId = options->user.value_or(profile->userId);
        profile->positionId = options->position.value_or(profile->positionId);
        profile->employeeId = options->employee.value_or(profile->employeeId);
        start.open(*profile);
    } else if (editor.needsDemoDatabase(*options)) {
        QString demoProblem;
        try {
            host::HostOptions demo;
            demo.connection = demoConnectionString(dataFolder, demoProblem);
            if (demoProblem.isEmpty())
                editor.applyOptions(demo);
            else
                qCWarning(lcHost).noquote() << "the demo database was left as it is:" << demoProblem;
        } catch (const ComponentError &failure) {
            qCWarning(lcHost) << "the demo database could not be made:" << failure.number() << failure.description();
        }
        if (!demoProblem.isEmpty())
            problems << demoProblem;
        start.openConnection(QStringLiteral("پایگاه داده نمایشی"));
    } else {
        editor.askForPassword();
        start.openConnection(QStringLiteral("تنظیمات ذخیره شده ویرایشگر ویژگی‌ها"));
    }
    start.show();
    if (!problems.isEmpty()) {
        // Not modal to the program: a call given on the command line still runs.
        auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("پايگاه داده"), problems.join(u"\n\n"),
                                    QMessageBox::Ok, &start);
        box->setObjectName(QStringLiteral("demoDatabaseProblem"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setLayoutDirection(Qt::RightToLeft);
        box->open();
    }
    if (options->action != host::HostOptions::Action::None)
        QTimer::singleShot(0, &start, [&start, action = options->action] { start.call(action); });
    return app.exec();
}
