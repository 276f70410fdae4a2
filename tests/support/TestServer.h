#pragma once

#include <QString>

namespace oruhr::test {

// The PostgreSQL server the test run started (tests/postgres/start-server): its socket
// folder from the file the start script wrote in the build folder. A test that needs it fails when it is not running; it is never skipped.
class TestServer {
public:
    static QString socketFolder(); // throws std::runtime_error
    static QString connectionString(const QString &database);
    // A new empty database with a name of its own, and its removal.
    static QString createDatabase();
    static void dropDatabase(const QString &name);
    // Runs the server's control program (pg_ctl) with the action, as the server's owner.
    static void control(const QString &action);
};

} // namespace oruhr::test
