#include "documents/DocumentIdLists.h"
#include "documents/DocumentSql.h"
#include "tests/support/QueryRunner.h"
#include "tests/support/SeededPayroll.h"

#include <gtest/gtest.h>

using namespace oruhr;
using namespace oruhr::test;

namespace {

#include "tests/documents/ExpectedDocumentSql.inc"

class DocumentSqlOnDatabase : public ::testing::TestWithParam<Backend> {
protected:
    SeededPayroll db{GetParam()};
    QueryRunner runner{db.connectionString()};

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
    static QString key(int formType, int id) { return QStringLiteral("%1:%2").arg(formType).arg(id); }
};

} // namespace

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

TEST(DocumentIdLists, TheFourKindsAreCollectedOrdinancesFirst)
{
    DocumentIdLists lists;
    EXPECT_FALSE(lists.append(1402, QStringLiteral("3")));
    EXPECT_TRUE(lists.statements().isEmpty());
    EXPECT_TRUE(lists.append(1022021, QStringLiteral("5")));
    EXPECT_TRUE(lists.append(1022007, QStringLiteral("12")));
    EXPECT_TRUE(lists.append(1022007, QStringLiteral("15")));
    EXPECT_EQ(lists.statements(), QStringList({DocumentSql::finalize(1022007, QStringLiteral("12,15")),
                                               DocumentSql::finalize(1022021, QStringLiteral("5"))}));
}

TEST_P(DocumentSqlOnDatabase, TheListsSplitByCodeAndFinalizeMovesADocumentAcross)
{
    EXPECT_EQ(keys(DocumentListMode::Temporary), QStringList({key(1022007, db.temporaryOrdinanceOf5),
                                                              key(1022009, db.loanId), key(1022021, db.fundId)}));
    const QList<QVariant> descriptions = runner.column(list(DocumentListMode::Temporary), QStringLiteral("Description"));
    const QList<QVariant> types = runner.column(list(DocumentListMode::Temporary), QStringLiteral("DocType"));
    for (qsizetype i = 0; i < types.size(); ++i) // loans and funds alike count the loan lines of their ID
        EXPECT_EQ(descriptions[i].toString(), types[i].toString() == QStringLiteral("حکم کارگزيني")
                                                  ? QStringLiteral("رضا محمدي")
                                                  : QStringLiteral("تعداد کارمند: 2"));
    // coded documents are final even with an empty code
    const QStringList final = keys(DocumentListMode::Final);
    EXPECT_TRUE(final.contains(key(1022041, db.exceptionBatchId)));
    EXPECT_TRUE(final.contains(key(1022007, db.ordinanceOf4)));
    EXPECT_FALSE(final.contains(key(1022009, db.loanId)));

    runner.run(DocumentSql::finalize(1022009, QString::number(db.loanId)));
    runner.run(DocumentSql::finalize(1022007, QString::number(db.temporaryOrdinanceOf5)));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Code FROM tblHRLoan WHERE ID=?"), {db.loanId}).toInt(), db.loanId);
    EXPECT_EQ(keys(DocumentListMode::Temporary), QStringList({key(1022021, db.fundId)}));
    EXPECT_TRUE(keys(DocumentListMode::Final).contains(key(1022009, db.loanId)));
}

INSTANTIATE_TEST_SUITE_P(Backends, DocumentSqlOnDatabase, allBackends(), backendName);
