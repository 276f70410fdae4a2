#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/database/Transaction.h"
#include "platform/database/Recordset.h"
#include "tests/support/TestDatabase.h"

#include "tests/support/ErrorNumber.h"

#include <gtest/gtest.h>

#include <QSqlQuery>

using namespace oruhr;
using namespace oruhr::db;
using oruhr::test::TestDatabase;
using oruhr::test::errorNumber;

namespace {

// Every case runs on the embedded provider and through the SQLite ODBC driver.
class ConnectionTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        connection.setConnectionString(GetParam() ? db.odbcConnectionString() : db.connectionString());
        db.addEmployee(QStringLiteral("7"), QStringLiteral("زهرا"), QString());
        db.addEmployee(QVariant(), QStringLiteral(""), QStringLiteral("کريمي"));
    }

    TestDatabase db;
    Connection connection;
};

} // namespace

TEST_P(ConnectionTest, OpensLazilyAndSpeaksSQLite)
{
    EXPECT_FALSE(connection.isOpen());
    Recordset recordset(connection);
    recordset.open(QStringLiteral("select count(*) as n from tblEmployee"));
    EXPECT_TRUE(connection.isOpen());
    EXPECT_EQ(connection.dialect(), SqlDialect::SQLite);
    EXPECT_EQ(recordset.field(QStringLiteral("N")).toInt(), 2);
    EXPECT_EQ(connection.dateLiteral(QDate(2026, 3, 1)), QStringLiteral("2026-03-01"));
}

TEST_P(ConnectionTest, RecordsetWalksRowsWithExactCountAndNulls)
{
    Recordset recordset(connection);
    recordset.open(QStringLiteral("Select ID, Code, FirstName, SureName from tblEmployee Order By ID"));
    ASSERT_TRUE(recordset.isOpen());
    EXPECT_EQ(recordset.recordCount(), 2);
    EXPECT_FALSE(recordset.eof());

    EXPECT_EQ(recordset.field(QStringLiteral("code")).toString(), QStringLiteral("7"));
    EXPECT_EQ(recordset.field(QStringLiteral("FirstName")).toString(), QStringLiteral("زهرا"));
    EXPECT_TRUE(recordset.field(QStringLiteral("SureName")).isNull());
    recordset.moveNext();
    EXPECT_TRUE(recordset.field(QStringLiteral("Code")).isNull());
    EXPECT_FALSE(recordset.field(QStringLiteral("FirstName")).isNull()); // empty, not NULL
    EXPECT_EQ(recordset.field(QStringLiteral("SureName")).toString(), QStringLiteral("کريمي"));
    recordset.moveNext();
    EXPECT_TRUE(recordset.eof());
    EXPECT_EQ(errorNumber([&] { recordset.field(QStringLiteral("Code")); }), ComponentError::NoCurrentRecord);

    recordset.moveFirst();
    EXPECT_EQ(recordset.field(QStringLiteral("Code")).toString(), QStringLiteral("7"));
    EXPECT_EQ(errorNumber([&] { recordset.field(QStringLiteral("Missing")); }), ComponentError::FieldNotFound);

    recordset.close();
    EXPECT_FALSE(recordset.isOpen());
    EXPECT_EQ(errorNumber([&] { recordset.recordCount(); }), ComponentError::ObjectClosed);
}

TEST_P(ConnectionTest, EmptyResultIsOpenAtEnd)
{
    Recordset recordset(connection);
    recordset.open(QStringLiteral("Select ID from tblEmployee Where ID = -1"));
    EXPECT_TRUE(recordset.isOpen());
    EXPECT_EQ(recordset.recordCount(), 0);
    EXPECT_TRUE(recordset.eof());
}

TEST_P(ConnectionTest, StatementsWithoutRowsRunThroughOpenAndLeaveItClosed)
{
    Recordset recordset(connection);
    recordset.open(QStringLiteral("Update tblEmployee Set Code='8' Where Code is Null"));
    EXPECT_FALSE(recordset.isOpen());
    EXPECT_EQ(db.count(QStringLiteral("tblEmployee"), QStringLiteral("Code='8'")), 1);

    recordset.open(QStringLiteral("Delete tblEmployee Where Code='8'")); // T-SQL form, rewritten
    EXPECT_EQ(db.count(QStringLiteral("tblEmployee")), 1);
}

TEST_P(ConnectionTest, TransactionKeepsItsWorkOnlyWhenCommitted)
{
    Recordset recordset(connection);
    {
        Transaction transaction(connection);
        recordset.open(QStringLiteral("Update tblEmployee Set Code='8' Where Code is Null"));
    }
    EXPECT_EQ(db.count(QStringLiteral("tblEmployee"), QStringLiteral("Code='8'")), 0);
    {
        Transaction transaction(connection);
        recordset.open(QStringLiteral("Update tblEmployee Set Code='8' Where Code is Null"));
        transaction.commit();
    }
    EXPECT_EQ(db.count(QStringLiteral("tblEmployee"), QStringLiteral("Code='8'")), 1);
    // The connection is back in its usual mode: a lone statement stays.
    recordset.open(QStringLiteral("Delete tblEmployee Where Code='8'"));
    EXPECT_EQ(db.count(QStringLiteral("tblEmployee")), 1);
}

