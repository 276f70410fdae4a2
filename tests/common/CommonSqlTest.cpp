#include "common/CommonSql.h"

#include <gtest/gtest.h>

using namespace oruhr;

TEST(CommonSql, TextsAreTheSystemsOwn)
{
    EXPECT_EQ(CommonSql::applicationFolder(), QStringLiteral("select * from tblPelikSystemParameters Where ID=140"));
    EXPECT_EQ(CommonSql::payrollMonthStart(), QStringLiteral("Select Value from tblPelikSystemParameters Where ID=3450"));
    EXPECT_EQ(CommonSql::reportTemplates(1402),
              QStringLiteral("Select * from tblPelikReportTemplate where FormTypeID = 1406 Or FormTypeID =1402"));
    EXPECT_EQ(CommonSql::reportTemplate(5), QStringLiteral("Select * From tblPelikReportTemplate Where ID = 5"));
}
