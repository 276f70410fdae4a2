#include "common/CommonLog.h"

namespace oruhr {

Q_LOGGING_CATEGORY(lcCommon, "oruhr.common", QtInfoMsg)

} // namespace oruhr
