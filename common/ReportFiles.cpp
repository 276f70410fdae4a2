#include "common/ReportFiles.h"

#include "common/MessageText.h"
#include "common/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <unistd.h>

namespace oruhr {
namespace {

// As the file system's temporary-name generator makes them: "rad", five hex digits, ".tmp".
QString temporaryName()
{
    const QString digits = QString::number(QRandomGenerator::global()->bounded(0x100000), 16);
    return QStringLiteral("rad") + digits.rightJustified(5, QLatin1Char('0')).toUpper() + QStringLiteral(".tmp");
}

QString withSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

bool isDigits(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (QChar c : name) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

QString DatedFolderName(const QDateTime &moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    QString name;
    for (int part : {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()})
        name += QString::number(part);
    return name;
}

QString GetTempReportFile(QString &folder)
{
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
        if (!QFileInfo(folder).isDir()) {
            ShowMessage(MessageText::TitleError, MessageText::TempFolderMissing);
            return {};
        }
        folder = withSeparator(folder) + DatedFolderName(QDateTime::currentDateTime());
        if (!QFileInfo::exists(folder))
            QDir().mkpath(folder);
    }
    for (;;) {
        const QString candidate = withSeparator(folder) + temporaryName();
        if (!QFileInfo::exists(candidate))
            return candidate;
        // A leftover of an earlier run, read-only or not.
        QFile::setPermissions(candidate, QFile::permissions(candidate) | QFileDevice::WriteOwner);
        QFile::remove(candidate);
    }
}

void ReportFolderCleanup()
{
    const QString year = QString::number(QDate::currentDate().year());
    const uint user = ::geteuid();
    const QFileInfoList folders
        = QDir(QDir::tempPath()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo &folder : folders) {
        const QString name = folder.fileName();
        if (!isDigits(name) || !name.startsWith(year) || folder.ownerId() != user)
            continue;
        // A folder that cannot be deleted now is left for a later run; printing goes on.
        QDir(folder.absoluteFilePath()).removeRecursively();
    }
}

} // namespace oruhr
