#pragma once

#include <QString>

namespace oruhr::embedded {

// The embedded payroll database file: creation with its schema, and its connection string.
class EmbeddedDatabase {
public:
    // "Provider=SQLite;Data Source=FILE"
    static QString connectionString(const QString &file);
    // Creates a new file with the schema, in WAL mode; an existing file is never touched:
    // throws ComponentError.
    static void create(const QString &file);
    // Whether the file holds this version's schema.
    static bool isCurrent(const QString &file);
};

} // namespace oruhr::embedded
