#pragma once

#include "host/ConnectionProfile.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QSettings;
class QWidget;

namespace oruhr::host {

// The connection profiles a clerk picks from: the administrator's system-wide file (never a
// password in it) and the user's own, private file, whose profile wins over a system-wide
// one of the same id. A profile or file that cannot be used is left out and said why.
class ConnectionProfiles {
public:
    ConnectionProfiles(QString userFile, QString systemFile);
    // connections.ini in the user's configuration folder of the program.
    static QString defaultUserFile();
    // ORUHR_SYSTEM_CONNECTIONS, else /etc/oruhr/connections.ini.
    static QString defaultSystemFile();

    QString userFile() const { return m_userFile; }
    QString systemFile() const { return m_systemFile; }

    void load();
    const QList<ConnectionProfile> &profiles() const { return m_profiles; }
    // In Persian, one line for each file or profile left out.
    const QStringList &problems() const { return m_problems; }

    // The only profile at once; among several the one the clerk picks; none when there is
    // none or the clerk cancels.
    std::optional<ConnectionProfile> choose(QWidget *parent) const;

    // Into the user's file, readable by the user alone; throws ComponentError.
    void save(const ConnectionProfile &profile);

private:
    void readFile(const QString &file, bool systemWide);
    std::optional<ConnectionProfile> readProfile(QSettings &settings, const QString &id, bool systemWide);

    QString m_userFile;
    QString m_systemFile;
    QList<ConnectionProfile> m_profiles;
    QStringList m_problems;
};

} // namespace oruhr::host
