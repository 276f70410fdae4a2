#include "platform/database/DatabaseLog.h"

namespace oruhr {

// Debug lines (each statement sent) only when a logging rule asks for them.
Q_LOGGING_CATEGORY(lcDatabase, "oruhr.database", QtInfoMsg)

} // namespace oruhr
