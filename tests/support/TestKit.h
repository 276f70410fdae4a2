#pragma once

// What the tests share: the framework, Qt, and the helpers and doubles of this folder.

#include "platform/automation/ComponentError.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ScopedTempFolder.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SeededPayroll.h"
#include "tests/support/TestSession.h"

#include <QtSql>
#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <functional>

namespace oruhr::test {

// The number of the ComponentError that action raises, 0 when it raises none.
inline int errorNumber(const std::function<void()> &action)
{
    try {
        action();
    } catch (const ComponentError &error) {
        return error.number();
    }
    return 0;
}

} // namespace oruhr::test
