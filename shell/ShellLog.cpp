#include "shell/ShellLog.h"

namespace oruhr {

Q_LOGGING_CATEGORY(lcShell, "oruhr.shell", QtInfoMsg)

} // namespace oruhr