TEST_P(ConnectionTest, FailingStatementCarriesTheDatabaseMessage)
{
    Recordset recordset(connection);
    try {
        recordset.open(QStringLiteral("select * from tblNoSuchTable"));
        FAIL() << "expected ComponentError";
    } catch (const ComponentError &error) {
        EXPECT_EQ(error.number(), ComponentError::CommandFailed);
        EXPECT_TRUE(error.description().contains(QStringLiteral("tblNoSuchTable"))) << error.what();
    }
    EXPECT_FALSE(recordset.isOpen());
    recordset.open(QStringLiteral("select 1 as one")); // the recordset is reusable
    EXPECT_EQ(recordset.field(QStringLiteral("one")).toInt(), 1);
}

TEST_P(ConnectionTest, NewConnectionStringTakesEffectAtNextUse)
{
    Recordset recordset(connection);
    recordset.open(QStringLiteral("select 1 as one"));
    TestDatabase other;
    other.addEmployee(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("b"));
    other.addEmployee(QStringLiteral("2"), QStringLiteral("c"), QStringLiteral("d"));
    other.addEmployee(QStringLiteral("3"), QStringLiteral("e"), QStringLiteral("f"));
    connection.setConnectionString(other.connectionString());
    EXPECT_FALSE(connection.isOpen());
    recordset.open(QStringLiteral("select count(*) as n from tblEmployee"));
    EXPECT_EQ(recordset.field(QStringLiteral("n")).toInt(), 3);
}

INSTANTIATE_TEST_SUITE_P(Backends, ConnectionTest, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "Odbc" : "Embedded"; });

TEST(Connection, DefaultStringFailsAtFirstUseWithAClearError)
{
    Connection connection;
    EXPECT_EQ(connection.connectionString(), QStringLiteral("0"));
    Recordset recordset(connection);
    try {
        recordset.open(QStringLiteral("select 1"));
        FAIL() << "expected ComponentError";
    } catch (const ComponentError &error) {
        EXPECT_EQ(error.number(), ComponentError::ProviderNotFound);
        EXPECT_TRUE(error.description().contains(QStringLiteral("رشته اتصال"))) << error.what();
    }
    EXPECT_FALSE(connection.isOpen());
}

TEST(Connection, DataSourceNamesReachTheirDatabase)
{
    TestDatabase db;
    db.addEmployee(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("b"));
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("odbc.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[oruhrtest]\nDriver=SQLite3\nDatabase=%1\n").arg(db.file()).toUtf8());
    ini.close();
    const QByteArray before = qgetenv("ODBCINI");
    qputenv("ODBCINI", QFile::encodeName(ini.fileName()));
    for (const char *text : {"DSN=oruhrtest", "DSN=oruhrtest;Timeout=5000"}) {
        Connection connection;
        connection.setConnectionString(QString::fromLatin1(text));
        Recordset recordset(connection);
        EXPECT_NO_THROW(recordset.open(QStringLiteral("select count(*) as n from tblEmployee"))) << text;
        EXPECT_EQ(recordset.isOpen() ? recordset.field(QStringLiteral("n")).toInt() : -1, 1) << text;
    }
    qputenv("ODBCINI", before);
}

TEST(Connection, DateLiteralsSuitTheServer)
{
    EXPECT_EQ(Connection::dateLiteral(QDate(2026, 3, 1), SqlDialect::SqlServer), QStringLiteral("20260301"));
    EXPECT_EQ(Connection::dateLiteral(QDate(2026, 12, 21), SqlDialect::SQLite), QStringLiteral("2026-12-21"));
}

TEST(Connection, MissingEmbeddedFileIsNotCreated)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("absent.db"));
    Connection connection;
    connection.setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + file);
    EXPECT_EQ(errorNumber([&] { connection.open(); }), ComponentError::ConnectionFailed);
    EXPECT_FALSE(QFile::exists(file));
}

TEST(Connection, TwoConnectionsOnOneFileWaitForEachOther)
{
    TestDatabase db;
    Connection first;
    Connection second;
    first.setConnectionString(db.connectionString());
    second.setConnectionString(db.connectionString());
    Recordset journal(first);
    journal.open(QStringLiteral("PRAGMA journal_mode"));
    EXPECT_EQ(journal.field(QStringLiteral("journal_mode")).toString(), QStringLiteral("wal"));

    ASSERT_TRUE(first.database().transaction());
    QSqlQuery(first.database()).exec(QStringLiteral("insert into tblEmployee (Code) values ('1')"));
    Recordset reader(second); // a reader is not blocked by the open write under WAL
    reader.open(QStringLiteral("select count(*) as n from tblEmployee"));
    EXPECT_EQ(reader.field(QStringLiteral("n")).toInt(), 0);
    ASSERT_TRUE(first.database().commit());
    reader.open(QStringLiteral("select count(*) as n from tblEmployee"));
    EXPECT_EQ(reader.field(QStringLiteral("n")).toInt(), 1);
}
