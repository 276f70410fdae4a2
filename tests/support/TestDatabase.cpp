#include "tests/support/TestDatabase.h"

#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/SqlExec.h"

#include <QAtomicInt>
#include <QSqlQuery>

namespace oruhr::test {

TestDatabase::TestDatabase()
{
    static QAtomicInt counter;
    m_file = m_dir.filePath(QStringLiteral("payroll.db"));
    embedded::EmbeddedDatabase::create(m_file);
    m_name = QStringLiteral("test-database-%1").arg(counter.fetchAndAddRelaxed(1));
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_database.setDatabaseName(m_file);
    m_database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    m_database.open();
}

TestDatabase::~TestDatabase()
{
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

QString TestDatabase::connectionString() const
{
    return embedded::EmbeddedDatabase::connectionString(m_file);
}

QString TestDatabase::odbcConnectionString() const
{
    return QStringLiteral("Driver=SQLite3;Database=") + m_file;
}

void TestDatabase::exec(const QString &sql, const QVariantList &values)
{
    embedded::exec(m_database, sql, values);
}

QVariant TestDatabase::scalar(const QString &sql, const QVariantList &values)
{
    return embedded::scalar(m_database, sql, values);
}

int TestDatabase::count(const QString &table, const QString &where)
{
    return scalar(QStringLiteral("SELECT count(*) FROM ") + table + QStringLiteral(" WHERE ") + where).toInt();
}

int TestDatabase::addEmployee(const QVariant &code, const QString &firstName, const QString &sureName)
{
    return embedded::exec(m_database,
                          QStringLiteral("INSERT INTO tblEmployee (Code, FirstName, SureName) VALUES (?, ?, ?)"),
                          {code, firstName, sureName})
        .lastInsertId()
        .toInt();
}

int TestDatabase::addOrdinance(int employeeId, QDate begin, QDate end, bool final, OrdinanceFilters filters)
{
    QSqlQuery query = embedded::exec(
        m_database,
        QStringLiteral("INSERT INTO tblHROrdinance (EmployeeID, BeginDate, EndDate, BranchID, RecruitmentTypeID, "
                       "PositionID) VALUES (?, ?, ?, ?, ?, ?)"),
        {employeeId, iso(begin), iso(end), filters.branchId, filters.recruitmentTypeId, filters.positionId});
    const int id = query.lastInsertId().toInt();
    if (final)
        exec(QStringLiteral("UPDATE tblHROrdinance SET Code = ID WHERE ID = ?"), {id});
    return id;
}

int TestDatabase::addPayslip(int employeeId, QDate begin, QDate end, bool final, int ordinanceId)
{
    QSqlQuery query = embedded::exec(
        m_database,
        QStringLiteral("INSERT INTO tblHRMonthlySalary (EmployeeID, OrdinanceID, BeginDate, EndDate) "
                       "VALUES (?, ?, ?, ?)"),
        {employeeId, ordinanceId ? QVariant(ordinanceId) : QVariant(), iso(begin), iso(end)});
    const int id = query.lastInsertId().toInt();
    if (final)
        exec(QStringLiteral("UPDATE tblHRMonthlySalary SET Code = ID WHERE ID = ?"), {id});
    return id;
}

} // namespace oruhr::test
