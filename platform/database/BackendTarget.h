#pragma once

#include <QString>

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

    // "Provider=SQLite;Data Source=FILE" opens the embedded database; the OLE DB strings
    // of the SQL Server providers become an ODBC string for the FreeTDS driver; strings
    // starting with "Driver=" or "DSN=" go to ODBC as they are. Anything else throws
    // ComponentError ProviderNotFound. The driver named for SQL Server can be changed
    // with the environment variable ORUHR_ODBC_DRIVER (for Microsoft's driver, say).
    // "Provider=PostgreSQL;Data Source=HOST[:PORT];Initial Catalog=DB;User ID=U;Password=P"
    // opens a PostgreSQL server; a Data Source starting with "/" is a Unix socket folder.
    static BackendTarget resolve(const QString &connectionString);

    // Quotes a value for an ODBC connection string when it needs it.
    static QString odbcValue(const QString &value);
};

} // namespace oruhr::db
