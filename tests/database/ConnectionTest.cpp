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

namespace {

// The error an action raises; number 0 when it raises none.
ComponentError raised(const std::function<void()> &action)
{
    try {
        action();
    } catch (const ComponentError &error) {
        return error;
    }
    return {0, {}};
}

int employees(Connection &connection)
{
    Recordset recordset(connection);
    recordset.open("select count(*) as n from tblEmployee");
    return recordset.field("N").toInt();
}

// Every case runs on the embedded provider and through the SQLite ODBC driver.
class ConnectionTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        connection.setConnectionString(GetParam() ? db.odbcConnectionString() : db.connectionString());
        db.addEmployee("7", "زهرا", QString());
        db.addEmployee(QVariant(), "", "کريمي");
    }

    TestDatabase db;
    Connection connection;
};

} // namespace

TEST_P(ConnectionTest, OpensLazilyAndReopensWithANewString)
{
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(employees(connection), 2);
    EXPECT_EQ(connection.dateLiteral(QDate(2026, 3, 1)), "2026-03-01");
    EXPECT_EQ(Connection::dateLiteral(QDate(2026, 3, 1), SqlDialect::SqlServer), "20260301");
    TestDatabase other;
    connection.setConnectionString(other.connectionString());
    EXPECT_EQ(employees(connection), 0);
}

TEST_P(ConnectionTest, RecordsetWalksRowsWithExactCountAndNullsAndReportsFailures)
{
    Recordset recordset(connection);
    recordset.open("Select ID from tblEmployee Where ID = -1");
    EXPECT_TRUE(recordset.isOpen());
    EXPECT_EQ(recordset.recordCount(), 0);
    EXPECT_TRUE(recordset.eof());

    recordset.open("Select ID, Code, FirstName, SureName from tblEmployee Order By ID");
    EXPECT_EQ(recordset.recordCount(), 2);
    EXPECT_EQ(recordset.field("code").toString(), "7");
    EXPECT_EQ(recordset.field("FirstName").toString(), "زهرا");
    EXPECT_TRUE(recordset.field("SureName").isNull());
    recordset.moveNext();
    EXPECT_TRUE(recordset.field("Code").isNull());
    EXPECT_FALSE(recordset.field("FirstName").isNull()); // empty, not NULL
    EXPECT_EQ(recordset.field("SureName").toString(), "کريمي");
    recordset.moveNext();
    EXPECT_TRUE(recordset.eof());
    EXPECT_EQ(errorNumber([&] { recordset.field("Code"); }), ComponentError::NoCurrentRecord);
    recordset.moveFirst();
    EXPECT_EQ(recordset.field("Code").toString(), "7");
    EXPECT_EQ(errorNumber([&] { recordset.field("Missing"); }), ComponentError::FieldNotFound);


    const ComponentError error = raised([&] { recordset.open("select * from tblNoSuchTable"); });
    EXPECT_EQ(error.number(), ComponentError::CommandFailed);
    EXPECT_TRUE(error.description().contains("tblNoSuchTable")) << error.what();
    EXPECT_FALSE(recordset.isOpen());
    recordset.open("select 1 as one"); // the recordset is reusable
    EXPECT_EQ(recordset.field("one").toInt(), 1);
    recordset.close();
    EXPECT_EQ(errorNumber([&] { recordset.recordCount(); }), ComponentError::ObjectClosed);
}

INSTANTIATE_TEST_SUITE_P(Backends, ConnectionTest, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "Odbc" : "Embedded"; });

TEST(Connection, UnusableStringsFailAtFirstUseAndCreateNothing)
{
    Connection connection;
    EXPECT_EQ(connection.connectionString(), "0");
    const ComponentError error = raised([&] { employees(connection); });
    EXPECT_EQ(error.number(), ComponentError::ProviderNotFound);
    EXPECT_TRUE(error.description().contains("رشته اتصال")) << error.what();
    EXPECT_FALSE(connection.isOpen());

    QTemporaryDir dir;
    const QString file = dir.filePath("absent.db");
    connection.setConnectionString("Provider=SQLite;Data Source=" + file);
    EXPECT_EQ(errorNumber([&] { connection.open(); }), ComponentError::ConnectionFailed);
    EXPECT_FALSE(QFile::exists(file));
}

