#include "documents/FormCheckDocs.h"
#include "payslips/FormMain.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/PelikDate.h"
#include "shell/ModMain.h"
#include "shell/OruHRPrintBatch1.h"
#include "shell/PropertyBag.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTimer>

using namespace oruhr;
using namespace oruhr::test;

namespace {

// Closes any modal window that shows while it lives, and remembers that one did.
struct ModalGuard {
    bool shown = false;
    QTimer timer;
    ModalGuard()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                shown = true;
                modal->close();
            }
        });
        timer.start();
    }
};

class ControlOnDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (140, '/opt/salvo/'), "
                               "(3450, '1405/12/01')"));
        control.setOLEConnectionString(db.connectionString());
        control.setUserID(-3);
        control.setPositionID(4);
        control.setEmployeeID(9);
    }

    TestDatabase db;
    OruHRPrintBatch1 control;
};

} // namespace

TEST(OruHRPrintBatch1, StartsWithTheDefaults)
{
    OruHRPrintBatch1 control;
    EXPECT_EQ(control.UserID(), 0);
    EXPECT_EQ(control.PositionID(), 0);
    EXPECT_EQ(control.OLEConnectionString(), QStringLiteral("0"));
    EXPECT_EQ(control.EmployeeID(), 0);
}

TEST(OruHRPrintBatch1, EachSetTellsTheHostWhichPropertyChanged)
{
    OruHRPrintBatch1 control;
    QSignalSpy changed(&control, &OruHRPrintBatch1::propertyChanged);
    control.setUserID(1);
    control.setPositionID(2);
    control.setOLEConnectionString(QStringLiteral("x"));
    control.setEmployeeID(3);
    QStringList names;
    for (const QList<QVariant> &arguments : changed)
        names << arguments.first().toString();
    EXPECT_EQ(names, QStringList({QStringLiteral("UserID"), QStringLiteral("PositionID"),
                                  QStringLiteral("OLEConnectionString"), QStringLiteral("EmployeeID")}));
}

TEST(OruHRPrintBatch1, StoredFormKeepsOnlyWhatDiffersFromTheDefaults)
{
    OruHRPrintBatch1 control;
    PropertyBag bag;
    control.writeProperties(bag);
    EXPECT_TRUE(bag.values().isEmpty());

    control.setUserID(-7);
    control.setOLEConnectionString(QStringLiteral("Provider=SQLite;Data Source=/tmp/p.db"));
    control.writeProperties(bag);
    EXPECT_EQ(bag.values().keys(), QStringList({QStringLiteral("OLEConnectionString"), QStringLiteral("UserID")}));

    OruHRPrintBatch1 restored;
    restored.setEmployeeID(5); // a missing entry restores the default, not what was there
    restored.readProperties(bag);
    EXPECT_EQ(restored.UserID(), -7);
    EXPECT_EQ(restored.OLEConnectionString(), QStringLiteral("Provider=SQLite;Data Source=/tmp/p.db"));
    EXPECT_EQ(restored.EmployeeID(), 0);
    EXPECT_EQ(restored.PositionID(), 0);

    bag.writeProperty(QStringLiteral("UserID"), 70000, 0); // no 16-bit value: not wrapped round
    restored.readProperties(bag);
    EXPECT_EQ(restored.UserID(), 0);
}

