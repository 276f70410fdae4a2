#include "shell/ModMain.h"

namespace oruhr {

void ModMain::ConnectDataEnvironment()
{
    m_dtEn.connection().setConnectionString(ActiveConnectionString);
}

} // namespace oruhr
