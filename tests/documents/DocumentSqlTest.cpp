#include "documents/DocumentSql.h"
#include "tests/support/QueryRunner.h"
#include "tests/support/SeededPayroll.h"

#include <gtest/gtest.h>

using namespace oruhr;
using namespace oruhr::test;

namespace {

#include "tests/documents/ExpectedDocumentSql.inc"

class DocumentSqlOnDatabase : public ::testing::TestWithParam<bool> {
protected:
    SeededPayroll db;
    QueryRunner runner{GetParam() ? db.odbcConnectionString() : db.connectionString()};

    QString list(DocumentListMode mode)
    {
        return DocumentSql::documentList(mode, runner.date(SeededPayroll::begin()), runner.date(SeededPayroll::end()));
    }
    // "FormTypeID:ID" of every row, sorted: the union has no order of its own
    QStringList keys(DocumentListMode mode)
    {
        const QList<QVariant> types = runner.column(list(mode), QStringLiteral("FormTypeID"));
        const QList<QVariant> ids = runner.column(list(mode), QStringLiteral("ID"));
        QStringList result;
        for (qsizetype i = 0; i < types.size(); ++i)
            result << types[i].toString() + QLatin1Char(':') + ids[i].toString();
        result.sort();
        return result;
    }
};

} // namespace

TEST(DocumentSql, TextsAreTheSystemsOwn)
{
    const QString b = QStringLiteral("2026-11-22");
    const QString e = QStringLiteral("2026-12-21");
    EXPECT_EQ(DocumentSql::documentList(DocumentListMode::Temporary, b, e), expectedDocumentsTemporary);
    EXPECT_EQ(DocumentSql::documentList(DocumentListMode::Final, b, e), expectedDocumentsFinal);
    EXPECT_EQ(DocumentSql::finalize(1022007, QStringLiteral("12,15,40")),
              QStringLiteral("Update tblHROrdinance Set Code=ID Where ID in (12,15,40)"));
    EXPECT_EQ(DocumentSql::finalize(1022009, QStringLiteral("41")), QStringLiteral("Update tblHRLoan Set Code=ID Where ID in (41)"));
    EXPECT_EQ(DocumentSql::finalize(1022021, QStringLiteral("1")), QStringLiteral("Update tblHRBox Set Code=ID Where ID in (1)"));
    EXPECT_EQ(DocumentSql::finalize(1022041, QStringLiteral("2")),
              QStringLiteral("Update tblHRExceptionBatch Set Code=ID Where ID in (2)"));
    EXPECT_EQ(DocumentSql::finalize(1401, QStringLiteral("2")), QString());
}

TEST_P(DocumentSqlOnDatabase, TemporaryListHoldsEveryKindWithNullCode)
{
    EXPECT_EQ(keys(DocumentListMode::Temporary),
              QStringList({QStringLiteral("1022007:%1").arg(db.temporaryOrdinanceOf5),
                           QStringLiteral("1022009:%1").arg(db.loanId), QStringLiteral("1022021:%1").arg(db.fundId)}));
    const QList<QVariant> descriptions = runner.column(list(DocumentListMode::Temporary), QStringLiteral("Description"));
    const QList<QVariant> types = runner.column(list(DocumentListMode::Temporary), QStringLiteral("DocType"));
    for (qsizetype i = 0; i < types.size(); ++i) {
        if (types[i].toString() == QStringLiteral("حکم کارگزيني"))
            EXPECT_EQ(descriptions[i].toString(), QStringLiteral("رضا محمدي"));
        else // loans and funds alike count the loan lines of their ID
            EXPECT_EQ(descriptions[i].toString(), QStringLiteral("تعداد کارمند: 2"));
    }
}

TEST_P(DocumentSqlOnDatabase, FinalListHoldsCodedDocumentsEvenWithAnEmptyCode)
{
    const QStringList final = keys(DocumentListMode::Final);
    EXPECT_TRUE(final.contains(QStringLiteral("1022041:%1").arg(db.exceptionBatchId)));
    EXPECT_TRUE(final.contains(QStringLiteral("1022007:%1").arg(db.ordinanceOf4)));
    EXPECT_FALSE(final.contains(QStringLiteral("1022009:%1").arg(db.loanId)));
}

TEST_P(DocumentSqlOnDatabase, FinalizeGivesEachDocumentItsOwnIdAsCode)
{
    runner.run(DocumentSql::finalize(1022009, QString::number(db.loanId)));
    runner.run(DocumentSql::finalize(1022007, QString::number(db.temporaryOrdinanceOf5)));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Code FROM tblHRLoan WHERE ID=?"), {db.loanId}).toInt(), db.loanId);
    EXPECT_EQ(keys(DocumentListMode::Temporary), QStringList({QStringLiteral("1022021:%1").arg(db.fundId)}));
}

INSTANTIATE_TEST_SUITE_P(Backends, DocumentSqlOnDatabase, ::testing::Values(false, true), backendName);
