#include "shell/ModMain.h"

#include <QCoreApplication>

namespace oruhr {

void ModMain::ConnectDataEnvironment()
{
    // The server's list of sessions then tells which clerk holds a lock.
    m_dtEn.connection().setApplicationName(
        QStringLiteral("%1 user %2").arg(QCoreApplication::applicationName()).arg(ActiveUserID));
    m_dtEn.connection().setConnectionString(ActiveConnectionString);
}

} // namespace oruhr
