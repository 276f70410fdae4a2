#include "documents/DocumentSql.h"

#include <gtest/gtest.h>

using namespace oruhr;

namespace {

#include "tests/documents/ExpectedDocumentSql.inc"

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

