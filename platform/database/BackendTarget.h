#pragma once

#include <QString>

#include <optional>

namespace oruhr::db {

// Which Qt SQL driver a host connection string leads to, and what that driver is given.
struct BackendTarget {
    enum class Kind { SQLite, Odbc, PostgreSQL };

    Kind kind = Kind::SQLite;
    QString driverName;   // "QSQLITE", "QODBC" or "QPSQL"
    QString databaseName; // the file, the ODBC connection string, or the server's database
    // PostgreSQL only: a host name or a Unix socket folder, the port (-1: the default), the login.
    QString hostName;
    int port = -1;
    QString userName;
    QString password;
    // Options for the driver: libpq's for PostgreSQL, Qt's ODBC attributes for SQL Server.
    QString connectOptions;
    // Set on each server session after it opens; 0 seconds: no limit.
    QString applicationName;
    int lockTimeoutSeconds = 30;
    int statementTimeoutSeconds = 300;

    // "Provider=SQLite;Data Source=FILE" opens the embedded database; the OLE DB strings
    // of the SQL Server providers become an ODBC string for the FreeTDS driver; strings
    // starting with "Driver=" or "DSN=" go to ODBC as they are. Anything else throws
    // ComponentError ProviderNotFound. The driver named for SQL Server can be changed
    // with the environment variable ORUHR_ODBC_DRIVER (for Microsoft's driver, say).
    // "Provider=PostgreSQL;Data Source=HOST[:PORT];Initial Catalog=DB;User ID=U;Password=P"
    // opens a PostgreSQL server; a Data Source starting with "/" is a Unix socket folder.
    // A key a provider does not know is refused (ProviderNotFound) naming it. The session
    // carries applicationName unless the string names one ("Application Name").
    static BackendTarget resolve(const QString &connectionString, const QString &applicationName = {});

    // Quotes a value for an ODBC connection string when it needs it.
    static QString odbcValue(const QString &value);

    // The string's password ("Password" or "Pwd"), if it has the key.
    static std::optional<QString> passwordOf(const QString &connectionString);
    // The string with its password replaced, added when missing, or removed (nullopt).
    static QString withPassword(const QString &connectionString, const std::optional<QString> &password);
    // For showing: a non-empty password as "******".
    static QString masked(const QString &connectionString);
    static constexpr const char *passwordMask = "******";
};

} // namespace oruhr::db
