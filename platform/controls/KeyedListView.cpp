#include "platform/controls/KeyedListView.h"

#include "platform/controls/KeyedListModel.h"
#include "platform/controls/Twips.h"

#include <QHeaderView>

namespace oruhr {

KeyedListView::KeyedListView(QWidget *parent)
    : QTreeView(parent)
    , m_model(new KeyedListModel(this))
{
    setModel(m_model);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    connect(header(), &QHeaderView::sectionClicked, this, &KeyedListView::columnClick);
}

void KeyedListView::resetColumns(const QList<ListColumn> &columns)
{
    m_model->setSorted(false);
    m_model->setSortKey(0);
    m_model->setSortOrder(Qt::AscendingOrder);
    m_model->setColumns(columns);
    applyColumnWidths();
    showSortIndicator();
}

void KeyedListView::applyColumnWidths()
{
    const auto &columns = m_model->columns();
    for (int i = 0; i < columns.size(); ++i) {
        const int width = qRound(twipsToPixels(columns[i].widthTwips, logicalDpiX()));
        setColumnHidden(i, width == 0);
        setColumnWidth(i, width);
    }
}

void KeyedListView::showSortIndicator()
{
    header()->setSortIndicatorShown(m_model->sorted());
    header()->setSortIndicator(m_model->sortKey(), m_model->sortOrder());
}

} // namespace oruhr
