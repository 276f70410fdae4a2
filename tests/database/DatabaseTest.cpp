#include "platform/database/BackendTarget.h"
#include "platform/database/Connection.h"
#include "platform/database/Recordset.h"
#include "platform/database/TsqlRewriter.h"
#include "tests/support/TestKit.h"

using namespace oruhr;
using namespace oruhr::db;
using namespace oruhr::test;

TEST(BackendTarget, EachProviderFindsItsDriverAndAnythingElseCannotBeUsed)
{
    const BackendTarget file = BackendTarget::resolve("Provider=SQLite;Data Source=/var/lib/p r.db");
    EXPECT_EQ(std::tuple(file.kind, file.driverName, file.databaseName),
              std::tuple(BackendTarget::Kind::SQLite, QString("QSQLITE"), QString("/var/lib/p r.db")));
    const std::pair<const char *, const char *> odbc[] = {
        {"Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Password=p;Initial Catalog=Salvo;Data Source=db01",
         "Driver={FreeTDS};Server=db01;Port=1433;Database=Salvo;UID=sa;PWD=p;TDS_Version=7.4;ClientCharset=UTF-8"},
        {"Provider=SQLNCLI11;Data Source=db01\\HR;Initial Catalog=Salvo;Integrated Security=SSPI",
         "Driver={FreeTDS};Server=db01\\HR;Database=Salvo;Trusted_Connection=Yes;TDS_Version=7.4;ClientCharset=UTF-8"},
        {"provider=MSOLEDBSQL;data source=tcp:10.0.0.5,1500;initial catalog=Salvo;user id=hr;password='a;b'",
         "Driver={FreeTDS};Server=10.0.0.5;Port=1500;Database=Salvo;UID=hr;PWD={a;b};TDS_Version=7.4;ClientCharset=UTF-8"},
        {"Driver={ODBC Driver 18 for SQL Server};Server=x", "Driver={ODBC Driver 18 for SQL Server};Server=x"},
    };
    for (const auto &[given, driver] : odbc)
        EXPECT_EQ(std::pair(BackendTarget::resolve(given).driverName, BackendTarget::resolve(given).databaseName),
                  std::pair(QString("QODBC"), QString(driver)));
    const BackendTarget tcp =
        BackendTarget::resolve("Provider=PostgreSQL;Data Source=db01:5433;Initial Catalog=Salvo;User ID=hr;Password='a;b'");
    EXPECT_EQ(std::make_tuple(tcp.driverName, tcp.hostName, tcp.port, tcp.databaseName, tcp.userName, tcp.password),
              std::make_tuple(QString("QPSQL"), QString("db01"), 5433, QString("Salvo"), QString("hr"), QString("a;b")));
    const BackendTarget socket = BackendTarget::resolve("provider=postgresql;data source=/run/postgresql;initial catalog=S");
    EXPECT_EQ(std::make_pair(socket.hostName, socket.port), std::make_pair(QString("/run/postgresql"), -1));

    for (const char *text : {"0", "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb", "Provider=SQLite", "Data Source=x",
                             "Provider=PostgreSQL;Data Source=db01", "Provider=PostgreSQL;Data Source=db01:x;Initial Catalog=S"})
        EXPECT_EQ(test::errorNumber([&] { BackendTarget::resolve(text); }), ComponentError::ProviderNotFound) << text;
}

