#include "host/DemoTemplates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace oruhr::host {
namespace {

const QString resourceFolder = QStringLiteral(":/templates/");
const QString catalogueFolder = QStringLiteral("Reports/");

QByteArray contents(const QString &file)
{
    QFile source(file);
    return source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
}

} // namespace

QStringList DemoTemplates::relativePaths()
{
    QStringList paths;
    for (const QString &name : QDir(resourceFolder).entryList(QDir::Files, QDir::Name))
        paths << catalogueFolder + name;
    return paths;
}

bool DemoTemplates::install(const QString &applicationFolder)
{
    bool written = true;
    const QDir folder(applicationFolder);
    for (const QString &path : relativePaths()) {
        const QByteArray shipped = contents(resourceFolder + QFileInfo(path).fileName());
        const QString target = folder.filePath(path);
        // A template the user has edited is theirs: only a missing or emptied one is written.
        if (QFileInfo(target).size() > 0)
            continue;
        QFile file(target);
        written = QDir().mkpath(QFileInfo(target).absolutePath()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                  && file.write(shipped) == shipped.size() && written;
    }
    return written;
}

} // namespace oruhr::host
