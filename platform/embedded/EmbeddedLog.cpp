#include "platform/embedded/EmbeddedLog.h"

namespace oruhr {

Q_LOGGING_CATEGORY(lcEmbedded, "oruhr.embedded", QtInfoMsg)

} // namespace oruhr
