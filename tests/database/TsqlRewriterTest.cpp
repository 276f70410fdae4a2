#include "platform/database/TsqlRewriter.h"

#include <gtest/gtest.h>

using namespace oruhr::db;

namespace {

std::string rewritten(const char *tsql, SqlDialect dialect = SqlDialect::SQLite)
{
    return TsqlRewriter::rewrite(QString::fromUtf8(tsql), dialect).toStdString();
}

} // namespace

// What the window texts become is checked by running them on each back end; here the edges.
TEST(TsqlRewriter, RewritesOnlyTheSubsetAndPlusOnlyBesideText)
{
    EXPECT_EQ(rewritten("select ISNULL (Code, 0), isnull from t"), "select ifnull (Code, 0), isnull from t");
    // a style argument or an unknown type is outside the subset and stays as written
    EXPECT_EQ(rewritten("convert(varchar, d, 111), convert(geography, g)"), "convert(varchar, d, 111), convert(geography, g)");
    EXPECT_EQ(rewritten("delete from t where a=1"), "delete from t where a=1");
    EXPECT_EQ(rewritten("select a + b + 'x' from t"), "select a || b || 'x' from t");
    EXPECT_EQ(rewritten("select a + 1, 'x' from t where b + 2 = 'y'"), "select a + 1, 'x' from t where b + 2 = 'y'");
    EXPECT_EQ(rewritten("select (a + b) as s, c + 'z' from t"), "select (a + b) as s, c || 'z' from t");
    for (const char *kept : {"update t set Description='x + y convert(int, z) Delete tbl Where' where ID=1",
                             "select 'it''s + isnull(' from t", "select a -- isnull(b) + c\n from t",
                             "select /* convert(int, a) */ a from t", "select (a from t", "select 'open"})
        EXPECT_EQ(rewritten(kept), kept);
}

TEST(TsqlRewriter, PostgresGetsItsTypesAndSqlServersNullOrderAtEachLevel)
{
    EXPECT_EQ(rewritten("select convert(bigint, a), convert(decimal, b) from t", SqlDialect::PostgreSQL),
              "select CAST(a AS BIGINT), CAST(b AS NUMERIC) from t");
    EXPECT_EQ(rewritten("select a from (select a from t order by b) x union select 1 Order by 1 desc, a asc",
                        SqlDialect::PostgreSQL),
              "select a from (select a from t order by b NULLS FIRST) x union select 1 Order by 1 desc NULLS LAST, "
              "a asc NULLS FIRST");
    EXPECT_EQ(rewritten("Delete t Where 'order by' = N'x'", SqlDialect::PostgreSQL), "Delete FROM t Where 'order by' = 'x'");
}
