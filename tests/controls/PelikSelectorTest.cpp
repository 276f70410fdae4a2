#include "platform/controls/PelikSelector.h"
#include "tests/support/TestKit.h"

using namespace oruhr;

// Choosing through the windows is covered there; here what only the selector decides.
TEST(PelikSelector, GroupsEntriesUnderTheirUpperEntryKeepsOtherUsersOutAndSurvivesAFailingRead)
{
    test::TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO tblAccountBranch (ID, ParentID, Title) VALUES (1, NULL, 'تهران'), "
                           "(2, NULL, 'اصفهان'), (11, 1, 'مرکزي'), (12, 1, 'غرب'), (21, 2, 'نقش جهان'), (31, 9, 'کيش')"));
    db.exec(QStringLiteral("CREATE TABLE tblUserBranch (BranchID INTEGER, UserID INTEGER)"));
    db.exec(QStringLiteral("INSERT INTO tblUserBranch VALUES (11, 1), (12, 2), (21, NULL)"));
    db.exec(QStringLiteral("CREATE VIEW vwUserBranchMinor AS SELECT b.ID, b.ParentID, b.Title, u.UserID FROM "
                           "tblAccountBranch b JOIN tblUserBranch u ON u.BranchID = b.ID"));
    PelikSelector selector;
    selector.setConnectionString(db.connectionString());
    selector.setUpperViewName(QStringLiteral("vwAccountBranchMajor"));
    selector.setLowerViewName(QStringLiteral("vwAccountBranchMinor"));
    selector.setUser(1);
    const auto entries = [&] {
        selector.reload();
        auto *combo = selector.findChild<QComboBox *>();
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i).trimmed();
        return texts;
    };
    // An entry whose group is not listed comes first, under none.
    EXPECT_EQ(entries(), QStringList({"همه", "کيش", "تهران", "مرکزي", "غرب", "اصفهان", "نقش جهان"}));
    EXPECT_EQ(selector.selectedId().toInt(), 0);
    QSignalSpy changed(&selector, &PelikSelector::selectionChanged);
    EXPECT_TRUE(selector.selectId(12));
    EXPECT_TRUE(selector.selectId(12)); // the same entry again is no change
    EXPECT_FALSE(selector.selectId(1)); // an upper entry only heads its group
    selector.clearSelection();
    EXPECT_EQ(changed.count(), 2);

    selector.setLowerViewName(QStringLiteral("vwUserBranchMinor"));
    EXPECT_TRUE(selector.selectId(11));
    EXPECT_FALSE(selector.selectId(12)); // another user's
    EXPECT_TRUE(selector.selectId(21));  // everyone's

    selector.setLowerViewName(QStringLiteral("vwNoSuchView"));
    EXPECT_EQ(entries().size(), 2);
    EXPECT_TRUE(selector.isNoSelection());
    EXPECT_EQ(selector.selectedId().toInt(), 0);
}
