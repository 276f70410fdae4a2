#include "common/ListViewColumnClick.h"

#include "platform/controls/KeyedListModel.h"
#include "platform/controls/KeyedListView.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace oruhr {

QString numericSortKey(const QString &text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return text;
    const double rounded = std::round(std::fabs(value) * 100000.0) / 100000.0;
    return (value < 0 && rounded != 0 ? QLatin1Char('A') : QLatin1Char('Z'))
           + QString::asprintf("%016.5f", rounded);
}

QString dateSortKey(const QString &text)
{
    const QString trimmed = text.trimmed();
    for (const char *format : {"yyyy/M/d H:m:s", "yyyy/M/d H:m", "yyyy/M/d", "yyyy-M-d H:m:s", "yyyy-M-d",
                               "yyyy-MM-ddTHH:mm:ss"}) {
        const QDateTime moment = QDateTime::fromString(trimmed, QString::fromLatin1(format));
        if (moment.isValid())
            return moment.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
    }
    return {};
}

namespace {

int dataTypeOfColumn(const KeyedListView &listView, int column)
{
    const QList<ListColumn> &columns = listView.listModel()->columns();
    const bool numeric = column >= 0 && column < columns.size() && columns[column].sortAs == ListColumn::SortAs::Number;
    return numeric ? SortDataType::Numeric : SortDataType::Text;
}

// Sorts with the cells' keys in place, then puts their texts back; chooseOrder sets the
// sort column and order while the keys stand in the cells.
template<typename ChooseOrder>
void sortByKeys(KeyedListView &listView, int column, int DataType, ChooseOrder chooseOrder)
{
    KeyedListModel &model = *listView.listModel();
    if (column < 0 || column >= model.columnCount())
        return;
    for (ListItem &item : model.items())
        while (item.texts.size() <= column)
            item.texts.append(QString());
    model.setSorted(false);
    const bool keyed = DataType != SortDataType::Text;
    if (keyed) {
        for (ListItem &item : model.items()) {
            QString &cell = item.texts[column];
            item.tag = cell;
            if (DataType == SortDataType::Numeric)
                cell = numericSortKey(cell);
            else if (DataType == SortDataType::Date)
                cell = dateSortKey(cell);
        }
    }
    chooseOrder(model);
    model.setSorted(true);
    if (keyed) {
        for (ListItem &item : model.items()) {
            item.texts[column] = item.tag;
            item.tag.clear();
        }
        model.itemsChanged();
    }
    listView.showSortIndicator();
}

} // namespace

void ListView_ColumnClick(KeyedListView &MyListView, int column, int DataType)
{
    sortByKeys(MyListView, column, DataType, [column](KeyedListModel &model) {
        if (model.sortKey() == column) {
            model.setSortOrder(model.sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
        } else {
            model.setSortOrder(Qt::AscendingOrder);
            model.setSortKey(column);
        }
    });
}

void SortByClickedColumn(KeyedListView &listView, int column)
{
    if (column == 0)
        return;
    ListView_ColumnClick(listView, column, dataTypeOfColumn(listView, column));
}

void SortAgainAfterRebuild(KeyedListView &listView)
{
    const int column = listView.listModel()->sortKey();
    sortByKeys(listView, column, dataTypeOfColumn(listView, column), [](KeyedListModel &) {});
}

} // namespace oruhr
