#include "platform/database/DatabaseLog.h"

namespace oruhr {

Q_LOGGING_CATEGORY(lcDatabase, "oruhr.database")

} // namespace oruhr