TEST_F(ControlOnDatabase, TempSaveOpensThePayslipWindowInRegistrationMode)
{
    FormMain *opened = nullptr;
    whenModalShown([&](QWidget *window) {
        opened = qobject_cast<FormMain *>(window);
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("ثبت گروهي فيش حقوقي"));
        EXPECT_FALSE(opened->IsPrintMode);
        EXPECT_EQ(window->parentWidget(), nullptr);
        EXPECT_TRUE(window->isModal());
        EXPECT_EQ(opened->datBeginDate->persianText(), QStringLiteral("1405/12/01"));
        EXPECT_EQ(opened->datEndDate->persianText(), QStringLiteral("1405/12/29"));
        EXPECT_FALSE(opened->datBeginDate->isEnabled());
    });
    const QVariant result = control.TempSaveMonthlySalary();
    EXPECT_FALSE(result.isValid());
    EXPECT_EQ(opened, &OruHRPrintBatch1::formMain());
    EXPECT_EQ(ModMain::ActiveConnectionString, db.connectionString());
    EXPECT_EQ(ModMain::ActiveUserID, -3);
    EXPECT_EQ(ModMain::ActivePositionID, 4);
    EXPECT_EQ(ModMain::ActiveEmployeeID, 9);
    EXPECT_EQ(ModMain::ApplicationFolder, QStringLiteral("/opt/salvo/"));
}

TEST_F(ControlOnDatabase, ClearShowReusesTheWindowInPrintMode)
{
    QWidget *first = nullptr;
    whenModalShown([&](QWidget *window) { first = window; });
    control.TempSaveMonthlySalary();
    whenModalShown([&](QWidget *window) {
        EXPECT_EQ(window, first);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("چاپ گروهي فيش حقوقي"));
        EXPECT_TRUE(qobject_cast<FormMain *>(window)->IsPrintMode);
    });
    EXPECT_FALSE(control.ClearShow().isValid());
}

TEST_F(ControlOnDatabase, ShowDocsOpensTheDocumentWindowAndReturnsFalse)
{
    whenModalShown([&](QWidget *window) {
        ASSERT_NE(qobject_cast<FormCheckDocs *>(window), nullptr);
        EXPECT_EQ(window->windowTitle(), QString());
    });
    EXPECT_FALSE(control.ShowDocs());
}

TEST_F(ControlOnDatabase, LastOpeningCallWinsForTheWholeComponent)
{
    TestDatabase other;
    OruHRPrintBatch1 second;
    second.setOLEConnectionString(other.connectionString());
    second.setUserID(2);
    whenModalShown([](QWidget *) {});
    control.ShowDocs();
    whenModalShown([](QWidget *) {});
    second.ShowDocs();
    EXPECT_EQ(ModMain::ActiveConnectionString, other.connectionString());
    EXPECT_EQ(ModMain::ActiveUserID, 2);
}

TEST(OruHRPrintBatch1, AControlWithoutPropertiesFailsWithoutShowingAWindow)
{
    OruHRPrintBatch1 control;
    for (const auto &call : {std::function<void()>([&] { control.TempSaveMonthlySalary(); }),
                             std::function<void()>([&] { control.ClearShow(); }),
                             std::function<void()>([&] { control.ShowDocs(); })}) {
        ModalGuard guard;
        try {
            call();
            ADD_FAILURE() << "expected the call to fail";
        } catch (const ComponentError &error) {
            EXPECT_EQ(error.number(), ComponentError::ProviderNotFound);
            EXPECT_FALSE(error.description().isEmpty());
        }
        EXPECT_FALSE(guard.shown);
        EXPECT_FALSE(OruHRPrintBatch1::formMain().isVisible());
    }
    EXPECT_EQ(ModMain::ActiveConnectionString, QStringLiteral("0"));
    EXPECT_EQ(ModMain::ActiveUserID, 0);
}

TEST(OruHRPrintBatch1, ADatabaseThatLostATableFailsTheCall)
{
    TestDatabase db;
    db.exec(QStringLiteral("DROP TABLE tblPelikSystemParameters"));
    OruHRPrintBatch1 control;
    control.setOLEConnectionString(db.connectionString());
    ModalGuard guard;
    try {
        control.TempSaveMonthlySalary();
        ADD_FAILURE() << "expected the call to fail";
    } catch (const ComponentError &error) {
        EXPECT_EQ(error.number(), ComponentError::CommandFailed);
        EXPECT_TRUE(error.description().contains(QStringLiteral("tblPelikSystemParameters")));
    }
    EXPECT_FALSE(guard.shown);
}
