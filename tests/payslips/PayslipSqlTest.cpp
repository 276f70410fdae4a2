#include "payslips/PayslipSql.h"
#include "tests/support/QueryRunner.h"
#include "tests/support/SeededPayroll.h"

#include <gtest/gtest.h>

using namespace oruhr;
using namespace oruhr::test;

namespace {

const QString B = QStringLiteral("2026-11-22");
const QString E = QStringLiteral("2026-12-21");
const QString none = QStringLiteral("1=1");

#include "tests/payslips/ExpectedPayslipSql.inc"

class PayslipSqlOnDatabase : public ::testing::TestWithParam<bool> {
protected:
    SeededPayroll db;
    QueryRunner runner{GetParam() ? db.odbcConnectionString() : db.connectionString()};

    QList<int> listed(EmployeeListMode mode, const QString &branch = none, const QString &recruitment = none,
                      const QString &costCenter = none)
    {
        return runner.ids(PayslipSql::employeeList(mode, runner.date(SeededPayroll::begin()),
                                                   runner.date(SeededPayroll::end()), branch, recruitment,
                                                   costCenter));
    }
};

} // namespace

TEST(PayslipSql, EmployeeListTextsAreTheSystemsOwn)
{
    const QString f2 = QStringLiteral("RecruitmentTypeID=21");
    const QString f3 = QStringLiteral("PositionID=31");
    EXPECT_EQ(PayslipSql::employeeList(EmployeeListMode::WithoutPayslip, B, E, none, f2, f3), expectedWithoutPayslip);
    EXPECT_EQ(PayslipSql::employeeList(EmployeeListMode::FinalSaved, B, E, none, f2, f3), expectedFinalSaved);
    EXPECT_EQ(PayslipSql::employeeList(EmployeeListMode::TempSaved, B, E, none, f2, f3), expectedTempSaved);
    EXPECT_EQ(PayslipSql::employeeList(EmployeeListMode::None, B, E, none, f2, f3), expectedNone);
}

TEST(PayslipSql, OperationTextsAreTheSystemsOwn)
{
    EXPECT_EQ(PayslipSql::temporaryPayslipOnBeginDate(8, B), expectedDeleteExists);
    EXPECT_EQ(PayslipSql::deleteTemporaryPayslip(8, B),
              QStringList({expectedDelete0, expectedDelete1, expectedDelete2, expectedDelete3}));
    EXPECT_EQ(PayslipSql::accountDocuments(E), expectedAccountLookup);
    EXPECT_EQ(PayslipSql::formTypeName(1402), expectedFormTypeName);
    EXPECT_EQ(PayslipSql::accountDocumentChoices(1402, E), expectedChoices);
    EXPECT_EQ(PayslipSql::printedPayslip(true, 4, B, E), expectedPrintFinal);
    EXPECT_EQ(PayslipSql::printedPayslip(false, 4, B, E), expectedPrintTemp);
    EXPECT_EQ(PayslipSql::missingFactors(B, E, QStringLiteral(" 1, 2")), expectedMissingFactors);
}

TEST_P(PayslipSqlOnDatabase, EachModeListsItsEmployeesOnceInCodeOrder)
{
    // 3 has no code and sorts first; "12" sorts after "3" as a number
    EXPECT_EQ(listed(EmployeeListMode::WithoutPayslip), QList<int>({3, 1, 7}));
    EXPECT_EQ(listed(EmployeeListMode::TempSaved), QList<int>({2, 8}));
    EXPECT_EQ(listed(EmployeeListMode::FinalSaved), QList<int>({4}));
    EXPECT_EQ(listed(EmployeeListMode::None), QList<int>({3, 2, 4, 1, 8, 7}));
}

TEST_P(PayslipSqlOnDatabase, FiltersWorkThroughTheOrdinance)
{
    EXPECT_EQ(listed(EmployeeListMode::None, QStringLiteral("BranchID=12")), QList<int>({4, 8}));
    EXPECT_EQ(listed(EmployeeListMode::None, none, QStringLiteral("RecruitmentTypeID=21")),
              QList<int>({3, 2, 1, 7}));
    EXPECT_EQ(listed(EmployeeListMode::None, none, none, QStringLiteral("PositionID=32")), QList<int>({4}));
    EXPECT_EQ(listed(EmployeeListMode::FinalSaved, QStringLiteral("BranchID=11")), QList<int>());
}

TEST_P(PayslipSqlOnDatabase, EmployeeRowCarriesNullsAndTheCombinedName)
{
    const QString sql = PayslipSql::employeeList(EmployeeListMode::WithoutPayslip, runner.date(SeededPayroll::begin()),
                                                 runner.date(SeededPayroll::end()), none, none, none);
    const QList<QVariant> codes = runner.column(sql, QStringLiteral("Code"));
    ASSERT_EQ(codes.size(), 3);
    EXPECT_TRUE(codes[0].isNull());
    EXPECT_EQ(runner.column(sql, QStringLiteral("SureName"))[0].toString(), QString());
    EXPECT_EQ(runner.column(sql, QStringLiteral("EmpName"))[1].toString(), QStringLiteral("3__ علي احمدي"));
    EXPECT_EQ(runner.column(sql, QStringLiteral("EmpName"))[0].toString(), QStringLiteral("__ حسن "));
}

