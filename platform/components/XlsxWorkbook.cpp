#include "platform/components/XlsxWorkbook.h"

#include "platform/automation/ComponentError.h"
#include "platform/components/SpreadsheetErrors.h"

#include <QRegularExpression>

#include <xlsxwriter.h>

#include <algorithm>

namespace oruhr {
namespace {

constexpr int MaxRows = 1048576;
constexpr int MaxColumns = 16384;

[[noreturn]] void fail(lxw_error error)
{
    throw ComponentError(SpreadsheetErrors::ObjectDefined,
                         QStringLiteral("فايل اکسل نوشته نشد: ") + QString::fromUtf8(lxw_strerror(error)));
}

// A text that a spreadsheet would take for a number goes in as one, as the spreadsheet
// application does when a text is assigned to a cell; a code with leading zeros stays text.
bool isWholeNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^(0|-?[1-9][0-9]{0,14})$"));
    return number.match(text).hasMatch();
}

} // namespace

void XlsxWorkbook::setCell(int row, int column, const QVariant &value)
{
    if (row < 1 || row > MaxRows || column < 1 || column > MaxColumns)
        throw ComponentError(SpreadsheetErrors::ObjectDefined,
                             QStringLiteral("خانه (%1، %2) در کاربرگ نيست.").arg(row).arg(column));
    if (size_t(row) > m_rows.size())
        m_rows.resize(size_t(row));
    std::vector<QVariant> &cells = m_rows[size_t(row - 1)];
    if (size_t(column) > cells.size())
        cells.resize(size_t(column));
    cells[size_t(column - 1)] = value;
}

const QVariant &XlsxWorkbook::cell(int row, int column) const
{
    static const QVariant empty;
    if (row < 1 || size_t(row) > m_rows.size())
        return empty;
    const std::vector<QVariant> &cells = m_rows[size_t(row - 1)];
    return column < 1 || size_t(column) > cells.size() ? empty : cells[size_t(column - 1)];
}

void XlsxWorkbook::save(const QString &file) const
{
    // Rows are written in order, so the constant-memory mode keeps big lists small in memory.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray fileName = file.toUtf8();
    lxw_workbook *workbook = workbook_new_opt(fileName.constData(), &options);
    if (!workbook)
        fail(LXW_ERROR_CREATING_TMPFILE);
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    worksheet_right_to_left(sheet);

    std::vector<int> widths;
    lxw_error error = LXW_NO_ERROR;
    for (size_t r = 0; r < m_rows.size() && error == LXW_NO_ERROR; ++r) {
        const std::vector<QVariant> &cells = m_rows[r];
        if (widths.size() < cells.size())
            widths.resize(cells.size(), 8);
        for (size_t c = 0; c < cells.size() && error == LXW_NO_ERROR; ++c) {
            if (!cells[c].isValid())
                continue;
            const QString text = cells[c].toString();
            widths[c] = std::max(widths[c], std::min(60, int(text.size()) + 2));
            if (isWholeNumber(text))
                error = worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), text.toDouble(), nullptr);
            else
                error = worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), text.toUtf8().constData(), nullptr);
        }
    }
    for (size_t c = 0; c < widths.size() && error == LXW_NO_ERROR; ++c)
        error = worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    const lxw_error closed = workbook_close(workbook);
    if (error != LXW_NO_ERROR)
        fail(error);
    if (closed != LXW_NO_ERROR)
        fail(closed);
}

} // namespace oruhr
