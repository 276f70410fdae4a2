#pragma once

#include "platform/controls/FlexGridModel.h"

#include <QTableView>

namespace oruhr {

// A read-only grid of texts addressed as a flex grid is: row 0 is the fixed header row,
// data rows start at 1; column widths are in twips (0 hides the column) and alignments in
// the flex grid's numbers (FlexGridModel).
class FlexGrid : public QTableView {
    Q_OBJECT

public:
    explicit FlexGrid(QWidget *parent = nullptr);

    FlexGridModel &cells() const { return *m_model; }

    int rows() const { return m_model->rows(); }
    void setRows(int rows) { m_model->setRows(rows); }
    int cols() const { return m_model->cols(); }
    void setCols(int cols);
    void addItem() { m_model->addRow(); }

    QString textMatrix(int row, int col) const { return m_model->text(row, col); }
    void setTextMatrix(int row, int col, const QString &text) { m_model->setText(row, col, text); }
    int colAlignment(int col) const { return m_model->alignment(col); }
    void setColAlignment(int col, int alignment) { m_model->setAlignment(col, alignment); }
    int colWidth(int col) const;
    void setColWidth(int col, int twips);

protected:
    void changeEvent(QEvent *event) override;

private:
    void fitRowsToFont();

    FlexGridModel *m_model;
    QList<int> m_widths; // twips, as set
};

} // namespace oruhr