TEST_P(PayslipSqlOnDatabase, DeleteRemovesOnlyTheTemporaryPayslipOfTheBeginDate)
{
    const QString begin = runner.date(SeededPayroll::begin());
    EXPECT_EQ(runner.ids(PayslipSql::temporaryPayslipOnBeginDate(2, begin)), QList<int>()); // begins earlier
    EXPECT_EQ(runner.ids(PayslipSql::temporaryPayslipOnBeginDate(8, begin)), QList<int>({db.temporaryPayslipOf8}));
    for (const QString &statement : PayslipSql::deleteTemporaryPayslip(8, begin))
        runner.run(statement);

    EXPECT_EQ(db.count(QStringLiteral("tblHRMonthlySalary"), QStringLiteral("EmployeeID=8")), 1);
    EXPECT_EQ(db.count(QStringLiteral("tblHRMonthlySalary"), QStringLiteral("ID=%1").arg(db.previousPayslipOf8)), 1);
    for (const char *table : {"tblHRMonthlySalaryDetail", "tblHRMonthlyPaiedLoan", "tblHRMonthlyPaiedBox"}) {
        EXPECT_EQ(db.count(QString::fromLatin1(table), QStringLiteral("MonthlySalaryID=%1").arg(db.temporaryPayslipOf8)), 0)
            << table;
        EXPECT_EQ(db.count(QString::fromLatin1(table), QStringLiteral("MonthlySalaryID=%1").arg(db.previousPayslipOf8)), 1)
            << table;
    }
}

TEST_P(PayslipSqlOnDatabase, AccountDocumentsQualifyByDetailLinesOrDescription)
{
    const QString end = runner.date(SeededPayroll::end());
    QList<int> found = runner.ids(PayslipSql::accountDocuments(end), QStringLiteral("DocumentID"));
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, QList<int>({db.documents[QStringLiteral("detail")], db.documents[QStringLiteral("description")]}));
    EXPECT_EQ(runner.ids(PayslipSql::accountDocumentChoices(1402, end)),
              QList<int>({db.documents[QStringLiteral("description")], db.documents[QStringLiteral("detail")]}));
    EXPECT_EQ(runner.column(PayslipSql::formTypeName(1402), QStringLiteral("Name")),
              QList<QVariant>({QStringLiteral("فيش حقوقي")}));
}

TEST_P(PayslipSqlOnDatabase, PrintedPayslipIsTheOneOfTheListedState)
{
    const QString b = runner.date(SeededPayroll::begin());
    const QString e = runner.date(SeededPayroll::end());
    EXPECT_EQ(runner.ids(PayslipSql::printedPayslip(true, 4, b, e)), QList<int>({db.finalPayslipOf4}));
    EXPECT_EQ(runner.ids(PayslipSql::printedPayslip(true, 4, b, e), QStringLiteral("OrdinanceID")),
              QList<int>({db.ordinanceOf4}));
    EXPECT_EQ(runner.ids(PayslipSql::printedPayslip(false, 4, b, e)), QList<int>());
    EXPECT_EQ(runner.ids(PayslipSql::printedPayslip(false, 8, b, e)), QList<int>({db.temporaryPayslipOf8}));
}

TEST_P(PayslipSqlOnDatabase, MissingFactorsPairEmployeesWithUnenteredFactors)
{
    const QString sql = PayslipSql::missingFactors(runner.date(SeededPayroll::begin()),
                                                   runner.date(SeededPayroll::end()), QStringLiteral(" 1, 2, 8"));
    // 1 entered 501 in a batch touching the period; 8 is of recruitment type 6; 1096, 503
    // (ended before) and 504 (not entered directly) are never asked for
    EXPECT_EQ(runner.ids(sql), QList<int>({2, 2, 1}));
    EXPECT_EQ(runner.ids(sql, QStringLiteral("FunctionID")), QList<int>({501, 502, 502}));
    EXPECT_EQ(runner.column(sql, QStringLiteral("ParameterName"))[0].toString(), QStringLiteral("حق ماموريت"));
    EXPECT_EQ(runner.ids(PayslipSql::missingFactors(runner.date(SeededPayroll::begin()),
                                                    runner.date(SeededPayroll::end()), QStringLiteral("-1"))),
              QList<int>());
}

INSTANTIATE_TEST_SUITE_P(Backends, PayslipSqlOnDatabase, ::testing::Values(false, true), backendName);
