#pragma once

#include <QString>

namespace oruhr {

// Component-wide session state, shared by every control instance and window: copies of
// the calling control's values taken at each window-opening call. The windows read these,
// never the control.
class ModMain {
public:
    static inline QString ActiveConnectionString;
    static inline qint16 ActiveUserID = 0;
    static inline qint16 ActivePositionID = 0;
    static inline qint16 ActiveEmployeeID = 0;
    // The application folder (system parameter 140), used as a prefix as it is stored.
    static inline QString ApplicationFolder;

    // Points the data environment's one connection at ActiveConnectionString. The
    // connection stays closed; it opens with the new string at its first use.
    static void ConnectDataEnvironment();
};

} // namespace oruhr
