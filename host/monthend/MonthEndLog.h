#pragma once

#include <QLoggingCategory>

namespace oruhr {

// The month end's actions, from the command line or the host.
Q_DECLARE_LOGGING_CATEGORY(lcMonthEnd)

} // namespace oruhr
