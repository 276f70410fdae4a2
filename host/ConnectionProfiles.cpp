#include "host/ConnectionProfiles.h"

#include "host/HostLog.h"

#include "common/DesignedWindow.h"
#include "platform/automation/ComponentError.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QSettings>
#include <QStandardPaths>

#include <limits>
#include <utility>

namespace oruhr::host {
namespace {

const QString nameKey = QStringLiteral("Name");
const QString backendKey = QStringLiteral("Backend");
const QString serverKey = QStringLiteral("Server");
const QString databaseKey = QStringLiteral("Database");
const QString loginKey = QStringLiteral("Login");
const QString passwordKey = QStringLiteral("Password");
const QString userKey = QStringLiteral("UserID");
const QString positionKey = QStringLiteral("PositionID");
const QString employeeKey = QStringLiteral("EmployeeID");

std::optional<qint16> shortValue(const QSettings &settings, const QString &key)
{
    bool ok = false;
    const int value = settings.value(key, 0).toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(value);
}

QString leftToRight(const QString &text)
{
    return QChar(0x200E) + text + QChar(0x200E);
}

} // namespace

ConnectionProfiles::ConnectionProfiles(QString userFile, QString systemFile)
    : m_userFile(std::move(userFile))
    , m_systemFile(std::move(systemFile))
{
}

QString ConnectionProfiles::defaultUserFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("connections.ini"));
}

QString ConnectionProfiles::defaultSystemFile()
{
    return qEnvironmentVariableIsSet("ORUHR_SYSTEM_CONNECTIONS") ? qEnvironmentVariable("ORUHR_SYSTEM_CONNECTIONS")
                                                                  : QStringLiteral("/etc/oruhr/connections.ini");
}

void ConnectionProfiles::load()
{
    m_profiles.clear();
    m_problems.clear();
    readFile(m_systemFile, true);
    readFile(m_userFile, false);
    for (const QString &problem : std::as_const(m_problems))
        qCWarning(lcHost).noquote() << problem;
}

void ConnectionProfiles::readFile(const QString &file, bool systemWide)
{
    if (!QFileInfo::exists(file))
        return;
    // The user's profiles may carry passwords.
    if (!systemWide && (QFile::permissions(file) & (QFile::ReadGroup | QFile::ReadOther))) {
        m_problems << QStringLiteral("فایل اتصال‌ها را دیگران هم می‌توانند بخوانند و کنار گذاشته شد: %1؛ "
                                     "آن را فقط برای خودتان خواندنی کنید (chmod 600).")
                          .arg(leftToRight(file));
        return;
    }
    QSettings settings(file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        m_problems << QStringLiteral("فایل اتصال‌ها خوانده نشد: ") + leftToRight(file);
        return;
    }
    for (const QString &id : settings.childGroups()) {
        std::optional<ConnectionProfile> profile = readProfile(settings, id, systemWide);
        if (!profile)
            continue;
        m_profiles.removeIf([&](const ConnectionProfile &p) { return p.id == id; });
        m_profiles << *profile;
    }
}

