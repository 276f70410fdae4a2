#include "platform/components/ComponentsLog.h"

namespace oruhr {

Q_LOGGING_CATEGORY(lcComponents, "oruhr.components", QtInfoMsg)

} // namespace oruhr
