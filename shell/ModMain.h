#pragma once

#include "platform/automation/ComponentRegistry.h"
#include "shell/DtEn.h"

#include <QString>

namespace oruhr {

// The session of one control: copies of the calling control's values taken at each
// window-opening call, the application folder, and the data environment. The control owns
// it and hands it to its windows, which read these values, never the control's, and reach
// components through its registry.
class ModMain {
public:
    QString ActiveConnectionString;
    qint16 ActiveUserID = 0;
    qint16 ActivePositionID = 0;
    qint16 ActiveEmployeeID = 0;
    // The application folder (system parameter 140), used as a prefix as it is stored.
    QString ApplicationFolder;

    DtEn &dtEn() { return m_dtEn; }
    // The components the session's windows create (messages, reports, spreadsheet, accounting).
    ComponentRegistry &components() { return m_components; }

    // Points the data environment's one connection at ActiveConnectionString, for
    // ActiveUserID. The connection stays closed; it opens with the new string at its first use.
    void ConnectDataEnvironment();

private:
    ComponentRegistry m_components;
    DtEn m_dtEn;
};

} // namespace oruhr
