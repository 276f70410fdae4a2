#include "platform/controls/FlexGrid.h"

#include "platform/controls/Twips.h"

#include <QEvent>
#include <QHeaderView>

namespace oruhr {
namespace {

constexpr int defaultColumnTwips = 960;

} // namespace

FlexGrid::FlexGrid(QWidget *parent)
    : QTableView(parent)
    , m_model(new FlexGridModel(this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    fitRowsToFont();
}

void FlexGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitRowsToFont();
}

// Rows as tall as a line of text, as a flex grid's are, rather than the style's roomier rows.
void FlexGrid::fitRowsToFont()
{
    const int height = fontMetrics().height() + 6;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}

void FlexGrid::setCols(int cols)
{
    const int before = this->cols();
    m_model->setCols(cols);
    m_widths.resize(this->cols(), defaultColumnTwips);
    for (int col = before; col < this->cols(); ++col)
        setColWidth(col, defaultColumnTwips);
}

int FlexGrid::colWidth(int col) const
{
    return col >= 0 && col < m_widths.size() ? m_widths[col] : 0;
}

void FlexGrid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= m_widths.size())
        return;
    m_widths[col] = qMax(twips, 0);
    const int pixels = qRound(twipsToPixels(m_widths[col], logicalDpiX()));
    setColumnHidden(col, pixels == 0);
    setColumnWidth(col, pixels);
}

} // namespace oruhr
