#pragma once

#include <QLoggingCategory>

namespace oruhr {

// The control and its session.
Q_DECLARE_LOGGING_CATEGORY(lcShell)

} // namespace oruhr
