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

constexpr QFileDevice::Permissions othersAccess = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                              | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                              | QFileDevice::WriteOther | QFileDevice::ExeOther;

// The dated folder's name can be guessed to the second, and the temporary folder is shared:
// a folder of that name is used only when it is the user's own and no one else's to read or
// fill, since the report component runs the SQL of the template copies placed in it.
bool isPrivateFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && !info.isSymLink() && info.ownerId() == ::geteuid()
        && (info.permissions() & othersAccess) == QFileDevice::Permissions();
}

bool madePrivateFolder(const QString &folder)
{
    if (QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return true;
    return isPrivateFolder(folder);
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

QString GetTempReportFile(const ComponentRegistry &components, QString &folder)
{
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
        if (!QFileInfo(folder).isDir()) {
            ShowMessage(components, MessageText::TitleError, MessageText::TempFolderMissing);
            return {};
        }
        folder = withSeparator(folder) + DatedFolderName(QDateTime::currentDateTime());
        if (!madePrivateFolder(folder)) {
            ShowMessage(components, MessageText::TitleError, MessageText::tempFolderNotOwn(folder));
            return {};
        }
    } else if (!isPrivateFolder(folder)) {
        return {}; // refused or missing on the first call, which was told
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
