#include "documents/DocumentIdLists.h"

#include <gtest/gtest.h>

using namespace oruhr;

TEST(DocumentIdLists, OneUpdatePerKindInKindOrderWithIdsInTheOrderAdded)
{
    DocumentIdLists lists;
    EXPECT_TRUE(lists.statements().isEmpty());
    EXPECT_TRUE(lists.append(1022041, QStringLiteral("7")));
    EXPECT_TRUE(lists.append(1022009, QStringLiteral("41")));
    EXPECT_TRUE(lists.append(1022007, QStringLiteral("15")));
    EXPECT_TRUE(lists.append(1022007, QStringLiteral("12")));
    EXPECT_TRUE(lists.append(1022007, QStringLiteral("40")));
    EXPECT_EQ(lists.statements(),
              QStringList({QStringLiteral("Update tblHROrdinance Set Code=ID Where ID in (15,12,40)"),
                           QStringLiteral("Update tblHRLoan Set Code=ID Where ID in (41)"),
                           QStringLiteral("Update tblHRExceptionBatch Set Code=ID Where ID in (7)")}));
}

TEST(DocumentIdLists, RowsOfAnotherFormTypeAreNotCollected)
{
    DocumentIdLists lists;
    EXPECT_FALSE(lists.append(1402, QStringLiteral("3")));
    EXPECT_FALSE(lists.append(0, QStringLiteral("4")));
    EXPECT_TRUE(lists.statements().isEmpty());
    EXPECT_TRUE(lists.append(1022021, QStringLiteral("5")));
    EXPECT_EQ(lists.statements(), QStringList({QStringLiteral("Update tblHRBox Set Code=ID Where ID in (5)")}));
}
