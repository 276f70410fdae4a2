#pragma once

namespace oruhr::db {

class Connection;

// A unit of work on the connection that rolls back unless committed, so that a failure
// half-way leaves nothing of it in the database.
class Transaction {
public:
    explicit Transaction(Connection &connection); // throws ComponentError
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit(); // throws ComponentError

private:
    Connection &m_connection;
    bool m_active = false;
};

} // namespace oruhr::db
