#pragma once

#include <QString>
#include <QVariantList>

class QSqlDatabase;

namespace oruhr::db {

// Stored procedures carried by the program itself, for a database (SQLite) that has none.
class LocalProcedures {
public:
    virtual ~LocalProcedures() = default;
    virtual bool contains(const QString &name) const = 0;
    // Runs the procedure with its input values in declaration order; throws ComponentError.
    virtual qint32 call(QSqlDatabase &database, const QString &name, const QVariantList &inputs) const = 0;
};

} // namespace oruhr::db
