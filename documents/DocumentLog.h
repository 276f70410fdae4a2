#pragma once

#include <QLoggingCategory>

namespace oruhr {

// The document window's failures that its handlers swallow on purpose.
Q_DECLARE_LOGGING_CATEGORY(lcDocuments)

} // namespace oruhr
