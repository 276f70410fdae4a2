#include "documents/DocumentIdLists.h"

#include <gtest/gtest.h>

using namespace oruhr;

TEST(DocumentIdLists, OnlyTheFourKindsAreCollected)
{
    DocumentIdLists lists;
    EXPECT_FALSE(lists.append(1402, QStringLiteral("3")));
    EXPECT_FALSE(lists.append(0, QStringLiteral("4")));
    EXPECT_TRUE(lists.statements().isEmpty());
    EXPECT_TRUE(lists.append(1022021, QStringLiteral("5")));
    EXPECT_EQ(lists.statements(), QStringList({QStringLiteral("Update tblHRBox Set Code=ID Where ID in (5)")}));
}
