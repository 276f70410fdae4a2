#include "common/CommonSql.h"
#include "documents/DocumentSql.h"
#include "payslips/PayslipSql.h"

#include <gtest/gtest.h>

using namespace oruhr;

namespace {

const QString B = QStringLiteral("2026-11-22");
const QString E = QStringLiteral("2026-12-21");
const QString none = QStringLiteral("1=1");

#include "tests/payslips/ExpectedDocumentSql.inc"
#include "tests/payslips/ExpectedPayslipSql.inc"

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

TEST(DocumentSql, TextsAreTheSystemsOwn)
{
    const QString b = QStringLiteral("2026-11-22"), e = QStringLiteral("2026-12-21");
    EXPECT_EQ(DocumentSql::documentList(DocumentListMode::Temporary, b, e), expectedDocumentsTemporary);
    EXPECT_EQ(DocumentSql::documentList(DocumentListMode::Final, b, e), expectedDocumentsFinal);
    const std::pair<qint32, const char *> tables[] = {
        {1022007, "tblHROrdinance"}, {1022009, "tblHRLoan"}, {1022021, "tblHRBox"}, {1022041, "tblHRExceptionBatch"}};
    for (const auto &[formType, table] : tables)
        EXPECT_EQ(DocumentSql::finalize(formType, QStringLiteral("12,15")),
                  QStringLiteral("Update %1 Set Code=ID Where ID in (12,15)").arg(QLatin1String(table)));
    EXPECT_EQ(DocumentSql::finalize(1401, QStringLiteral("2")), QString());
}

TEST(CommonSql, TextsAreTheSystemsOwn)
{
    EXPECT_EQ(CommonSql::applicationFolder(), QStringLiteral("select * from tblPelikSystemParameters Where ID=140"));
    EXPECT_EQ(CommonSql::payrollMonthStart(), QStringLiteral("Select Value from tblPelikSystemParameters Where ID=3450"));
    EXPECT_EQ(CommonSql::reportTemplates(1402),
              QStringLiteral("Select * from tblPelikReportTemplate where FormTypeID = 1406 Or FormTypeID =1402"));
    EXPECT_EQ(CommonSql::reportTemplate(5), QStringLiteral("Select * From tblPelikReportTemplate Where ID = 5"));
}
