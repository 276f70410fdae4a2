#include "platform/automation/ComponentError.h"
#include "platform/database/BackendTarget.h"

#include <gtest/gtest.h>

using namespace oruhr;
using namespace oruhr::db;

namespace {

QString odbcFor(const char *oledb)
{
    const BackendTarget target = BackendTarget::resolve(QString::fromUtf8(oledb));
    EXPECT_EQ(target.kind, BackendTarget::Kind::Odbc);
    EXPECT_EQ(target.driverName, QStringLiteral("QODBC"));
    return target.databaseName;
}

} // namespace

TEST(BackendTarget, EmbeddedProviderOpensTheFile)
{
    const BackendTarget target = BackendTarget::resolve(QStringLiteral("Provider=SQLite;Data Source=/var/lib/p r.db"));
    EXPECT_EQ(target.kind, BackendTarget::Kind::SQLite);
    EXPECT_EQ(target.driverName, QStringLiteral("QSQLITE"));
    EXPECT_EQ(target.databaseName, QStringLiteral("/var/lib/p r.db"));
}

TEST(BackendTarget, SqlServerProvidersBecomeFreeTdsOdbc)
{
    EXPECT_EQ(odbcFor("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Password=p;Initial "
                      "Catalog=Salvo;Data Source=db01"),
              QStringLiteral("Driver={FreeTDS};Server=db01;Port=1433;Database=Salvo;UID=sa;PWD=p;TDS_Version=7.4;"
                             "ClientCharset=UTF-8"));
    EXPECT_EQ(odbcFor("Provider=SQLNCLI11;Data Source=db01\\HR;Initial Catalog=Salvo;Integrated Security=SSPI"),
              QStringLiteral("Driver={FreeTDS};Server=db01\\HR;Database=Salvo;Trusted_Connection=Yes;"
                             "TDS_Version=7.4;ClientCharset=UTF-8"));
    EXPECT_EQ(odbcFor("provider=MSOLEDBSQL;data source=tcp:10.0.0.5,1500;initial catalog=Salvo;"
                      "user id=hr;password='a;b'"),
              QStringLiteral("Driver={FreeTDS};Server=10.0.0.5;Port=1500;Database=Salvo;UID=hr;PWD={a;b};"
                             "TDS_Version=7.4;ClientCharset=UTF-8"));
}

TEST(BackendTarget, OdbcStringsPassAsTheyAre)
{
    EXPECT_EQ(odbcFor("Driver={ODBC Driver 18 for SQL Server};Server=x"),
              QStringLiteral("Driver={ODBC Driver 18 for SQL Server};Server=x"));
}

TEST(BackendTarget, AnythingElseCannotBeUsed)
{
    for (const char *text : {"0", "", "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb", "Provider=SQLite",
                             "Data Source=x"}) {
        try {
            BackendTarget::resolve(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted: " << text;
        } catch (const ComponentError &error) {
            EXPECT_EQ(error.number(), ComponentError::ProviderNotFound) << text;
        }
    }
}
