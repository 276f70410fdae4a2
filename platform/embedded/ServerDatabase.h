#pragma once

#include <QString>

namespace oruhr::embedded {

// The product's payroll database on a PostgreSQL server, named by a connection string
// "Provider=PostgreSQL;...;Initial Catalog=DB;...".
class ServerDatabase {
public:
    // Creates the database when the server lacks it, and the product's tables in it when it
    // has none; never drops anything. Throws ComponentError.
    static void create(const QString &connectionString);
    // Whether the database exists and holds this version's schema.
    static bool isCurrent(const QString &connectionString);
};

} // namespace oruhr::embedded
