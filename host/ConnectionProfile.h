#pragma once

#include <QString>

#include <optional>

namespace oruhr::host {

// A database and the signed-in user as an administrator sets them once: a clerk picks it by
// its name and never sees the connection string.
struct ConnectionProfile {
    enum class Backend { SQLite, PostgreSQL, SqlServer };

    QString id;   // the group in the profiles' file
    QString name; // what the clerk sees
    Backend backend = Backend::SQLite;
    QString server; // the file for SQLite; a host, host:port or socket folder for a server
    QString database;
    QString login;
    std::optional<QString> password; // never read from nor written to the system-wide file
    qint16 userId = 0;
    qint16 positionId = 0;
    qint16 employeeId = 0;
    bool systemWide = false;

    QString connectionString() const;
    // A server login whose password is kept nowhere: asked for when the profile opens.
    bool needsPassword() const;

    static std::optional<Backend> backendNamed(const QString &name);
    static QString backendName(Backend backend);
};

} // namespace oruhr::host
