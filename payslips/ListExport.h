#pragma once

class QPushButton;

namespace oruhr {

class ComponentRegistry;
class KeyedListModel;

// The employee list copied into a new spreadsheet workbook that is then shown to the user.
class ListExport {
public:
    // Code, first name and surname of each row into columns 1 to 3 from row 1, no header.
    // Throws ComponentError.
    static void toSpreadsheet(const ComponentRegistry &components, const KeyedListModel &rows);

    // The export button's handler: the button is disabled while it runs and enabled again
    // afterwards; a failure is told with the spreadsheet's description.
    static void ExportListToExcel(const ComponentRegistry &components, QPushButton &button,
                                  const KeyedListModel &rows);
};

} // namespace oruhr