TEST(BackendTarget, ServerKeysReachTheDriverAndAnUnknownKeyOrValueIsRefusedByName)
{
    const BackendTarget pg = BackendTarget::resolve(
        "Provider=PostgreSQL;Data Source=db01;Initial Catalog=S;SSLMode=Require;sslrootcert=/etc/ca dir/root.crt;"
        "Connect Timeout=5;Lock Timeout=7;Command Timeout=0",
        "oruhr-host user 12");
    EXPECT_EQ(std::tuple(pg.connectOptions, pg.lockTimeoutSeconds, pg.statementTimeoutSeconds, pg.applicationName),
              std::tuple(QString("connect_timeout=5;sslmode=require;sslrootcert='/etc/ca dir/root.crt'"), 7, 0,
                         QString("oruhr-host user 12")));
    const BackendTarget plain = BackendTarget::resolve("Provider=PostgreSQL;Data Source=db01;Initial Catalog=S");
    EXPECT_EQ(std::tuple(plain.connectOptions, plain.lockTimeoutSeconds, plain.statementTimeoutSeconds),
              std::tuple(QString("connect_timeout=10"), 30, 300));
    const BackendTarget sql = BackendTarget::resolve(
        "Provider=MSOLEDBSQL;Persist Security Info=False;Data Source=db01;Initial Catalog=S;User ID=u;Password=p;"
        "Encrypt=Mandatory;TrustServerCertificate=True;Lock Timeout=0;Command Timeout=60",
        "oruhr-host user 3");
    EXPECT_EQ(std::tuple(sql.databaseName, sql.lockTimeoutSeconds),
              std::tuple(QString("Driver={FreeTDS};Server=db01;Port=1433;Database=S;UID=u;PWD=p;TDS_Version=7.4;"
                                 "ClientCharset=UTF-8;Timeout=60;Encryption=require;TrustServerCertificate=yes;APP=oruhr-host user 3"),
                         0));

    const std::pair<const char *, const char *> refused[] = {
        {"Provider=PostgreSQL;Data Source=db01;Initial Catalog=S;SSL Mode=require", "SSL Mode"},
        {"Provider=SQLOLEDB;Data Source=db01;sslmode=require", "sslmode"},
        {"Provider=SQLite;Data Source=x.db;Mode=ReadOnly", "Mode"},
        {"Provider=PostgreSQL;Data Source=db01;Initial Catalog=S;sslmode=sometimes", "sometimes"},
        {"Provider=SQLOLEDB;Data Source=db01;Encrypt=perhaps", "perhaps"},
        {"Provider=PostgreSQL;Data Source=db01;Initial Catalog=S;Lock Timeout=-1", "-1"},
    };
    for (const auto &[text, named] : refused) {
        QString refusal;
        try {
            BackendTarget::resolve(text);
        } catch (const ComponentError &error) {
            refusal = QString::number(error.number()) + ' ' + error.description();
        }
        EXPECT_TRUE(refusal.startsWith("3706 ") && refusal.contains(named)) << text;
    }

    // The host shows and stores strings without their passwords.
    const std::tuple<const char *, const char *, const char *> passwords[] = {
        {"Provider=SQLOLEDB;Data Source=d;Password='a;b';User ID=u", "Provider=SQLOLEDB;Data Source=d;Password=******;User ID=u",
         "Provider=SQLOLEDB;Data Source=d;User ID=u"},
        {"Driver=FreeTDS;Server=x;PWD={p;q}", "Driver=FreeTDS;Server=x;PWD=******", "Driver=FreeTDS;Server=x"},
    };
    for (const auto &[text, masked, bare] : passwords) {
        EXPECT_EQ(BackendTarget::masked(text), masked);
        EXPECT_EQ(BackendTarget::withPassword(text, std::nullopt), bare);
        EXPECT_EQ(BackendTarget::passwordOf(BackendTarget::withPassword(bare, QString("x;'y"))), "x;'y");
    }
}

namespace {

std::string rewritten(const char *tsql, SqlDialect dialect = SqlDialect::SQLite)
{
    return TsqlRewriter::rewrite(QString::fromUtf8(tsql), dialect).toStdString();
}

} // namespace

// What the window texts become is checked by running them on each back end; here the edges.
TEST(TsqlRewriter, PlusJoinsOnlyBesideTextAndLiteralsAndCommentsAreNeverTouched)
{
    EXPECT_EQ(rewritten("select a + b + 'x' from t"), "select a || b || 'x' from t");
    EXPECT_EQ(rewritten("select (a + b) as s, c + 'z' from t where b + 2 = 'y'"),
              "select (a + b) as s, c || 'z' from t where b + 2 = 'y'");
    // a style argument is outside the subset and stays as written
    EXPECT_EQ(rewritten("convert(varchar, d, 111)"), "convert(varchar, d, 111)");
    for (const char *kept : {"update t set Description='x + y convert(int, z) Delete tbl Where' where ID=1",
                             "select 'it''s + isnull(' from t", "select a -- isnull(b) + c\n from t",
                             "select /* convert(int, a) */ a from t", "select (a from t", "select 'open"})
        EXPECT_EQ(rewritten(kept), kept);
    // convert(int, '') is 0 on SQL Server, as SQLite's CAST makes it, and an error in PostgreSQL's CAST
    EXPECT_EQ(rewritten("select convert(int, code) from t where convert(bigint, ?) = 1", SqlDialect::PostgreSQL),
              "select CASE WHEN trim(CAST(code AS TEXT)) = '' THEN 0 ELSE CAST(code AS INTEGER) END from t "
              "where CAST(? AS BIGINT) = 1");
    EXPECT_EQ(rewritten("select a from (select a from t order by b) x Order by 1 desc", SqlDialect::PostgreSQL),
              "select a from (select a from t order by b NULLS FIRST) x Order by 1 desc NULLS LAST");
}

// Every case runs on the embedded provider and through the SQLite ODBC driver.
class ConnectionTest : public ::testing::TestWithParam<Backend> {};

