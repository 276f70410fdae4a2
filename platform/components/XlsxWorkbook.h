#pragma once

#include <QString>
#include <QVariant>

#include <vector>

namespace oruhr {

// A workbook of one worksheet, kept in memory and written as an .xlsx file with libxlsxwriter.
class XlsxWorkbook {
public:
    // Row and column from 1, as a spreadsheet counts them; the sheet grows as needed.
    void setCell(int row, int column, const QVariant &value);
    const QVariant &cell(int row, int column) const;
    int rowCount() const { return int(m_rows.size()); }

    // Right to left, for Persian lists. Throws ComponentError with libxlsxwriter's reason.
    void save(const QString &file) const;

private:
    std::vector<std::vector<QVariant>> m_rows;
};

} // namespace oruhr
