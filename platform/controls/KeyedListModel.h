#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace oruhr {

// One row of a keyed list: the item text (column 0, the check-box column) and sub-items.
struct ListItem {
    QString key;
    QStringList texts; // texts[0] the item text, texts[i] sub-item i
    bool checked = false;
    QString tag;
    // What the row stands for, kept typed for the window's own use; never shown.
    QVariant value{};
};

struct ListColumn {
    // How a header click sorts the column: by its numbers or by its (Persian) text.
    enum class SortAs { Text, Number };

    QString title;
    int widthTwips = 0;
    SortAs sortAs = SortAs::Text;
};

// A report-style list with check boxes: keyed rows of texts, a sort column, a sort order
// and automatic sorting by text. Rows live in one vector; no widget is made per cell, so
// tens of thousands of rows stay quick.
class KeyedListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setColumns(const QList<ListColumn> &columns);
    const QList<ListColumn> &columns() const { return m_columns; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void clear();
    // Appends in one step; while sorting is on, the rows take their sorted places.
    void appendItems(QList<ListItem> items);
    const ListItem &item(int row) const { return m_items[row]; }
    // For changing many texts or tags at once; call itemsChanged() afterwards.
    QList<ListItem> &items() { return m_items; }
    void itemsChanged();

    void setChecked(int row, bool checked);
    void setAllChecked(bool checked);
    int checkedCount() const;

    int sortKey() const { return m_sortKey; }
    void setSortKey(int column) { m_sortKey = column; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    void setSortOrder(Qt::SortOrder order) { m_sortOrder = order; }
    bool sorted() const { return m_sorted; }
    // Turning sorting on sorts at once, by the texts of the sort column.
    void setSorted(bool sorted);

private:
    // Sorts the rows and returns, for each old row, its new row.
    std::vector<qsizetype> sortItems();

    QList<ListColumn> m_columns;
    QList<ListItem> m_items;
    int m_sortKey = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_sorted = false;
};

} // namespace oruhr
