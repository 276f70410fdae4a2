#pragma once

#include "payslips/EmployeeRow.h"

#include <QList>
#include <QString>

namespace oruhr {

class EmployeeListWindow;

// The payslip window's way into the missing salary-factor check.
class MissingFactorCheck {
public:
    // The employee IDs of every row, checked or not, as " 3, 1, 7" without its leading
    // comma; empty for an empty list.
    static QString employeeIds(const QList<EmployeeRow> &rows);

    // Shows the check for the listed employees over the period; a database failure is told
    // to the user.
    static void show(EmployeeListWindow &window);
};

} // namespace oruhr
