#include "platform/automation/ComponentError.h"
#include "platform/database/BackendTarget.h"
#include "tests/support/ErrorNumber.h"

#include <gtest/gtest.h>

using namespace oruhr;
using oruhr::db::BackendTarget;

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
