#include "documents/DocumentLog.h"

namespace oruhr {

Q_LOGGING_CATEGORY(lcDocuments, "oruhr.documents", QtInfoMsg)

} // namespace oruhr
