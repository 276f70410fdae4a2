#pragma once

namespace oruhr {

// Which employees the payslip window lists; None only before a mode option is selected.
enum class EmployeeListMode { WithoutPayslip, FinalSaved, TempSaved, None };

} // namespace oruhr
