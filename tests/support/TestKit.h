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

// What a program prints; the test fails when the program cannot run or ends badly.
inline QByteArray outputOf(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << qPrintable(program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '))) << ": "
        << process.readAllStandardError().constData();
    return process.readAllStandardOutput();
}

} // namespace oruhr::test
