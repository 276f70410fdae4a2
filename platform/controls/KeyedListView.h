#pragma once

#include <QList>
#include <QTreeView>

namespace oruhr {

class KeyedListModel;
struct ListColumn;

// The report-style view of a KeyedListModel: check boxes in the first column, column
// widths in twips, and a notification when a column header is clicked (the window
// decides how to sort).
class KeyedListView : public QTreeView {
    Q_OBJECT

public:
    explicit KeyedListView(QWidget *parent = nullptr);

    KeyedListModel *listModel() const { return m_model; }
    // Column widths follow the model's columns; call after setting them.
    void applyColumnWidths();
    // Fresh columns, in the order the rows come: not sorted, sort key 0 ascending.
    void resetColumns(const QList<ListColumn> &columns);
    // Shows the model's sort column and order on the header.
    void showSortIndicator();

Q_SIGNALS:
    void columnClick(int column);

private:
    KeyedListModel *m_model;
};

} // namespace oruhr
