#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QSqlQuery>

using oruhr::test::TestDatabase;

namespace {

QStringList columns(TestDatabase &db, const QString &table)
{
    QSqlQuery query(db.sql());
    query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    QStringList names;
    while (query.next())
        names << query.value(1).toString().toLower();
    return names;
}

} // namespace

// The system's subqueries name some columns without their table and rely on them reaching
// the outer row; a same-named column in the inner table would silently bind there instead.
TEST(EmbeddedSchema, InnerTablesLackTheNamesThatMustReachTheOuterRow)
{
    TestDatabase db;
    const struct {
        const char *table;
        const char *column;
    } absent[] = {
        {"tblHRLoanDetail", "id"},          {"vwEmployee", "employeeid"},
        {"tblPelikMFunctionDetail", "id"},  {"tblPelikMFunctionDetail", "code"},
        {"tblEmployee", "begindate"},       {"tblEmployee", "enddate"},
        {"tblEmployee", "functionid"},      {"tblPelikMFunction", "functionid"},
        {"tblHRRunTimeBatch", "functionid"}, {"tblHRRunTimeBatchDetail", "functionid"},
        {"tblHROrdinance", "functionid"},
    };
    for (const auto &entry : absent) {
        const QStringList names = columns(db, QString::fromLatin1(entry.table));
        ASSERT_FALSE(names.isEmpty()) << entry.table;
        EXPECT_FALSE(names.contains(QString::fromLatin1(entry.column))) << entry.table << "." << entry.column;
    }
}

TEST(EmbeddedSchema, SelectorViewsComeInTwoLevels)
{
    TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO tblHRRecruitmentType (ID, ParentID, Title) VALUES (1, NULL, 'رسمي'), "
                           "(6, 1, 'قراردادي'), (7, 1, 'ساعتي')"));
    EXPECT_EQ(db.count(QStringLiteral("vwHRRecruitmentTypeMajor")), 1);
    EXPECT_EQ(db.count(QStringLiteral("vwHRRecruitmentTypeMinor")), 2);
    for (const char *view : {"vwAccountBranchMajor", "vwAccountBranchMinor", "vwAccountCostCenterMajor",
                             "vwAccountCostCenterMinor"})
        EXPECT_EQ(db.count(QString::fromLatin1(view)), 0) << view;
}
