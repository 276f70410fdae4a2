#pragma once

#include <QLoggingCategory>

namespace oruhr {

// The stand-ins for the host product's components.
Q_DECLARE_LOGGING_CATEGORY(lcComponents)

} // namespace oruhr
