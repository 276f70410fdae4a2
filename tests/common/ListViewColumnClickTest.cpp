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

    void fill(const QList<QPair<QString, QString>> &rows)
    {
        QList<ListItem> items;
        for (const auto &[code, name] : rows)
            items.append({QStringLiteral("k") + code, {QString(), code, name}});
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

TEST(SortKeys, NumbersBecomeFixedWidthTexts)
{
    EXPECT_EQ(numericSortKey(QStringLiteral("1001")), QStringLiteral("Z0000001001.00000"));
    EXPECT_EQ(numericSortKey(QStringLiteral(" 2.5 ")), QStringLiteral("Z0000000002.50000"));
    EXPECT_EQ(numericSortKey(QStringLiteral("-12")), QStringLiteral("A0000000012.00000"));
    EXPECT_EQ(numericSortKey(QStringLiteral("0")), QStringLiteral("Z0000000000.00000"));
    EXPECT_EQ(numericSortKey(QStringLiteral("12a")), QStringLiteral("12a"));
    EXPECT_EQ(numericSortKey(QString()), QString());
}

TEST(SortKeys, DatesBecomeSortableTexts)
{
    EXPECT_EQ(dateSortKey(QStringLiteral("2026/3/1")), QStringLiteral("2026/03/01 00:00:00"));
    EXPECT_EQ(dateSortKey(QStringLiteral("2026-11-22 8:05:09")), QStringLiteral("2026/11/22 08:05:09"));
    EXPECT_EQ(dateSortKey(QStringLiteral("not a date")), QString());
}

TEST_F(ListViewColumnClickTest, NumericColumnSortsByValueThenReverses)
{
    fill({{QStringLiteral("100"), QStringLiteral("a")},
          {QStringLiteral("9"), QStringLiteral("b")},
          {QStringLiteral("x7"), QStringLiteral("c")},
          {QStringLiteral("-5"), QStringLiteral("d")},
          {QString(), QStringLiteral("e")}});
    ListView_ColumnClick(view, 1, SortDataType::Numeric);
    // an empty or non-numeric text keeps its own text as the key; negatives sort before "Z"
    EXPECT_EQ(column(1), QStringList({QString(), QStringLiteral("-5"), QStringLiteral("x7"), QStringLiteral("9"),
                                      QStringLiteral("100")}));
    EXPECT_EQ(view.listModel()->sortOrder(), Qt::AscendingOrder);
    ListView_ColumnClick(view, 1, SortDataType::Numeric);
    EXPECT_EQ(column(1), QStringList({QStringLiteral("100"), QStringLiteral("9"), QStringLiteral("x7"),
                                      QStringLiteral("-5"), QString()}));
    EXPECT_EQ(view.listModel()->sortOrder(), Qt::DescendingOrder);
    for (int row = 0; row < 5; ++row)
        EXPECT_TRUE(view.listModel()->item(row).tag.isEmpty());
}

TEST_F(ListViewColumnClickTest, AnotherColumnStartsAscendingByText)
{
    fill({{QStringLiteral("1"), QStringLiteral("پروين")},
          {QStringLiteral("2"), QStringLiteral("بهرام")},
          {QStringLiteral("3"), QStringLiteral("ژاله")},
          {QStringLiteral("4"), QStringLiteral("زهرا")}});
    ListView_ColumnClick(view, 1, SortDataType::Numeric);
    ListView_ColumnClick(view, 1, SortDataType::Numeric);
    ListView_ColumnClick(view, 2, SortDataType::Text);
    // the Persian alphabet: ب before پ, ز before ژ
    EXPECT_EQ(column(2), QStringList({QStringLiteral("بهرام"), QStringLiteral("پروين"), QStringLiteral("زهرا"),
                                      QStringLiteral("ژاله")}));
    EXPECT_EQ(view.listModel()->sortKey(), 2);
    EXPECT_EQ(view.listModel()->sortOrder(), Qt::AscendingOrder);
}

TEST_F(ListViewColumnClickTest, TheCurrentRowFollowsItsEmployee)
{
    fill({{QStringLiteral("3"), QStringLiteral("a")}, {QStringLiteral("1"), QStringLiteral("b")},
          {QStringLiteral("2"), QStringLiteral("c")}});
    view.setCurrentIndex(view.listModel()->index(0, 1));
    ListView_ColumnClick(view, 1, SortDataType::Numeric);
    EXPECT_EQ(view.listModel()->item(view.currentIndex().row()).key, QStringLiteral("k3"));
    EXPECT_EQ(view.currentIndex().row(), 2);
}

TEST_F(ListViewColumnClickTest, RowsAddedWhileSortedTakeTheirPlace)
{
    fill({{QStringLiteral("5"), QStringLiteral("a")}, {QStringLiteral("3"), QStringLiteral("b")}});
    ListView_ColumnClick(view, 2, SortDataType::Text);
    ListView_ColumnClick(view, 2, SortDataType::Text);
    view.listModel()->clear();
    fill({{QStringLiteral("1"), QStringLiteral("a")}, {QStringLiteral("2"), QStringLiteral("c")},
          {QStringLiteral("3"), QStringLiteral("b")}});
    EXPECT_EQ(column(2), QStringList({QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
}
