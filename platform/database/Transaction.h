#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>

namespace oruhr::db {

class Connection;
class StatementRows;

// A unit of work on the connection that rolls back unless committed, so that a failure
// half-way leaves nothing of it in the database. On SQLite it takes the write lock at once
// (BEGIN IMMEDIATE): a second clerk then waits on the busy timeout, where upgrading a read
// transaction later would fail at once with "database is locked". PostgreSQL runs it read
// committed; the procedures take the row locks they need.
class Transaction {
public:
    explicit Transaction(Connection &connection); // throws ComponentError
    // The same, with a first statement inside the transaction, such as one taking locks, whose
    // rows, if any, go to `rows`: on a server it goes with the BEGIN in one round trip. Its
    // text is sent as it stands, so its values must be numbers and dates.
    Transaction(Connection &connection, const QString &firstStatement,
                const std::function<void(StatementRows &)> &rows = {});
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit(); // throws ComponentError
    // Runs the transaction's last statement ("?" for each value) and commits: on a server in
    // one round trip. Gives the first value of the statement's first row; throws ComponentError.
    QVariant commitWith(const QString &sql, const QVariantList &values);
    bool isOpen() const { return m_active; }

private:
    void beginAfter(const QString &firstStatement, const std::function<void(StatementRows &)> &rows);

    Connection &m_connection;
    // Qt's own transaction calls open a deferred one on SQLite, and none at all through an
    // ODBC driver Qt does not know; SQLite's statements work on both.
    bool m_usesStatements;
    bool m_active = false;
};

} // namespace oruhr::db
