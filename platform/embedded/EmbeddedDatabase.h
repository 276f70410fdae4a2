#pragma once

#include <QString>

namespace oruhr::embedded {

// The embedded payroll database file: creation with its schema, and its connection string.
class EmbeddedDatabase {
public:
    // "Provider=SQLite;Data Source=FILE"
    static QString connectionString(const QString &file);
    // Creates a new file with the schema, in WAL mode, readable by the user alone, as SQLite
    // then makes its -wal and -shm files; an existing file is never touched: throws
    // ComponentError.
    static void create(const QString &file);
    // Whether the file holds this version's schema.
    static bool isCurrent(const QString &file);
    // Why an existing file is not a database of this version, in Persian; empty when it is.
    static QString whyNotCurrent(const QString &file);
    // From now on the process makes files and folders for its user alone (umask 077): the
    // payroll is private, and SQLite makes some files, the -wal and -shm, on its own.
    static void makeNewFilesPrivate();
};

} // namespace oruhr::embedded
