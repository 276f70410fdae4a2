#include "shell/ModMain.h"

#include "shell/DtEn.h"

namespace oruhr {

void ModMain::ConnectDataEnvironment()
{
    db::Connection &connection = DtEn::instance().connection();
    connection.close();
    connection.setConnectionString(ActiveConnectionString);
}

} // namespace oruhr
