#include "platform/database/TsqlRewriter.h"

#include <gtest/gtest.h>

using oruhr::db::TsqlRewriter;

namespace {

std::string sqlite(const char *tsql)
{
    return TsqlRewriter::toSqlite(QString::fromUtf8(tsql)).toStdString();
}

} // namespace

TEST(TsqlRewriter, IsnullBecomesIfnullInAnyCase)
{
    EXPECT_EQ(sqlite("select isnull(Code,'') from t"), "select ifnull(Code,'') from t");
    EXPECT_EQ(sqlite("select ISNULL (Code, 0) from t"), "select ifnull (Code, 0) from t");
    // a column that happens to be called isnull is not a call
    EXPECT_EQ(sqlite("select isnull from t"), "select isnull from t");
}

TEST(TsqlRewriter, ConvertBecomesCast)
{
    EXPECT_EQ(sqlite(" Order By convert(int, code) "), " Order By CAST(code AS INTEGER) ");
    EXPECT_EQ(sqlite("convert(varchar, (Select Count(*) from d Where LoanID=ID))"),
              "CAST((Select Count(*) from d Where LoanID=ID) AS TEXT)");
    EXPECT_EQ(sqlite("convert(int, isnull(x, 0))"), "CAST(ifnull(x, 0) AS INTEGER)");
    // a style argument or an unknown type is outside the subset and stays as written
    EXPECT_EQ(sqlite("convert(varchar, d, 111)"), "convert(varchar, d, 111)");
    EXPECT_EQ(sqlite("convert(geography, g)"), "convert(geography, g)");
}

TEST(TsqlRewriter, TextPlusBecomesConcatenation)
{
    EXPECT_EQ(sqlite("isnull(Code,'') + '__ ' +isnull(FirstName,'') + ' ' + isnull(SureName,'') as EmpName"),
              "ifnull(Code,'') || '__ ' ||ifnull(FirstName,'') || ' ' || ifnull(SureName,'') as EmpName");
    EXPECT_EQ(sqlite("'n: '+convert(varchar, c) as D"), "'n: '||CAST(c AS TEXT) as D");
    // every + of an expression that joins texts, also between two columns
    EXPECT_EQ(sqlite("select a + b + 'x' from t"), "select a || b || 'x' from t");
}

TEST(TsqlRewriter, NumericPlusStays)
{
    EXPECT_EQ(sqlite("select a + 1, 'x' from t where b + 2 = 'y'"), "select a + 1, 'x' from t where b + 2 = 'y'");
    EXPECT_EQ(sqlite("select (a + b) as s, c + 'z' from t"), "select (a + b) as s, c || 'z' from t");
}

TEST(TsqlRewriter, DeleteGetsFrom)
{
    EXPECT_EQ(sqlite("Delete tblHRMonthlySalary Where id in (Select x.ID from tblHRMonthlySalary x)"),
              "Delete FROM tblHRMonthlySalary Where id in (Select x.ID from tblHRMonthlySalary x)");
    EXPECT_EQ(sqlite("delete from t where a=1"), "delete from t where a=1");
}

TEST(TsqlRewriter, LiteralsAndCommentsAreNeverTouched)
{
    EXPECT_EQ(sqlite("select 'isnull( a + b' as d from t"), "select 'isnull( a + b' as d from t");
    EXPECT_EQ(sqlite("update t set Description='x + y convert(int, z) Delete tbl Where' where ID=1"),
              "update t set Description='x + y convert(int, z) Delete tbl Where' where ID=1");
    EXPECT_EQ(sqlite("select 'it''s + isnull(' from t"), "select 'it''s + isnull(' from t");
    EXPECT_EQ(sqlite("select a -- isnull(b) + c\n from t"), "select a -- isnull(b) + c\n from t");
    EXPECT_EQ(sqlite("select /* convert(int, a) */ a from t"), "select /* convert(int, a) */ a from t");
    EXPECT_EQ(sqlite("like '%فيش%حقوق%'"), "like '%فيش%حقوق%'");
}

TEST(TsqlRewriter, NationalLiteralLosesItsPrefix)
{
    EXPECT_EQ(sqlite("where Name = N'علي'"), "where Name = 'علي'");
}

TEST(TsqlRewriter, UnbalancedTextIsKept)
{
    EXPECT_EQ(sqlite("select (a from t"), "select (a from t");
    EXPECT_EQ(sqlite("select a) from t"), "select a) from t");
    EXPECT_EQ(sqlite("select 'open"), "select 'open");
}
