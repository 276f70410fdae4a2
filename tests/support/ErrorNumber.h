#pragma once

#include "platform/automation/ComponentError.h"

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
