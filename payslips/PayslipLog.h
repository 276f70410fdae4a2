#pragma once

#include <QLoggingCategory>

namespace oruhr {

// The payslip window's failures that its handlers swallow on purpose.
Q_DECLARE_LOGGING_CATEGORY(lcPayslips)

} // namespace oruhr
