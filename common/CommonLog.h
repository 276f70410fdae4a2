#pragma once

#include <QLoggingCategory>

namespace oruhr {

// The shared routines' failures that are swallowed on purpose.
Q_DECLARE_LOGGING_CATEGORY(lcCommon)

} // namespace oruhr
