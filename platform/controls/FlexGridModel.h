#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

namespace oruhr {

// The cells of a FlexGrid. Grid row 0 is the fixed header row, shown as the view's header;
// grid row r > 0 is model row r - 1. Alignments use the flex grid's own numbers.
class FlexGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int AlignLeftCenter = 1;
    static constexpr int AlignCenterCenter = 4;

    explicit FlexGridModel(QObject *parent = nullptr);

    // Grid rows, the header row included; at least 1.
    int rows() const { return int(m_cells.size()); }
    void setRows(int rows);
    int cols() const { return int(m_alignments.size()); }
    void setCols(int cols);
    // Appends an empty row.
    void addRow();

    // Out of range reads give an empty text and writes change nothing.
    QString text(int row, int col) const;
    void setText(int row, int col, const QString &text);
    int alignment(int col) const;
    void setAlignment(int col, int alignment);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool contains(int row, int col) const;
    Qt::Alignment qtAlignment(int col) const;

    QList<QStringList> m_cells; // grid rows, each with cols() texts
    QList<int> m_alignments;
};

} // namespace oruhr
