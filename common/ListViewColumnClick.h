#pragma once

#include <QString>

namespace oruhr {

class KeyedListView;

// How a clicked column sorts: by number, by text, or by date.
namespace SortDataType {
constexpr int Numeric = 0;
constexpr int Text = 1;
constexpr int Date = 2;
} // namespace SortDataType

// The shared sort of both windows' lists. Clicking the sort column again reverses the
// order; another column sorts ascending. Numbers and dates sort through text keys that
// stand in the cells during the sort; the cells show their own texts again afterwards.
void ListView_ColumnClick(KeyedListView &MyListView, int column, int DataType = SortDataType::Numeric);
// The list windows' header click: the check-box column does not sort, the others sort as
// their column declares.
void SortByClickedColumn(KeyedListView &listView, int column);
// Sorts rows appended to a sorted list as the header shows: the same column, order and key.
void SortAgainAfterRebuild(KeyedListView &listView);

// The sort keys: a number as "Z" (or "A" when negative) with ten integer digits and five
// decimals, the text unchanged when it is no number; a date as "yyyy/MM/dd hh:mm:ss", empty
// when it is no date.
QString numericSortKey(const QString &text);
QString dateSortKey(const QString &text);

} // namespace oruhr
