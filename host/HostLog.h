#pragma once

#include <QLoggingCategory>

namespace oruhr {

// The host program.
Q_DECLARE_LOGGING_CATEGORY(lcHost)

} // namespace oruhr