TEST_P(ConnectionTest, OpensLazilyAndRecordsetsWalkRowsWithNullsAndReportFailures)
{
    TestDatabase db(GetParam());
    db.addEmployee("7", "زهرا", QString());
    db.addEmployee(QVariant(), "", "کريمي");
    Connection connection;
    connection.setConnectionString(db.connectionString());
    EXPECT_FALSE(connection.isOpen());
    Recordset recordset(connection);
    recordset.open("Select ID, Code, FirstName, SureName from tblEmployee Order By ID");
    EXPECT_EQ(recordset.recordCount(), 2);
    EXPECT_EQ(recordset.field("code").toString(), "7"); // names in any case
    EXPECT_TRUE(recordset.field("SureName").isNull());
    recordset.moveNext();
    EXPECT_TRUE(recordset.field("Code").isNull());
    EXPECT_FALSE(recordset.field("FirstName").isNull()); // empty, not NULL
    recordset.moveNext();
    EXPECT_TRUE(recordset.eof());
    EXPECT_EQ(errorNumber([&] { recordset.field("Code"); }), ComponentError::NoCurrentRecord);
    recordset.moveFirst();
    EXPECT_EQ(errorNumber([&] { recordset.field("Missing"); }), ComponentError::FieldNotFound);

    EXPECT_EQ(errorNumber([&] { recordset.open("select * from tblNoSuchTable"); }), ComponentError::CommandFailed);
    EXPECT_FALSE(recordset.isOpen());
    recordset.open("select 1 as one"); // the recordset is reusable
    recordset.close();
    EXPECT_EQ(errorNumber([&] { recordset.recordCount(); }), ComponentError::ObjectClosed);

    TestDatabase other; // a new string reaches the other database
    connection.setConnectionString(other.connectionString());
    recordset.open("select count(*) as n from tblEmployee");
    EXPECT_EQ(recordset.field("N").toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, ConnectionTest, ::testing::Values(Backend::Embedded, Backend::Odbc), backendName);

TEST(Connection, UnusableStringsFailAtFirstUseAndCreateNothing)
{
    Connection connection;
    EXPECT_EQ(connection.connectionString(), "0");
    EXPECT_EQ(errorNumber([&] { connection.open(); }), ComponentError::ProviderNotFound);
    QTemporaryDir dir;
    const QString file = dir.filePath("absent.db");
    connection.setConnectionString("Provider=SQLite;Data Source=" + file);
    EXPECT_EQ(errorNumber([&] { connection.open(); }), ComponentError::ConnectionFailed);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(Connection::dateLiteral(QDate(2026, 3, 1), SqlDialect::SqlServer), "20260301");
}

// What a dead server or a cut network leaves: the driver's link no longer connected. The next
// use finds it broken and opens it again.
TEST(Connection, AnOdbcLinkThatDroppedIsOpenedAgainAtTheNextUse)
{
    TestDatabase db(Backend::Odbc);
    Connection connection;
    connection.setConnectionString(db.connectionString());
    Recordset recordset(connection);
    recordset.open("select count(*) as n from tblEmployee");
    using Disconnect = short (*)(void *);
    const auto disconnect = reinterpret_cast<Disconnect>(QLibrary::resolve("libodbc.so.2", "SQLDisconnect"));
    ASSERT_TRUE(disconnect);
    const QVariant handle = connection.database().driver()->handle();
    disconnect(*static_cast<void *const *>(handle.constData()));
    EXPECT_EQ(errorNumber([&] { recordset.open("select count(*) as n from tblEmployee"); }), ComponentError::CommandFailed);
    recordset.open("select count(*) as n from tblEmployee");
    EXPECT_EQ(recordset.field("n").toInt(), 0);
}

TEST(Connection, APostgreSQLSessionIsNamedAndLimitedAndLeavesDurabilityToTheServer)
{
    TestDatabase db(Backend::PostgreSQL);
    Connection connection;
    connection.setApplicationName("oruhr-host user 12");
    connection.setConnectionString(db.connectionString() + ";Lock Timeout=7");
    Recordset recordset(connection);
    recordset.open("select current_setting('application_name') as a, current_setting('lock_timeout') as l, "
                   "current_setting('statement_timeout') as s, "
                   "(select source from pg_settings where name = 'synchronous_commit') as d");
    EXPECT_EQ(std::tuple(recordset.field("a").toString(), recordset.field("l").toString(), recordset.field("s").toString()),
              std::tuple(QString("oruhr-host user 12"), QString("7s"), QString("5min")));
    EXPECT_NE(recordset.field("d").toString(), "session");
    // A statement that runs past its limit fails like any other.
    connection.setConnectionString(db.connectionString() + ";Command Timeout=1");
    EXPECT_EQ(errorNumber([&] { recordset.open("select pg_sleep(3)"); }), ComponentError::CommandFailed);
}
