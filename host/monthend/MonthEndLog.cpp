#include "host/monthend/MonthEndLog.h"

namespace oruhr {

Q_LOGGING_CATEGORY(lcMonthEnd, "oruhr.monthend", QtInfoMsg)

} // namespace oruhr
