#include "platform/automation/ComponentError.h"
#include "platform/automation/ComponentRegistry.h"

#include <gtest/gtest.h>

using namespace oruhr;

TEST(ComponentRegistry, MissingIdentifierRaises429)
{
    try {
        ComponentRegistry::instance().create(QStringLiteral("Nothing.Registered"));
        FAIL() << "expected ComponentError";
    } catch (const ComponentError &error) {
        EXPECT_EQ(error.number(), 429);
    }
}
