#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <memory>
#include <typeindex>
#include <utility>
#include <unordered_map>

namespace oruhr::db {

// The rows of one run of a cached statement. The statement is reset when they go, so that a
// cached SELECT never holds the database's read snapshot open.
class StatementRows {
public:
    explicit StatementRows(QSqlQuery &query)
        : m_query(&query)
    {
    }
    StatementRows(StatementRows &&other) noexcept
        : m_query(std::exchange(other.m_query, nullptr))
    {
    }
    StatementRows(const StatementRows &) = delete;
    StatementRows &operator=(const StatementRows &) = delete;
    ~StatementRows()
    {
        if (m_query)
            m_query->finish();
    }

    bool next() { return m_query->next(); }
    QVariant value(int column) const { return m_query->value(column); }
    qint64 integer(int column) const { return m_query->value(column).toLongLong(); }

private:
    QSqlQuery *m_query;
};

// Statements prepared once per text on one open database and run many times: a payroll run
// makes the same few statements for each of ten thousand employees, and preparing them
// again each time cost more than running them.
class StatementCache {
public:
    explicit StatementCache(const QSqlDatabase &database);
    ~StatementCache();
    StatementCache(const StatementCache &) = delete;
    StatementCache &operator=(const StatementCache &) = delete;

    QSqlDatabase &database() { return m_database; }

    // Binds the values in order and runs the statement; throws ComponentError.
    StatementRows run(const QString &sql, const QVariantList &values = {});
    // The first column of the first row, or an invalid QVariant when there is none.
    QVariant scalar(const QString &sql, const QVariantList &values = {});
    void execute(const QString &sql, const QVariantList &values = {}) { run(sql, values); }
    // Runs an INSERT ending in "RETURNING ID" and gives the new row's ID.
    qint64 insert(const QString &sql, const QVariantList &values);

    // What the session worked out from its reads and keeps as long as its statements, one
    // object of each type, made empty at first use.
    template<typename T>
    T &kept()
    {
        std::shared_ptr<void> &slot = m_kept[std::type_index(typeid(T))];
        if (!slot)
            slot = std::make_shared<T>();
        return *static_cast<T *>(slot.get());
    }

    // Drops every prepared statement and what was kept; needed before the database closes.
    void clear();

private:
    struct Statement {
        std::unique_ptr<QSqlQuery> query;
        bool direct; // run as text each time: PostgreSQL prepares no schema statement
    };

    Statement &prepared(const QString &sql, bool withValues);

    QSqlDatabase m_database;
    bool m_postgres;
    std::unordered_map<QString, Statement> m_statements;
    std::unordered_map<std::type_index, std::shared_ptr<void>> m_kept;
};

} // namespace oruhr::db
