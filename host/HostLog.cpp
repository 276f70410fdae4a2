#include "host/HostLog.h"

namespace oruhr {

Q_LOGGING_CATEGORY(lcHost, "oruhr.host", QtInfoMsg)

} // namespace oruhr
