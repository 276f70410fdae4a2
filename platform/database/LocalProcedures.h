#pragma once

#include "platform/database/AccountDocArguments.h"
#include "platform/database/MonthlySalaryArguments.h"

#include <QString>

namespace oruhr::db {

class Connection;

// Stored procedures carried by the program itself, for a database (SQLite) that has none.
// They get the inputs as StoredProcedureCommand checked them.
class LocalProcedures {
public:
    virtual ~LocalProcedures() = default;
    virtual bool contains(const QString &name) const = 0;
    // Runs the procedure; throws ComponentError.
    virtual qint32 call(Connection &connection, const QString &name, const MonthlySalaryArguments &arguments) const = 0;
    virtual qint32 call(Connection &connection, const QString &name, const AccountDocArguments &arguments) const = 0;
};

} // namespace oruhr::db
