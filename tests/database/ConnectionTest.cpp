#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/database/Recordset.h"
#include "tests/support/ErrorNumber.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace oruhr;
using namespace oruhr::db;
using oruhr::test::errorNumber;
using oruhr::test::TestDatabase;

// Every case runs on the embedded provider and through the SQLite ODBC driver.
class ConnectionTest : public ::testing::TestWithParam<bool> {};

TEST_P(ConnectionTest, OpensLazilyAndRecordsetsWalkRowsWithNullsAndReportFailures)
{
    TestDatabase db;
    db.addEmployee("7", "زهرا", QString());
    db.addEmployee(QVariant(), "", "کريمي");
    Connection connection;
    connection.setConnectionString(GetParam() ? db.odbcConnectionString() : db.connectionString());
    EXPECT_FALSE(connection.isOpen());
    Recordset recordset(connection);
    recordset.open("Select ID, Code, FirstName, SureName from tblEmployee Order By ID");
    EXPECT_EQ(recordset.recordCount(), 2);
    EXPECT_EQ(recordset.field("code").toString(), "7");
    EXPECT_EQ(recordset.field("FirstName").toString(), "زهرا");
    EXPECT_TRUE(recordset.field("SureName").isNull());
    recordset.moveNext();
    EXPECT_TRUE(recordset.field("Code").isNull());
    EXPECT_FALSE(recordset.field("FirstName").isNull()); // empty, not NULL
    recordset.moveNext();
    EXPECT_TRUE(recordset.eof());
    EXPECT_EQ(errorNumber([&] { recordset.field("Code"); }), ComponentError::NoCurrentRecord);
    recordset.moveFirst();
    EXPECT_EQ(errorNumber([&] { recordset.field("Missing"); }), ComponentError::FieldNotFound);

    try {
        recordset.open("select * from tblNoSuchTable");
        ADD_FAILURE() << "the query ran";
    } catch (const ComponentError &error) {
        EXPECT_EQ(error.number(), ComponentError::CommandFailed);
        EXPECT_TRUE(error.description().contains("tblNoSuchTable")) << error.what();
    }
    EXPECT_FALSE(recordset.isOpen());
    recordset.open("select 1 as one"); // the recordset is reusable
    recordset.close();
    EXPECT_EQ(errorNumber([&] { recordset.recordCount(); }), ComponentError::ObjectClosed);

    TestDatabase other; // a new string reaches the other database
    connection.setConnectionString(other.connectionString());
    recordset.open("select count(*) as n from tblEmployee");
    EXPECT_EQ(recordset.field("N").toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, ConnectionTest, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "Odbc" : "Embedded"; });

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
