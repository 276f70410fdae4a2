#include "shell/ModMain.h"

#include "shell/DtEn.h"

namespace oruhr {

void ModMain::ConnectDataEnvironment()
{
    DtEn::instance().connection().setConnectionString(ActiveConnectionString);
}

} // namespace oruhr
