#include "platform/controls/PelikSelector.h"
#include "tests/support/TestKit.h"

using namespace oruhr;

// Choosing through the payslip window is covered there; here what only the selector decides.
TEST(PelikSelector, AUserSeesOnlyEntriesOfTheirOwnOrOfEveryoneAndAFailingReadSelectsNothing)
{
    test::TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO tblAccountBranch (ID, ParentID, Title) VALUES (1, NULL, 'تهران'), "
                           "(11, 1, 'مرکزي'), (12, 1, 'غرب'), (21, 1, 'نقش جهان')"));
    db.exec(QStringLiteral("CREATE TABLE tblUserBranch (BranchID INTEGER, UserID INTEGER)"));
    db.exec(QStringLiteral("INSERT INTO tblUserBranch VALUES (11, 1), (12, 2), (21, NULL)"));
    db.exec(QStringLiteral("CREATE VIEW vwUserBranchMinor AS SELECT b.ID, b.ParentID, b.Title, u.UserID FROM "
                           "tblAccountBranch b JOIN tblUserBranch u ON u.BranchID = b.ID"));
    PelikSelector selector;
    selector.setConnectionString(db.connectionString());
    selector.setUpperViewName(QStringLiteral("vwAccountBranchMajor"));
    selector.setLowerViewName(QStringLiteral("vwUserBranchMinor"));
    selector.setUser(1);
    EXPECT_TRUE(selector.selectId(11));
    EXPECT_FALSE(selector.selectId(12)); // another user's
    EXPECT_TRUE(selector.selectId(21));  // everyone's
    EXPECT_FALSE(selector.selectId(1));  // an upper entry only heads its group

    selector.setLowerViewName(QStringLiteral("vwNoSuchView"));
    selector.reload();
    EXPECT_TRUE(selector.isNoSelection());
    EXPECT_EQ(selector.selectedId().toInt(), 0);
}
