#pragma once

#include "platform/database/SqlDialect.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include <memory>

namespace oruhr::db {

struct BackendTarget;
class LocalProcedures;
class StatementCache;

// The one database connection of a data environment. It is opened with its connection
// string at first use and reopened after the string changes.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Closes the connection; the new string takes effect at the next use.
    void setConnectionString(const QString &connectionString);
    QString connectionString() const { return m_connectionString; }
    // How the server lists the session (PostgreSQL's application_name, SQL Server's APP);
    // the program's name when empty. Takes effect at the next open.
    void setApplicationName(const QString &name) { m_applicationName = name; }

    // A connection that only reads, from the next open: see Connection::open for how far
    // each back end keeps it to that.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }

    void open(); // throws ComponentError
    void close();
    bool isOpen() const;

    // Opens the connection when needed.
    QSqlDatabase &database();
    SqlDialect dialect();

    // The SQL text of a statement as the server runs it (T-SQL rewritten for SQLite and PostgreSQL).
    QString nativeSql(const QString &tsql);
    // A date as a quoted-literal body: yyyymmdd for SQL Server, yyyy-mm-dd for the others.
    QString dateLiteral(const QDate &date);
    static QString dateLiteral(const QDate &date, SqlDialect dialect);

    // The statements prepared on this connection, kept until it closes.
    StatementCache &statements();

    // A statement failed: a server, or the link to it, may have gone away. The next use checks the link and
    // opens it again when it is broken, so a clerk goes on without restarting the program.
    void noteFailure() { m_suspect = true; }

    void setLocalProcedures(std::shared_ptr<const LocalProcedures> procedures);
    const LocalProcedures *localProcedures() const { return m_localProcedures.get(); }

private:
    SqlDialect detectDialect();
    void configureSession(const BackendTarget &target);
    void keepReadOnly();
    bool linkIsBroken();

    QString m_connectionString;
    QString m_applicationName;
    QString m_name;
    QSqlDatabase m_database;
    SqlDialect m_dialect = SqlDialect::SqlServer;
    bool m_embedded = true;
    bool m_suspect = false;
    bool m_readOnly = false;
    std::shared_ptr<const LocalProcedures> m_localProcedures;
    std::unique_ptr<StatementCache> m_statements;
};

} // namespace oruhr::db
