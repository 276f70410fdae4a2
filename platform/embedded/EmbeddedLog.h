#pragma once

#include <QLoggingCategory>

namespace oruhr {

// The embedded database and its payroll procedures.
Q_DECLARE_LOGGING_CATEGORY(lcEmbedded)

} // namespace oruhr
