// oruhr-host: a host program for the OruHRPrintBatch1 control.

#include "host/DemoTemplates.h"
#include "host/HostLog.h"
#include "host/HostOptions.h"
#include "host/HostWindow.h"
#include "platform/automation/ComponentError.h"
#include "platform/components/StandardComponents.h"
#include "platform/embedded/DemoDataGenerator.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/EmbeddedProcedures.h"
#include "shell/OruHRPrintBatch1.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

using namespace oruhr;

namespace {

// The embedded demo database in the user's data folder, made on first use, with the report
// templates its catalogue names.
QString demoConnectionString(const QString &dataFolder)
{
    const QString file = QDir(dataFolder).filePath(QStringLiteral("demo.db"));
    const QString applicationFolder = QDir(dataFolder).filePath(QStringLiteral("app")) + QLatin1Char('/');
    if (!embedded::EmbeddedDatabase::isCurrent(file)) {
        qCInfo(lcHost) << "creating the demo database" << file;
        embedded::DemoOptions options;
        options.applicationFolder = applicationFolder;
        embedded::DemoDataGenerator::createDemoDatabase(file, options);
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

    registerStandardComponents();
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    host::HostWindow window(host::StoredForm(QDir(dataFolder).filePath(QStringLiteral("form.ini"))));
    // The embedded database has no procedures of its own: the program brings them.
    window.control().session().dtEn().connection().setLocalProcedures(
        std::make_shared<embedded::EmbeddedProcedures>());
    window.applyOptions(*options);
    if (window.needsDemoDatabase(*options)) {
        try {
            host::HostOptions demo;
            demo.connection = demoConnectionString(dataFolder);
            window.applyOptions(demo);
        } catch (const ComponentError &failure) {
            qCWarning(lcHost) << "the demo database could not be made:" << failure.number() << failure.description();
        }
    }
    window.show();
    if (options->action != host::HostOptions::Action::None)
        QTimer::singleShot(0, &window, [&window, action = options->action] { window.call(action); });
    return app.exec();
}
