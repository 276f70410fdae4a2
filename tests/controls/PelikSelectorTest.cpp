#include "platform/controls/PelikSelector.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QSignalSpy>

using namespace oruhr;
using oruhr::test::TestDatabase;

namespace {

class PelikSelectorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO tblAccountBranch (ID, ParentID, Title) VALUES (1, NULL, 'تهران'), "
                               "(2, NULL, 'اصفهان'), (11, 1, 'شعبه مرکزي'), (12, 1, 'شعبه غرب'), (21, 2, 'شعبه نقش جهان')"));
        selector.setConnectionString(db.connectionString());
        selector.setUpperViewName(QStringLiteral("vwAccountBranchMajor"));
        selector.setLowerViewName(QStringLiteral("vwAccountBranchMinor"));
        selector.setUser(1);
    }

    QStringList entries()
    {
        selector.reload();
        auto *combo = selector.findChild<QComboBox *>();
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i).trimmed();
        return texts;
    }

    TestDatabase db;
    PelikSelector selector;
};

} // namespace

TEST_F(PelikSelectorTest, ShowsLowerEntriesUnderTheirUpperEntryAndSelectsOnlyThem)
{
    EXPECT_EQ(entries(), QStringList({"همه", "تهران", "شعبه مرکزي", "شعبه غرب", "اصفهان", "شعبه نقش جهان"}));
    EXPECT_TRUE(selector.isNoSelection());
    bool ok = false;
    EXPECT_EQ(selector.selectedId().toInt(&ok), 0); // nothing selected still converts
    EXPECT_TRUE(ok);

    QSignalSpy changed(&selector, &PelikSelector::selectionChanged);
    EXPECT_TRUE(selector.selectId(12));
    EXPECT_TRUE(selector.selectId(12)); // the same entry again is no change
    EXPECT_FALSE(selector.selectId(1)); // an upper entry only heads its group
    EXPECT_EQ(selector.selectedId().toInt(), 12);
    selector.clearSelection();
    EXPECT_TRUE(selector.isNoSelection());
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(PelikSelectorTest, AUserColumnRestrictsTheEntriesAndAFailingReadLeavesAUsableSelector)
{
    db.exec(QStringLiteral("CREATE TABLE tblUserBranch (BranchID INTEGER, UserID INTEGER)"));
    db.exec(QStringLiteral("INSERT INTO tblUserBranch VALUES (11, 1), (12, 2), (21, NULL)"));
    db.exec(QStringLiteral("CREATE VIEW vwUserBranchMinor AS SELECT b.ID, b.ParentID, b.Title, u.UserID FROM "
                           "tblAccountBranch b JOIN tblUserBranch u ON u.BranchID = b.ID"));
    selector.setLowerViewName(QStringLiteral("vwUserBranchMinor"));
    EXPECT_TRUE(selector.selectId(11));
    EXPECT_FALSE(selector.selectId(12)); // another user's
    EXPECT_TRUE(selector.selectId(21));  // everyone's

    selector.setLowerViewName(QStringLiteral("vwNoSuchView"));
    EXPECT_EQ(entries().size(), 2);
    EXPECT_TRUE(selector.isNoSelection());
    EXPECT_EQ(selector.selectedId().toInt(), 0);
}

TEST_F(PelikSelectorTest, EntriesWithoutAListedGroupAreShownUnderNone)
{
    db.exec(QStringLiteral("INSERT INTO tblAccountBranch (ID, ParentID, Title) VALUES (31, 21, 'شعبه کيش')"));
    EXPECT_EQ(entries(), QStringList({"همه", "شعبه کيش", "تهران", "شعبه مرکزي", "شعبه غرب", "اصفهان", "شعبه نقش جهان"}));
    EXPECT_TRUE(selector.selectId(31));

    db.exec(QStringLiteral("CREATE VIEW vwFlatBranch AS SELECT ID, Title FROM tblAccountBranch WHERE ParentID = 1"));
    selector.setLowerViewName(QStringLiteral("vwFlatBranch"));
    EXPECT_EQ(entries(), QStringList({"همه", "شعبه مرکزي", "شعبه غرب", "تهران", "اصفهان"}));
}
