#include "tests/support/TestDatabase.h"

#include "platform/controls/PelikDate.h"
#include "platform/database/Connection.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/EmbeddedSchema.h"
#include "platform/database/StatementCache.h"
#include "tests/support/TestServer.h"

#include <QAtomicInt>
#include <QSqlQuery>

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

void TestDatabase::addPayslipLines(int payslipId)
{
    exec(QStringLiteral("INSERT INTO tblHRMonthlySalaryDetail (MonthlySalaryID, FunctionID, Amount) VALUES (?, 501, 1000)"),
         {payslipId});
    exec(QStringLiteral("INSERT INTO tblHRMonthlyPaiedLoan (MonthlySalaryID, LoanID, Amount) VALUES (?, 1, 50)"), {payslipId});
    exec(QStringLiteral("INSERT INTO tblHRMonthlyPaiedBox (MonthlySalaryID, BoxID, Amount) VALUES (?, 1, 20)"), {payslipId});
}

TestDatabase::Hired TestDatabase::hire(QDate from, QDate to, const QMap<int, qint64> &items)
{
    const int n = ++m_hired;
    Hired hired;
    hired.employee = addEmployee(QString::number(100 + n), QStringLiteral("نام%1").arg(n), QStringLiteral("فاميل%1").arg(n));
    hired.ordinance = addOrdinance(hired.employee, from, to, true, {11, 21, 31});
    for (auto item = items.cbegin(); item != items.cend(); ++item)
        exec(QStringLiteral("INSERT INTO tblHROrdinanceDetail VALUES (?, ?, ?)"), {hired.ordinance, item.key(), item.value()});
    return hired;
}

void TestDatabase::enter(int employeeId, int factor, const QVariant &value, QDate from, QDate to)
{
    const int batch = scalar(QStringLiteral("INSERT INTO tblHRRunTimeBatch (BeginDate, EndDate) VALUES (?, ?) RETURNING ID"),
                             {iso(from), iso(to)})
                          .toInt();
    exec(QStringLiteral("INSERT INTO tblHRRunTimeBatchDetail VALUES (?, ?, ?, ?)"), {batch, employeeId, factor, value});
}

int TestDatabase::defineAdvance()
{
    const int id = 1097;
    exec(QStringLiteral("INSERT INTO tblPelikMFunction (ID, Name) VALUES (?, 'مساعده')"), {id});
    exec(QStringLiteral("INSERT INTO tblPelikMFunctionDetail (FunctionID, TypeID, ParameterTypeID, BeginDate, EndDate, "
                        "SequenceInMonthlySalary, Kind, Method) VALUES (?, 6, 3, '2020-01-01', '2030-12-31', 115, 2, 1)"),
         {id});
    return id;
}

int TestDatabase::addDocument(const QString &table, bool final, QDate from, QDate to, const QVariant &id)
{
    QVariantList values{final ? QVariant(QStringLiteral("1")) : QVariant(), iso(from), iso(to),
                        PelikDate::toPersianText(from), PelikDate::toPersianText(to)};
    QString columns = QStringLiteral("Code, BeginDate, EndDate, FarsiBeginDate, FarsiEndDate");
    if (id.isValid()) {
        columns.prepend(QStringLiteral("ID, "));
        values.prepend(id);
    }
    const QString marks = QStringLiteral("?, ").repeated(values.size() - 1) + QLatin1Char('?');
    return scalar(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING ID").arg(table, columns, marks), values).toInt();
}

int TestDatabase::addLoan(int employeeId, qint64 principal, qint64 instalment)
{
    const int id = addDocument(QStringLiteral("tblHRLoan"));
    exec(QStringLiteral("INSERT INTO tblHRLoanDetail VALUES (?, ?, ?, ?)"), {id, employeeId, principal, instalment});
    return id;
}

int TestDatabase::addFund(int employeeId, qint64 contribution)
{
    const int id = addDocument(QStringLiteral("tblHRBox"));
    exec(QStringLiteral("INSERT INTO tblHRBoxDetail VALUES (?, ?, ?)"), {id, employeeId, contribution});
    return id;
}

QMap<int, qint64> TestDatabase::linesOf(int payslipId, const QString &table, const QString &key)
{
    QMap<int, qint64> result;
    QSqlQuery query(m_database);
    query.exec(QStringLiteral("SELECT %1, Amount FROM %2 WHERE MonthlySalaryID = %3").arg(key, table).arg(payslipId));
    while (query.next())
        result.insert(query.value(0).toInt(), query.value(1).toLongLong());
    return result;
}

qint64 TestDatabase::netOf(int payslipId)
{
    return scalar(QStringLiteral("SELECT sum(CASE Kind WHEN 1 THEN Amount WHEN 2 THEN -Amount ELSE 0 END) "
                                 "FROM tblHRMonthlySalaryDetail WHERE MonthlySalaryID = ?"),
                  {payslipId})
        .toLongLong();
}

} // namespace oruhr::test
