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

class PayslipSqlOnDatabase : public ::testing::TestWithParam<Backend> {
protected:
    SeededPayroll db{GetParam()};
    QueryRunner runner{db.connectionString()};
    const QString b = runner.date(SeededPayroll::begin()), e = runner.date(SeededPayroll::end());

    QString list(EmployeeListMode mode, const QString &branch = none, const QString &recruitment = none,
                 const QString &costCenter = none)
    {
        return PayslipSql::employeeList(mode, b, e, branch, recruitment, costCenter);
    }
};

} // namespace

TEST(PayslipSql, TextsAreTheSystemsOwn)
{
    const QString f2 = QStringLiteral("RecruitmentTypeID=21"), f3 = QStringLiteral("PositionID=31");
    const std::pair<QString, QString> texts[] = {
        {PayslipSql::employeeList(EmployeeListMode::WithoutPayslip, B, E, none, f2, f3), expectedWithoutPayslip},
        {PayslipSql::employeeList(EmployeeListMode::FinalSaved, B, E, none, f2, f3), expectedFinalSaved},
        {PayslipSql::employeeList(EmployeeListMode::TempSaved, B, E, none, f2, f3), expectedTempSaved},
        {PayslipSql::employeeList(EmployeeListMode::None, B, E, none, f2, f3), expectedNone},
        {PayslipSql::temporaryPayslipOnBeginDate(8, B), expectedDeleteExists},
        {PayslipSql::deleteTemporaryPayslip(8, B).join(QLatin1Char('|')),
         QStringList({expectedDelete0, expectedDelete1, expectedDelete2, expectedDelete3}).join(QLatin1Char('|'))},
        {PayslipSql::accountDocuments(E), expectedAccountLookup},
        {PayslipSql::formTypeName(1402), expectedFormTypeName},
        {PayslipSql::accountDocumentChoices(1402, E), expectedChoices},
        {PayslipSql::printedPayslip(true, 4, B, E), expectedPrintFinal},
        {PayslipSql::printedPayslip(false, 4, B, E), expectedPrintTemp},
        {PayslipSql::missingFactors(B, E, QStringLiteral(" 1, 2")), expectedMissingFactors},
    };
    for (size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(texts[i].first, texts[i].second) << "text " << i;
}

TEST_P(PayslipSqlOnDatabase, EachModeAndFilterListsItsEmployeesOnceInCodeOrder)
{
    // 3 has no code and sorts first; "12" sorts after "3" as a number
    EXPECT_EQ(runner.ids(list(EmployeeListMode::WithoutPayslip)), QList<int>({3, 1, 7}));
    EXPECT_EQ(runner.ids(list(EmployeeListMode::TempSaved)), QList<int>({2, 8}));
    EXPECT_EQ(runner.ids(list(EmployeeListMode::FinalSaved)), QList<int>({4}));
    EXPECT_EQ(runner.ids(list(EmployeeListMode::None)), QList<int>({3, 2, 4, 1, 8, 7}));
    EXPECT_EQ(runner.ids(list(EmployeeListMode::None, QStringLiteral("BranchID=12"))), QList<int>({4, 8}));
    EXPECT_EQ(runner.ids(list(EmployeeListMode::None, none, QStringLiteral("RecruitmentTypeID=21"))),
              QList<int>({3, 2, 1, 7}));
    EXPECT_EQ(runner.ids(list(EmployeeListMode::None, none, none, QStringLiteral("PositionID=32"))), QList<int>({4}));

    const QString sql = list(EmployeeListMode::WithoutPayslip);
    EXPECT_TRUE(runner.column(sql, QStringLiteral("Code"))[0].isNull());
    EXPECT_EQ(runner.column(sql, QStringLiteral("EmpName")).mid(0, 2),
              QList<QVariant>({QStringLiteral("__ حسن "), QStringLiteral("3__ علي احمدي")}));
}

TEST_P(PayslipSqlOnDatabase, DeleteRemovesOnlyTheTemporaryPayslipOfTheBeginDate)
{
    EXPECT_EQ(runner.ids(PayslipSql::temporaryPayslipOnBeginDate(2, b)), QList<int>()); // begins earlier
    EXPECT_EQ(runner.ids(PayslipSql::temporaryPayslipOnBeginDate(8, b)), QList<int>({db.temporaryPayslipOf8}));
    for (const QString &statement : PayslipSql::deleteTemporaryPayslip(8, b))
        runner.run(statement);

    EXPECT_EQ(db.count(QStringLiteral("tblHRMonthlySalary"), QStringLiteral("EmployeeID=8")), 1);
    for (const char *table : {"tblHRMonthlySalaryDetail", "tblHRMonthlyPaiedLoan", "tblHRMonthlyPaiedBox"}) {
        const QString t = QString::fromLatin1(table), of = QStringLiteral("MonthlySalaryID=%1");
        EXPECT_EQ(db.count(t, of.arg(db.temporaryPayslipOf8)), 0) << table;
        EXPECT_EQ(db.count(t, of.arg(db.previousPayslipOf8)), 1) << table;
    }
}

TEST_P(PayslipSqlOnDatabase, AccountDocumentsPrintedPayslipsAndMissingFactorsAreFound)
{
    const int detail = db.documents[QStringLiteral("detail")], description = db.documents[QStringLiteral("description")];
    QList<int> found = runner.ids(PayslipSql::accountDocuments(e), QStringLiteral("DocumentID"));
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, QList<int>({detail, description}));
    EXPECT_EQ(runner.ids(PayslipSql::accountDocumentChoices(1402, e)), QList<int>({description, detail}));
    EXPECT_EQ(runner.column(PayslipSql::formTypeName(1402), QStringLiteral("Name")),
              QList<QVariant>({QStringLiteral("فيش حقوقي")}));

    // the payslip printed is the one of the listed state
    EXPECT_EQ(runner.ids(PayslipSql::printedPayslip(true, 4, b, e)), QList<int>({db.finalPayslipOf4}));
    EXPECT_EQ(runner.ids(PayslipSql::printedPayslip(true, 4, b, e), QStringLiteral("OrdinanceID")),
              QList<int>({db.ordinanceOf4}));
    EXPECT_EQ(runner.ids(PayslipSql::printedPayslip(false, 4, b, e)), QList<int>());
    EXPECT_EQ(runner.ids(PayslipSql::printedPayslip(false, 8, b, e)), QList<int>({db.temporaryPayslipOf8}));

    // 1 entered 501 in a batch touching the period; 8 is of recruitment type 6; 1096, 503
    // (ended before) and 504 (not entered directly) are never asked for
    const QString missing = PayslipSql::missingFactors(b, e, QStringLiteral(" 1, 2, 8"));
    EXPECT_EQ(runner.ids(missing), QList<int>({2, 2, 1}));
    EXPECT_EQ(runner.ids(missing, QStringLiteral("FunctionID")), QList<int>({501, 502, 502}));
    EXPECT_EQ(runner.column(missing, QStringLiteral("ParameterName"))[0].toString(), QStringLiteral("حق ماموريت"));
}

INSTANTIATE_TEST_SUITE_P(Backends, PayslipSqlOnDatabase, allBackends(), backendName);
