#include "platform/embedded/EmbeddedLog.h"

namespace oruhr {

Q_LOGGING_CATEGORY(lcEmbedded, "oruhr.embedded")

} // namespace oruhr