std::optional<ConnectionProfile> ConnectionProfiles::readProfile(QSettings &settings, const QString &id, bool systemWide)
{
    settings.beginGroup(id);
    const auto refuse = [&](const QString &why) {
        settings.endGroup();
        m_problems << QStringLiteral("اتصال %1 در %2 کنار گذاشته شد: %3").arg(leftToRight(id), leftToRight(settings.fileName()), why);
        return std::nullopt;
    };
    ConnectionProfile profile;
    profile.id = id;
    profile.systemWide = systemWide;
    for (const QString &key : {nameKey, backendKey, serverKey, userKey})
        if (settings.value(key).toString().trimmed().isEmpty())
            return refuse(QStringLiteral("کلید %1 را ندارد.").arg(key));
    profile.name = settings.value(nameKey).toString().trimmed();
    const std::optional<ConnectionProfile::Backend> backend = ConnectionProfile::backendNamed(settings.value(backendKey).toString());
    if (!backend)
        return refuse(QStringLiteral("نوع پایگاه داده %1 شناخته نیست (SQLite، PostgreSQL یا SqlServer).")
                          .arg(leftToRight(settings.value(backendKey).toString())));
    profile.backend = *backend;
    profile.server = settings.value(serverKey).toString().trimmed();
    profile.database = settings.value(databaseKey).toString().trimmed();
    if (profile.backend != ConnectionProfile::Backend::SQLite && profile.database.isEmpty())
        return refuse(QStringLiteral("کلید %1 را ندارد.").arg(databaseKey));
    profile.login = settings.value(loginKey).toString().trimmed();
    if (settings.contains(passwordKey)) {
        if (systemWide)
            return refuse(QStringLiteral("در فایل سراسری گذرواژه نوشته نمی‌شود؛ آن را پاک کنید."));
        profile.password = settings.value(passwordKey).toString();
    }
    const std::optional<qint16> user = shortValue(settings, userKey), position = shortValue(settings, positionKey),
                                employee = shortValue(settings, employeeKey);
    if (!user || !position || !employee)
        return refuse(QStringLiteral("شماره کاربر، سمت یا کارمند عددی از ‎-32768 تا 32767 نیست."));
    profile.userId = *user;
    profile.positionId = *position;
    profile.employeeId = *employee;
    settings.endGroup();
    return profile;
}

std::optional<ConnectionProfile> ConnectionProfiles::choose(QWidget *parent) const
{
    if (m_profiles.size() <= 1)
        return m_profiles.isEmpty() ? std::nullopt : std::optional(m_profiles.first());
    QStringList names;
    for (const ConnectionProfile &profile : m_profiles)
        names << profile.name;
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("profileChoice"));
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setWindowTitle(QStringLiteral("پایگاه داده"));
    dialog.setLabelText(QStringLiteral("با کدام پایگاه داده کار می‌کنید؟"));
    dialog.setComboBoxItems(names);
    dialog.setComboBoxEditable(false);
    dialog.setOkButtonText(QStringLiteral("باز کردن"));
    dialog.setCancelButtonText(QStringLiteral("انصراف"));
    QFont text = designedFont();
    text.setPointSizeF(10);
    dialog.setFont(text);
    dialog.setMinimumWidth(360);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // By place: two profiles may share a name.
    return m_profiles.value(dialog.findChild<QComboBox *>()->currentIndex());
}

void ConnectionProfiles::save(const ConnectionProfile &profile)
{
    QDir().mkpath(QFileInfo(m_userFile).absolutePath());
    {
        QFile file(m_userFile);
        if (!file.exists() && file.open(QIODevice::WriteOnly))
            file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    QSettings settings(m_userFile, QSettings::IniFormat);
    settings.remove(profile.id);
    settings.beginGroup(profile.id);
    settings.setValue(nameKey, profile.name);
    settings.setValue(backendKey, ConnectionProfile::backendName(profile.backend));
    settings.setValue(serverKey, profile.server);
    if (!profile.database.isEmpty())
        settings.setValue(databaseKey, profile.database);
    if (!profile.login.isEmpty())
        settings.setValue(loginKey, profile.login);
    if (profile.password)
        settings.setValue(passwordKey, *profile.password);
    settings.setValue(userKey, profile.userId);
    settings.setValue(positionKey, profile.positionId);
    settings.setValue(employeeKey, profile.employeeId);
    settings.endGroup();
    settings.sync();
    QFile::setPermissions(m_userFile, QFile::ReadOwner | QFile::WriteOwner);
    if (settings.status() != QSettings::NoError)
        throw ComponentError(ComponentError::CommandFailed, QStringLiteral("فایل اتصال‌ها نوشته نشد: ") + m_userFile);
    m_profiles.removeIf([&](const ConnectionProfile &p) { return p.id == profile.id; });
    m_profiles << profile;
}

} // namespace oruhr::host
