#include "platform/controls/KeyedListModel.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>
#include <numeric>
#include <vector>

namespace oruhr {

void KeyedListModel::setColumns(const QList<ListColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    m_items.clear();
    endResetModel();
}

int KeyedListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int KeyedListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant KeyedListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const ListItem &item = m_items[index.row()];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return item.texts.value(index.column());
    if (role == Qt::CheckStateRole && index.column() == 0)
        return item.checked ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool KeyedListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole)
        return false;
    setChecked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags KeyedListModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant KeyedListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_columns.size())
        return m_columns[section].title;
    return {};
}

void KeyedListModel::clear()
{
    beginResetModel();
    m_items.clear();
    endResetModel();
}

void KeyedListModel::appendItems(QList<ListItem> items)
{
    beginResetModel();
    if (m_items.isEmpty())
        m_items = std::move(items);
    else
        m_items.append(std::move(items));
    if (m_sorted)
        sortItems();
    endResetModel();
}

void KeyedListModel::itemsChanged()
{
    if (!m_items.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(int(m_items.size()) - 1, int(m_columns.size()) - 1));
}

void KeyedListModel::setChecked(int row, bool checked)
{
    if (row < 0 || row >= m_items.size() || m_items[row].checked == checked)
        return;
    m_items[row].checked = checked;
    Q_EMIT dataChanged(index(row, 0), index(row, 0), {Qt::CheckStateRole});
}

void KeyedListModel::setAllChecked(bool checked)
{
    for (ListItem &item : m_items)
        item.checked = checked;
    if (!m_items.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(int(m_items.size()) - 1, 0), {Qt::CheckStateRole});
}

int KeyedListModel::checkedCount() const
{
    return int(std::count_if(m_items.cbegin(), m_items.cend(), [](const ListItem &item) { return item.checked; }));
}

void KeyedListModel::setSorted(bool sorted)
{
    m_sorted = sorted;
    if (!sorted || m_items.isEmpty())
        return;
    Q_EMIT layoutAboutToBeChanged();
    const std::vector<qsizetype> newRow = sortItems();
    // The current row and the selection follow their employees to their new places.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex &index : before)
        after << this->index(int(newRow[size_t(index.row())]), index.column());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
}

// Sorts by text as the reader expects it (Persian letters in their order, case ignored),
// with one collation key per row so that large lists sort quickly.
std::vector<qsizetype> KeyedListModel::sortItems()
{
    QCollator collator{QLocale(QLocale::Persian, QLocale::Iran)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(m_items.size()));
    for (const ListItem &item : std::as_const(m_items))
        keys.push_back(collator.sortKey(item.texts.value(m_sortKey)));
    std::vector<qsizetype> order(size_t(m_items.size()));
    std::iota(order.begin(), order.end(), 0);
    const bool ascending = m_sortOrder == Qt::AscendingOrder;
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int compared = keys[size_t(a)].compare(keys[size_t(b)]);
        return ascending ? compared < 0 : compared > 0;
    });
    QList<ListItem> sortedItems;
    sortedItems.reserve(m_items.size());
    std::vector<qsizetype> newRow(order.size());
    for (size_t position = 0; position < order.size(); ++position) {
        sortedItems.append(std::move(m_items[order[position]]));
        newRow[size_t(order[position])] = qsizetype(position);
    }
    m_items = std::move(sortedItems);
    return newRow;
}

} // namespace oruhr
