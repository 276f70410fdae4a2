#include "common/CommonSql.h"
#include "tests/support/QueryRunner.h"
#include "tests/support/SeededPayroll.h"

#include <gtest/gtest.h>

using namespace oruhr;
using namespace oruhr::test;

TEST(CommonSql, TextsAreTheSystemsOwn)
{
    EXPECT_EQ(CommonSql::applicationFolder(), QStringLiteral("select * from tblPelikSystemParameters Where ID=140"));
    EXPECT_EQ(CommonSql::payrollMonthStart(), QStringLiteral("Select Value from tblPelikSystemParameters Where ID=3450"));
    EXPECT_EQ(CommonSql::reportTemplates(1402),
              QStringLiteral("Select * from tblPelikReportTemplate where FormTypeID = 1406 Or FormTypeID =1402"));
    EXPECT_EQ(CommonSql::reportTemplate(5), QStringLiteral("Select * From tblPelikReportTemplate Where ID = 5"));
}

class CommonSqlOnDatabase : public ::testing::TestWithParam<Backend> {};

TEST_P(CommonSqlOnDatabase, ParametersAndTemplatesAreRead)
{
    SeededPayroll db{GetParam()};
    QueryRunner runner{db.connectionString()};
    EXPECT_TRUE(runner.column(CommonSql::payrollMonthStart(), QStringLiteral("Value")).isEmpty());
    db.exec(QStringLiteral("INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (140, '/opt/salvo/'), "
                           "(3450, '1405/09/01')"));
    EXPECT_EQ(runner.column(CommonSql::applicationFolder(), QStringLiteral("Value")),
              QList<QVariant>({QStringLiteral("/opt/salvo/")}));
    EXPECT_EQ(runner.column(CommonSql::payrollMonthStart(), QStringLiteral("Value")),
              QList<QVariant>({QStringLiteral("1405/09/01")}));

    QList<int> templates = runner.ids(CommonSql::reportTemplates(1402));
    std::sort(templates.begin(), templates.end());
    EXPECT_EQ(templates, QList<int>({1, 2}));
    EXPECT_EQ(runner.column(CommonSql::reportTemplate(3), QStringLiteral("FilePath")),
              QList<QVariant>({QStringLiteral("Reports/ordinance.html")}));
}

INSTANTIATE_TEST_SUITE_P(Backends, CommonSqlOnDatabase, allBackends(), backendName);
