#pragma once

#include <QLoggingCategory>

namespace oruhr {

// The database layer: connections opened and closed, failures passed over.
Q_DECLARE_LOGGING_CATEGORY(lcDatabase)

} // namespace oruhr
