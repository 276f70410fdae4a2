#include "common/ListViewColumnClick.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/KeyedListView.h"

#include <gtest/gtest.h>

using namespace oruhr;

namespace {

class ListViewColumnClickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.listModel()->setColumns({{QString(), 500}, {QStringLiteral("کد"), 800}, {QStringLiteral("نام"), 2000}});
    }

    void fill(const QStringList &codes, const QStringList &names)
    {
        QList<ListItem> items;
        for (qsizetype i = 0; i < codes.size(); ++i)
            items.append({QStringLiteral("k") + codes[i], {QString(), codes[i], names[i]}});
        view.listModel()->appendItems(items);
    }

    QStringList column(int index) const
    {
        QStringList result;
        for (int row = 0; row < view.listModel()->rowCount(); ++row)
            result << view.listModel()->item(row).texts[index];
        return result;
    }

    KeyedListView view;
};

} // namespace

TEST_F(ListViewColumnClickTest, ASecondClickReversesAndAnotherColumnStartsAscending)
{
    fill({"100", "9", "x7", "-5", ""}, {"پروين", "بهرام", "ژاله", "زهرا", "ب"});
    view.setCurrentIndex(view.listModel()->index(1, 1));
    ListView_ColumnClick(view, 1, SortDataType::Numeric);
    // an empty or non-numeric text keeps its own text as the key; negatives sort before "Z"
    EXPECT_EQ(column(1), QStringList({"", "-5", "x7", "9", "100"}));
    EXPECT_EQ(view.listModel()->item(view.currentIndex().row()).key, QStringLiteral("k9")); // the current row follows
    ListView_ColumnClick(view, 1, SortDataType::Numeric);
    EXPECT_EQ(column(1), QStringList({"100", "9", "x7", "-5", ""}));
    EXPECT_EQ(view.listModel()->sortOrder(), Qt::DescendingOrder);
    EXPECT_TRUE(view.listModel()->item(0).tag.isEmpty());

    ListView_ColumnClick(view, 2, SortDataType::Text);
    // the Persian alphabet: ب before پ, ز before ژ
    EXPECT_EQ(column(2), QStringList({"ب", "بهرام", "پروين", "زهرا", "ژاله"}));
    EXPECT_EQ(view.listModel()->sortKey(), 2);
    EXPECT_EQ(view.listModel()->sortOrder(), Qt::AscendingOrder);
}

TEST_F(ListViewColumnClickTest, RowsAddedWhileSortedTakeTheirPlace)
{
    fill({"5", "3"}, {"a", "b"});
    ListView_ColumnClick(view, 2, SortDataType::Text);
    ListView_ColumnClick(view, 2, SortDataType::Text);
    view.listModel()->clear();
    fill({"1", "2", "3"}, {"a", "c", "b"});
    EXPECT_EQ(column(2), QStringList({"c", "b", "a"}));
}
