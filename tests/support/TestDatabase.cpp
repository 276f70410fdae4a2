#include "tests/support/TestDatabase.h"

#include "platform/database/Connection.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/EmbeddedSchema.h"
#include "platform/database/StatementCache.h"
#include "tests/support/TestServer.h"

#include <QAtomicInt>

namespace oruhr::test {

TestDatabase::TestDatabase(Backend backend)
    : m_backend(backend)
{
    static QAtomicInt counter;
    m_name = QStringLiteral("test-database-%1").arg(counter.fetchAndAddRelaxed(1));
    if (backend == Backend::PostgreSQL) {
        m_serverDatabase = TestServer::createDatabase();
        db::Connection connection;
        connection.setConnectionString(connectionString());
        embedded::EmbeddedSchema::create(connection);
        m_database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        m_database.setHostName(TestServer::socketFolder());
        m_database.setDatabaseName(m_serverDatabase);
        m_database.setUserName(QStringLiteral("postgres"));
    } else {
        m_file = m_dir.filePath(QStringLiteral("payroll.db"));
        embedded::EmbeddedDatabase::create(m_file);
        m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_database.setDatabaseName(m_file);
        m_database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    m_database.open();
}

TestDatabase::~TestDatabase()
{
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    try {
        if (!m_serverDatabase.isEmpty())
            TestServer::dropDatabase(m_serverDatabase);
    } catch (const std::exception &error) {
        // A destructor must not throw; a database left behind goes with the test server.
        qWarning("%s", error.what());
    }
}

QString TestDatabase::connectionString() const
{
    switch (m_backend) {
    case Backend::Odbc:
        return QStringLiteral("Driver=SQLite3;Database=") + m_file;
    case Backend::PostgreSQL:
        return TestServer::connectionString(m_serverDatabase);
    default:
        return embedded::EmbeddedDatabase::connectionString(m_file);
    }
}

void TestDatabase::seedDemo(const demo::DemoOptions &options)
{
    db::Connection connection;
    connection.setConnectionString(connectionString());
    demo::DemoDataGenerator::seed(connection, options);
}

void TestDatabase::exec(const QString &sql, const QVariantList &values)
{
    db::StatementCache(m_database).execute(sql, values);
}

QVariant TestDatabase::scalar(const QString &sql, const QVariantList &values)
{
    return db::StatementCache(m_database).scalar(sql, values);
}

int TestDatabase::count(const QString &table, const QString &where)
{
    return scalar(QStringLiteral("SELECT count(*) FROM ") + table + QStringLiteral(" WHERE ") + where).toInt();
}

int TestDatabase::addEmployee(const QVariant &code, const QString &firstName, const QString &sureName)
{
    return scalar(QStringLiteral("INSERT INTO tblEmployee (Code, FirstName, SureName) VALUES (?, ?, ?) RETURNING ID"),
                  {code, firstName, sureName})
        .toInt();
}

int TestDatabase::addOrdinance(int employeeId, QDate begin, QDate end, bool final, std::array<int, 3> filters)
{
    const int id =
        scalar(QStringLiteral("INSERT INTO tblHROrdinance (EmployeeID, BeginDate, EndDate, BranchID, RecruitmentTypeID, "
                              "PositionID) VALUES (?, ?, ?, ?, ?, ?) RETURNING ID"),
               {employeeId, iso(begin), iso(end), filters[0], filters[1], filters[2]})
            .toInt();
    if (final)
        exec(QStringLiteral("UPDATE tblHROrdinance SET Code = ID WHERE ID = ?"), {id});
    return id;
}

int TestDatabase::addPayslip(int employeeId, QDate begin, QDate end, bool final, int ordinanceId)
{
    const int id = scalar(QStringLiteral("INSERT INTO tblHRMonthlySalary (EmployeeID, OrdinanceID, BeginDate, EndDate) "
                                         "VALUES (?, ?, ?, ?) RETURNING ID"),
                          {employeeId, ordinanceId ? QVariant(ordinanceId) : QVariant(QMetaType::fromType<int>()),
                           iso(begin), iso(end)})
                       .toInt();
    if (final)
        exec(QStringLiteral("UPDATE tblHRMonthlySalary SET Code = ID WHERE ID = ?"), {id});
    return id;
}

} // namespace oruhr::test
