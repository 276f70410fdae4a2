#include "payslips/ListExport.h"

#include "common/BusyCursor.h"
#include "common/MessageText.h"
#include "common/Messages.h"
#include "platform/automation/ComponentError.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"
#include "platform/components/SpreadsheetApplication.h"
#include "platform/controls/KeyedListModel.h"

#include <QPushButton>

namespace oruhr {

void ListExport::toSpreadsheet(const ComponentRegistry &components, const KeyedListModel &rows)
{
    std::unique_ptr<QObject> spreadsheet = components.create(QString::fromLatin1(SpreadsheetApplication::progId));
    Dispatch::call(*spreadsheet, "AddWorkbook");
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QStringList &texts = rows.item(row).texts;
        // texts[0] is the empty check-box column, which is not exported.
        for (int subItem = 1; subItem < texts.size(); ++subItem)
            Dispatch::call(*spreadsheet, "SetCellValue", {row + 1, subItem, texts[subItem]});
    }
    Dispatch::setProperty(*spreadsheet, "Visible", true);
}

void ListExport::ExportListToExcel(const ComponentRegistry &components, QPushButton &button,
                                   const KeyedListModel &rows)
{
    button.setEnabled(false);
    BusyCursor busy;
    try {
        toSpreadsheet(components, rows);
    } catch (const ComponentError &error) {
        button.setEnabled(true);
        busy.restore();
        ShowMessage(components, MessageText::TitleExcelFailure, error.description());
        return;
    }
    button.setEnabled(true);
}

} // namespace oruhr
