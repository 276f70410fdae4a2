#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QVariantList>

namespace oruhr::test {

// The filter columns of an ordinance.
struct OrdinanceFilters {
    int branchId = 0;
    int recruitmentTypeId = 0;
    int positionId = 0;
};

// A fresh embedded database in a temporary folder, with a direct QtSql handle for
// arranging rows and checking what the code under test wrote.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    QString file() const { return m_file; }
    QString connectionString() const;     // the embedded provider string
    QString odbcConnectionString() const; // the same file through the SQLite ODBC driver

    QSqlDatabase &sql() { return m_database; }
    void exec(const QString &sql, const QVariantList &values = {});
    QVariant scalar(const QString &sql, const QVariantList &values = {});
    int count(const QString &table, const QString &where = QStringLiteral("1=1"));

    // Rows for the common cases; every insert returns the new ID.
    int addEmployee(const QVariant &code, const QString &firstName, const QString &sureName);
    int addOrdinance(int employeeId, QDate begin, QDate end, bool final, OrdinanceFilters filters = {});
    int addPayslip(int employeeId, QDate begin, QDate end, bool final, int ordinanceId = 0);

    static QString iso(QDate date) { return date.toString(Qt::ISODate); }

private:
    QTemporaryDir m_dir;
    QString m_file;
    QString m_name;
    QSqlDatabase m_database;
};

} // namespace oruhr::test
