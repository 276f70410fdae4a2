#include "platform/database/TsqlRewriter.h"

#include <gtest/gtest.h>

using oruhr::db::TsqlRewriter;

namespace {

std::string sqlite(const char *tsql)
{
    return TsqlRewriter::toSqlite(QString::fromUtf8(tsql)).toStdString();
}

} // namespace

TEST(TsqlRewriter, FunctionsOfTheSubsetBecomeTheirSqliteForms)
{
    EXPECT_EQ(sqlite("select ISNULL (Code, 0), isnull from t"), "select ifnull (Code, 0), isnull from t");
    EXPECT_EQ(sqlite(" Order By convert(int, isnull(x, 0)) "), " Order By CAST(ifnull(x, 0) AS INTEGER) ");
    EXPECT_EQ(sqlite("convert(varchar, (Select Count(*) from d Where LoanID=ID))"),
              "CAST((Select Count(*) from d Where LoanID=ID) AS TEXT)");
    // a style argument or an unknown type is outside the subset and stays as written
    EXPECT_EQ(sqlite("convert(varchar, d, 111), convert(geography, g)"),
              "convert(varchar, d, 111), convert(geography, g)");
    EXPECT_EQ(sqlite("Delete tblHRMonthlySalary Where id in (Select x.ID from tblHRMonthlySalary x)"),
              "Delete FROM tblHRMonthlySalary Where id in (Select x.ID from tblHRMonthlySalary x)");
    EXPECT_EQ(sqlite("delete from t where a=1"), "delete from t where a=1");
    EXPECT_EQ(sqlite("where Name = N'علي'"), "where Name = 'علي'");
}

TEST(TsqlRewriter, PlusJoinsTextsOnlyInExpressionsWithText)
{
    EXPECT_EQ(sqlite("isnull(Code,'') + '__ ' +isnull(FirstName,'') + ' ' + isnull(SureName,'') as EmpName"),
              "ifnull(Code,'') || '__ ' ||ifnull(FirstName,'') || ' ' || ifnull(SureName,'') as EmpName");
    EXPECT_EQ(sqlite("'n: '+convert(varchar, c) as D"), "'n: '||CAST(c AS TEXT) as D");
    EXPECT_EQ(sqlite("select a + b + 'x' from t"), "select a || b || 'x' from t");
    EXPECT_EQ(sqlite("select a + 1, 'x' from t where b + 2 = 'y'"), "select a + 1, 'x' from t where b + 2 = 'y'");
    EXPECT_EQ(sqlite("select (a + b) as s, c + 'z' from t"), "select (a + b) as s, c || 'z' from t");
}

TEST(TsqlRewriter, LiteralsCommentsAndUnbalancedTextAreNeverTouched)
{
    for (const char *kept : {"update t set Description='x + y convert(int, z) Delete tbl Where' where ID=1",
                             "select 'it''s + isnull(' from t", "select a -- isnull(b) + c\n from t",
                             "select /* convert(int, a) */ a from t", "like '%فيش%حقوق%'", "select (a from t",
                             "select a) from t", "select 'open"})
        EXPECT_EQ(sqlite(kept), kept);
}

TEST(TsqlRewriter, PostgresGetsCoalesceItsTypesAndSqlServersNullOrder)
{
    const auto postgres = [](const char *tsql) {
        return TsqlRewriter::rewrite(QString::fromUtf8(tsql), oruhr::db::SqlDialect::PostgreSQL).toStdString();
    };
    EXPECT_EQ(postgres("select isnull(Code,'') + '__ ' as E from t Order By convert(int, code) "),
              "select coalesce(Code,'') || '__ ' as E from t Order By CAST(code AS INTEGER) NULLS FIRST ");
    EXPECT_EQ(postgres("select convert(bigint, a), convert(decimal, b) from t"),
              "select CAST(a AS BIGINT), CAST(b AS NUMERIC) from t");
    // each item of an ORDER BY, at its own level; DESC puts them last, as SQL Server does
    EXPECT_EQ(postgres("select a from (select a from t order by b) x union select 1 Order by 1 desc, a asc"),
              "select a from (select a from t order by b NULLS FIRST) x union select 1 Order by 1 desc NULLS LAST, "
              "a asc NULLS FIRST");
    EXPECT_EQ(postgres("Delete t Where 'order by' = N'x'"), "Delete FROM t Where 'order by' = 'x'");
}
