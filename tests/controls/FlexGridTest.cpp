#include "platform/controls/FlexGrid.h"

#include <gtest/gtest.h>

using namespace oruhr;

TEST(FlexGrid, RowZeroIsTheHeaderAndColumnsHaveTwipWidthsAndAlignments)
{
    FlexGrid grid;
    grid.setCols(2);
    grid.setTextMatrix(0, 1, QStringLiteral("کد"));
    grid.addItem();
    grid.addItem();
    grid.setTextMatrix(2, 1, QStringLiteral("12"));
    const FlexGridModel &model = grid.cells();
    EXPECT_EQ(std::pair(grid.rows(), model.rowCount()), std::pair(3, 2));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("کد"));
    EXPECT_EQ(model.data(model.index(1, 1), Qt::DisplayRole).toString(), QStringLiteral("12"));
    grid.setCols(4); // a new column keeps what is there
    EXPECT_EQ(grid.textMatrix(2, 1), QStringLiteral("12"));
    grid.setTextMatrix(5, 0, QStringLiteral("x")); // out of range: nothing happens
    EXPECT_EQ(grid.rows(), 3);
    grid.setRows(1);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(grid.textMatrix(0, 1), QStringLiteral("کد"));
    grid.addItem();
    EXPECT_EQ(grid.textMatrix(1, 1), QString()); // a row comes back empty

    grid.setColWidth(0, 1440);
    grid.setColWidth(2, 0);
    EXPECT_EQ(grid.columnWidth(0), grid.logicalDpiX());
    EXPECT_TRUE(grid.isColumnHidden(2));
    grid.setColWidth(2, 720);
    EXPECT_FALSE(grid.isColumnHidden(2));
    grid.setColAlignment(1, FlexGridModel::AlignCenterCenter);
    EXPECT_EQ(model.data(model.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignLeft | Qt::AlignVCenter);
}
