#include "documents/FormCheckDocs.h"
#include "payslips/FormMain.h"
#include "platform/controls/PelikDate.h"
#include "shell/ModMain.h"
#include "shell/OruHRPrintBatch1.h"
#include "shell/PropertyBag.h"
#include "tests/support/TestKit.h"

using namespace oruhr;
using namespace oruhr::test;

namespace {

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

TEST(OruHRPrintBatch1, TheStoredFormKeepsOnlyWhatDiffersFromTheDefaults)
{
    OruHRPrintBatch1 control;
    control.setUserID(-7);
    control.setOLEConnectionString(QStringLiteral("Provider=SQLite;Data Source=/tmp/p.db"));
    PropertyBag bag;
    control.writeProperties(bag);
    EXPECT_EQ(bag.values().keys(), QStringList({"OLEConnectionString", "UserID"}));

    OruHRPrintBatch1 restored;
    restored.setEmployeeID(5); // a missing entry restores the default, not what was there
    restored.setPositionID(9);
    bag.writeProperty(QStringLiteral("PositionID"), 70000, 0); // no 16-bit value: not wrapped round
    restored.readProperties(bag);
    EXPECT_EQ(std::tuple(restored.UserID(), restored.PositionID(), restored.OLEConnectionString(), restored.EmployeeID()),
              std::tuple(-7, 0, QStringLiteral("Provider=SQLite;Data Source=/tmp/p.db"), 0));
}

TEST_F(ControlOnDatabase, TempSaveAndClearShowOpenOnePayslipWindowInTheirModes)
{
    FormMain *opened = nullptr;
    whenModalShown([&](QWidget *window) {
        opened = qobject_cast<FormMain *>(window);
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("ثبت گروهي فيش حقوقي"));
        EXPECT_FALSE(opened->IsPrintMode);
        EXPECT_EQ(window->parentWidget(), nullptr);
        EXPECT_EQ(opened->datBeginDate->persianText(), QStringLiteral("1405/12/01"));
        EXPECT_EQ(opened->datEndDate->persianText(), QStringLiteral("1405/12/29"));
        EXPECT_FALSE(opened->datBeginDate->isEnabled());
    });
    EXPECT_FALSE(control.TempSaveMonthlySalary().isValid());
    EXPECT_EQ(opened, &control.formMain());
    const ModMain &session = control.session();
    EXPECT_EQ(std::tuple(session.ActiveConnectionString, session.ActiveUserID, session.ActivePositionID,
                         session.ActiveEmployeeID, session.ApplicationFolder),
              std::tuple(db.connectionString(), -3, 4, 9, QStringLiteral("/opt/salvo/")));

    whenModalShown([&](QWidget *window) {
        EXPECT_EQ(window, opened);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("چاپ گروهي فيش حقوقي"));
        EXPECT_TRUE(opened->IsPrintMode);
    });
    EXPECT_FALSE(control.ClearShow().isValid());
}

TEST_F(ControlOnDatabase, ShowDocsOpensTheDocumentWindowAndTheLastOpeningCallWins)
{
    whenModalShown([&](QWidget *window) {
        ASSERT_NE(qobject_cast<FormCheckDocs *>(window), nullptr);
        EXPECT_EQ(window->windowTitle(), QString());
    });
    EXPECT_FALSE(control.ShowDocs());

    TestDatabase other;
    control.setOLEConnectionString(other.connectionString());
    control.setUserID(2);
    whenModalShown([](QWidget *) {});
    control.ShowDocs();
    EXPECT_EQ(std::tuple(control.session().ActiveConnectionString, control.session().ActiveUserID),
              std::tuple(other.connectionString(), 2));

    // A second control has a session and windows of its own.
    OruHRPrintBatch1 second;
    second.setOLEConnectionString(db.connectionString());
    whenModalShown([](QWidget *) {});
    second.ShowDocs();
    EXPECT_NE(&second.formCheckDocs(), &control.formCheckDocs());
    EXPECT_EQ(std::tuple(second.session().ActiveConnectionString, second.session().ActiveUserID),
              std::tuple(db.connectionString(), 0));
    EXPECT_EQ(control.session().ActiveConnectionString, other.connectionString());
}

TEST(OruHRPrintBatch1, ACallThatCannotReachItsDatabaseFailsWithoutShowingAWindow)
{
    OruHRPrintBatch1 control;
    NoModalExpected noWindow;
    EXPECT_EQ(errorNumber([&] { control.TempSaveMonthlySalary(); }), ComponentError::ProviderNotFound);
    EXPECT_EQ(errorNumber([&] { control.ClearShow(); }), ComponentError::ProviderNotFound);
    EXPECT_EQ(errorNumber([&] { control.ShowDocs(); }), ComponentError::ProviderNotFound);
    EXPECT_EQ(noWindow.shown, 0);
}
