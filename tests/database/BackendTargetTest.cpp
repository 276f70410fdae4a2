#include "platform/automation/ComponentError.h"
#include "platform/database/BackendTarget.h"
#include "tests/support/ErrorNumber.h"

#include <gtest/gtest.h>

using namespace oruhr;
using oruhr::db::BackendTarget;

TEST(BackendTarget, EmbeddedProviderOpensTheFile)
{
    const BackendTarget target = BackendTarget::resolve("Provider=SQLite;Data Source=/var/lib/p r.db");
    EXPECT_EQ(target.kind, BackendTarget::Kind::SQLite);
    EXPECT_EQ(target.driverName, "QSQLITE");
    EXPECT_EQ(target.databaseName, "/var/lib/p r.db");
}

TEST(BackendTarget, SqlServerProvidersBecomeFreeTdsOdbcAndOdbcStringsPass)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Password=p;Initial Catalog=Salvo;Data Source=db01",
         "Driver={FreeTDS};Server=db01;Port=1433;Database=Salvo;UID=sa;PWD=p;TDS_Version=7.4;ClientCharset=UTF-8"},
        {"Provider=SQLNCLI11;Data Source=db01\\HR;Initial Catalog=Salvo;Integrated Security=SSPI",
         "Driver={FreeTDS};Server=db01\\HR;Database=Salvo;Trusted_Connection=Yes;TDS_Version=7.4;ClientCharset=UTF-8"},
        {"provider=MSOLEDBSQL;data source=tcp:10.0.0.5,1500;initial catalog=Salvo;user id=hr;password='a;b'",
         "Driver={FreeTDS};Server=10.0.0.5;Port=1500;Database=Salvo;UID=hr;PWD={a;b};TDS_Version=7.4;ClientCharset=UTF-8"},
        {"Driver={ODBC Driver 18 for SQL Server};Server=x", "Driver={ODBC Driver 18 for SQL Server};Server=x"},
    };
    for (const auto &[oledb, odbc] : cases) {
        const BackendTarget target = BackendTarget::resolve(oledb);
        EXPECT_EQ(target.kind, BackendTarget::Kind::Odbc) << oledb;
        EXPECT_EQ(target.driverName, "QODBC") << oledb;
        EXPECT_EQ(target.databaseName, odbc);
    }
}

TEST(BackendTarget, PostgresProviderNamesAHostWithItsPortOrASocketFolder)
{
    const BackendTarget tcp =
        BackendTarget::resolve("Provider=PostgreSQL;Data Source=db01:5433;Initial Catalog=Salvo;User ID=hr;Password='a;b'");
    EXPECT_EQ(tcp.kind, BackendTarget::Kind::PostgreSQL);
    EXPECT_EQ(tcp.driverName, "QPSQL");
    EXPECT_EQ(std::make_tuple(tcp.hostName, tcp.port, tcp.databaseName, tcp.userName, tcp.password),
              std::make_tuple(QString("db01"), 5433, QString("Salvo"), QString("hr"), QString("a;b")));
    const BackendTarget socket = BackendTarget::resolve("provider=postgresql;data source=/run/postgresql;"
                                                        "initial catalog=Salvo");
    EXPECT_EQ(std::make_pair(socket.hostName, socket.port), std::make_pair(QString("/run/postgresql"), -1));
}

TEST(BackendTarget, AnythingElseCannotBeUsed)
{
    for (const char *text : {"0", "", "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb", "Provider=SQLite",
                             "Data Source=x", "Provider=PostgreSQL;Data Source=db01", "Provider=PostgreSQL;"
                             "Data Source=db01:x;Initial Catalog=Salvo"})
        EXPECT_EQ(test::errorNumber([&] { BackendTarget::resolve(text); }), ComponentError::ProviderNotFound) << text;
}
