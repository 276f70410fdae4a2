#pragma once

// What the tests share: the framework, Qt, and the helpers and doubles of this folder.

#include "platform/automation/ComponentError.h"
#include "tests/support/ErrorNumber.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ScopedTempFolder.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SeededPayroll.h"
#include "tests/support/TestSession.h"

#include <QtSql>
#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>
