#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using oruhr::test::TestDatabase;

// The system's subqueries name some columns without their table and rely on them reaching
// the outer row; a same-named column in the inner table would silently bind there instead.
TEST(EmbeddedSchema, InnerTablesLackTheNamesThatMustReachTheOuterRow)
{
    TestDatabase db;
    const std::pair<const char *, const char *> absent[] = {
        {"tblHRLoanDetail", "id"},         {"vwEmployee", "employeeid"},      {"tblPelikMFunctionDetail", "id"},
        {"tblPelikMFunctionDetail", "code"}, {"tblEmployee", "begindate"},    {"tblEmployee", "enddate"},
        {"tblEmployee", "functionid"},     {"tblPelikMFunction", "functionid"}, {"tblHRRunTimeBatch", "functionid"},
        {"tblHRRunTimeBatchDetail", "functionid"}, {"tblHROrdinance", "functionid"},
    };
    for (const auto &[table, column] : absent) {
        const QString columns = "SELECT count(*) FROM pragma_table_info('%1')";
        ASSERT_GT(db.scalar(QString(columns).arg(table)).toInt(), 0) << table;
        EXPECT_EQ(db.scalar(QString(columns + " WHERE lower(name) = ?").arg(table), {column}).toInt(), 0)
            << table << "." << column;
    }
}
