#pragma once

#include <QString>
#include <QVariantList>

namespace oruhr::db {

class Connection;

// Stored procedures carried by the program itself, for a database (SQLite) that has none.
class LocalProcedures {
public:
    virtual ~LocalProcedures() = default;
    virtual bool contains(const QString &name) const = 0;
    // Runs the procedure with its input values in declaration order; throws ComponentError.
    virtual qint32 call(Connection &connection, const QString &name, const QVariantList &inputs) const = 0;
};

} // namespace oruhr::db
