#pragma once

#include <QString>
#include <QStringList>

namespace oruhr::db {
class Connection;
}

namespace oruhr::embedded {

// What an office's administrator does to a payroll database of the product's own, on SQLite
// or a PostgreSQL server: make it, bring an earlier release's schema up to this one, see what
// is missing, and give the clerks' role its rights. Each step is one transaction; each throws
// ComponentError with a Persian message.
class DatabaseAdministration {
public:
    struct State {
        int version = 0;       // 0: no product tables; -1: product tables of no release known
        bool hasEmployees = false;
        QStringList problems;  // what is missing or outdated, for the administrator to read
        bool isCurrent() const { return problems.isEmpty(); }
    };

    explicit DatabaseAdministration(db::Connection &connection);

    State inspect() const;
    // The schema with the statutory rules, and no people; refused where product tables exist.
    void init() const;
    // From any earlier release's schema to this one, data kept.
    void upgrade() const;
    // Exactly what the windows and procedures need, and no right on the schema (PostgreSQL).
    void grant(const QString &role) const;
    // Drops the product's tables, views and functions, dependents first, never by cascade.
    void drop() const;

    // The name the database goes by: the server's database, or the file.
    QString databaseName() const;
    // Whether given names this database again (the server's database, or the file by its name
    // or path): what a step that drops or rewrites tables asks for.
    bool isNamedBy(const QString &given) const;

private:
    bool tableExists(const QString &table) const;

    db::Connection &m_connection;
};

} // namespace oruhr::embedded
