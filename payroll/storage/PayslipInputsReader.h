#pragma once

#include "payroll/PayslipInputs.h"

namespace oruhr::db {
class StatementCache;
}

namespace oruhr::payroll {

// Everything entered for one employee and period, read in two round trips.
class PayslipInputsReader {
public:
    // Instalments already paid through payslipId (the one being recalculated) do not count
    // as paid. Throws ComponentError.
    static PayslipInputs read(db::StatementCache &statements, qint64 employeeId, QDate begin, QDate end,
                              qint64 payslipId);
};

} // namespace oruhr::payroll
