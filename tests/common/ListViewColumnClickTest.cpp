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

TEST_F(ListViewColumnClickTest, RowsAddedWhileSortedTakeTheirPlace)
{
    fill({"5", "3"}, {"a", "b"});
    ListView_ColumnClick(view, 2, SortDataType::Text);
    ListView_ColumnClick(view, 2, SortDataType::Text);
    view.listModel()->clear();
    fill({"1", "2", "3"}, {"a", "c", "b"});
    EXPECT_EQ(column(2), QStringList({"c", "b", "a"}));
}
