#include "payslips/PayslipLog.h"

namespace oruhr {

Q_LOGGING_CATEGORY(lcPayslips, "oruhr.payslips", QtInfoMsg)

} // namespace oruhr
