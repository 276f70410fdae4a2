#pragma once

#include "demo/DemoDataGenerator.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QVariantList>

#include <gtest/gtest.h>

#include <array>

namespace oruhr::test {

// Where the code under test finds the database: the embedded provider on a SQLite file, the
// same file through the SQLite ODBC driver, or a database of its own on the tests' PostgreSQL.
enum class Backend { Embedded, Odbc, PostgreSQL };

inline const char *backendName(const ::testing::TestParamInfo<Backend> &info)
{
    static const char *const names[] = {"Embedded", "Odbc", "PostgreSQL"};
    return names[int(info.param)];
}

// A fresh database with the embedded schema, with a direct QtSql handle for arranging rows
// and checking what the code under test wrote.
class TestDatabase {
public:
    explicit TestDatabase(Backend backend = Backend::Embedded);
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    QString file() const { return m_file; } // empty on PostgreSQL
    QString connectionString() const;       // for the code under test, through the backend

    QSqlDatabase &sql() { return m_database; }
    // After the server was restarted: the handle opens anew.
    void reconnect()
    {
        m_database.close();
        m_database.open();
    }
    void exec(const QString &sql, const QVariantList &values = {});
    QVariant scalar(const QString &sql, const QVariantList &values = {});
    int count(const QString &table, const QString &where = QStringLiteral("1=1"));

    // The demo generator's catalogue, rules, staff and payroll.
    void seedDemo(const demo::DemoOptions &options);

    // Rows for the common cases; every insert returns the new ID.
    int addEmployee(const QVariant &code, const QString &firstName, const QString &sureName);
    // The filters are the branch, the recruitment type and the position (cost centre).
    int addOrdinance(int employeeId, QDate begin, QDate end, bool final, std::array<int, 3> filters = {});
    int addPayslip(int employeeId, QDate begin, QDate end, bool final, int ordinanceId = 0);

    static QString iso(QDate date) { return date.toString(Qt::ISODate); }

private:
    Backend m_backend;
    QString m_serverDatabase;
    QTemporaryDir m_dir;
    QString m_file;
    QString m_name;
    QSqlDatabase m_database;
};

} // namespace oruhr::test
