#pragma once

#include "platform/embedded/EmbeddedProcedures.h"
#include "shell/ModMain.h"

#include <memory>

namespace oruhr::test {

// A session whose data environment carries the embedded procedures, as the host program
// sets one up.
class TestSession : public ModMain {
public:
    TestSession() { dtEn().connection().setLocalProcedures(std::make_shared<embedded::EmbeddedProcedures>()); }

    void connectTo(const QString &connectionString)
    {
        ActiveConnectionString = connectionString;
        ConnectDataEnvironment();
    }
};

} // namespace oruhr::test
