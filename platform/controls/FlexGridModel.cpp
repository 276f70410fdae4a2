#include "platform/controls/FlexGridModel.h"

namespace oruhr {

FlexGridModel::FlexGridModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_cells(1)
{
}

void FlexGridModel::setRows(int rows)
{
    rows = qMax(rows, 1);
    const int current = this->rows();
    if (rows < current) {
        beginRemoveRows({}, rows - 1, current - 2);
        m_cells.resize(rows);
        endRemoveRows();
    } else if (rows > current) {
        beginInsertRows({}, current - 1, rows - 2);
        m_cells.resize(rows, QStringList(cols(), QString()));
        endInsertRows();
    }
}

void FlexGridModel::setCols(int cols)
{
    cols = qMax(cols, 0);
    const int current = this->cols();
    if (cols == current)
        return;
    if (cols < current)
        beginRemoveColumns({}, cols, current - 1);
    else
        beginInsertColumns({}, current, cols - 1);
    for (QStringList &row : m_cells)
        row.resize(cols);
    m_alignments.resize(cols, AlignLeftCenter);
    if (cols < current)
        endRemoveColumns();
    else
        endInsertColumns();
}

void FlexGridModel::addRow()
{
    setRows(rows() + 1);
}

bool FlexGridModel::contains(int row, int col) const
{
    return row >= 0 && row < rows() && col >= 0 && col < cols();
}

QString FlexGridModel::text(int row, int col) const
{
    return contains(row, col) ? m_cells[row][col] : QString();
}

void FlexGridModel::setText(int row, int col, const QString &text)
{
    if (!contains(row, col))
        return;
    m_cells[row][col] = text;
    if (row == 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
    } else {
        const QModelIndex cell = index(row - 1, col);
        Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

int FlexGridModel::alignment(int col) const
{
    return col >= 0 && col < cols() ? m_alignments[col] : AlignLeftCenter;
}

void FlexGridModel::setAlignment(int col, int alignment)
{
    if (col < 0 || col >= cols())
        return;
    m_alignments[col] = alignment;
    Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
    if (rows() > 1)
        Q_EMIT dataChanged(index(0, col), index(rows() - 2, col), {Qt::TextAlignmentRole});
}

Qt::Alignment FlexGridModel::qtAlignment(int col) const
{
    switch (alignment(col)) {
    case AlignCenterCenter:
        return Qt::AlignCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter; // mirrored in a right-to-left view
    }
}

int FlexGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows() - 1;
}

int FlexGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : cols();
}

QVariant FlexGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    // The tooltip shows a text that a narrow column cuts off.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return text(index.row() + 1, index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(qtAlignment(index.column()));
    return {};
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return text(0, section);
    if (role == Qt::TextAlignmentRole) // the fixed row has its own alignment, centred
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

} // namespace oruhr
