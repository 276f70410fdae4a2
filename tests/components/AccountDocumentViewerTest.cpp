#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"
#include "platform/components/AccountDocumentViewer.h"
#include "platform/components/StandardComponents.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTableWidget>

using namespace oruhr;
using namespace oruhr::test;

namespace {

class AccountDocumentViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO tblAccountDocument (ID, Code, DocumentDate, Description) VALUES "
                               "(41, '5041', '2026-12-21', 'سند فيش حقوق ماه 1405/09')"));
        db.exec(QStringLiteral("INSERT INTO tblAccountDocumentDetail (ID, DocumentID, FormTypeID, TransactionDate, "
                               "Debit, Credit, Description) VALUES "
                               "(2, 41, 1402, '2026-12-21', 0, 1250000, 'حقوق پرداختني'), "
                               "(1, 41, 1402, '2026-12-21', 1250000, 0, 'هزينه حقوق'), "
                               "(3, 41, 1402, '2026-12-21', 500, 0, NULL), "
                               "(4, 40, 1402, '2026-12-21', 7, 0, 'سند ديگر')"));
    }

    // Shows the document through the component's members and hands the window to check.
    void view(const QString &connectionString, double number, std::function<void(QWidget *)> check)
    {
        registerStandardComponents();
        std::unique_ptr<QObject> component = ComponentRegistry::instance().create(QStringLiteral("comAccountDoc.comAccountDoc1"));
        ASSERT_NE(qobject_cast<AccountDocumentViewer *>(component.get()), nullptr);
        Dispatch::setProperty(*component, "UserID", QVariant::fromValue<qint16>(1));
        Dispatch::setProperty(*component, "PositionID", QVariant::fromValue<qint16>(0));
        Dispatch::setProperty(*component, "EmployeeID", QVariant::fromValue<qint16>(9));
        Dispatch::setProperty(*component, "OLEConnectionString", connectionString);
        bool shown = false;
        whenModalShown([&](QWidget *window) {
            shown = true;
            EXPECT_EQ(window->layoutDirection(), Qt::RightToLeft);
            check(window);
        });
        Dispatch::call(*component, "View", {number});
        EXPECT_TRUE(shown);
    }

    static QStringList row(QTableWidget *table, int r)
    {
        QStringList texts;
        for (int c = 0; c < table->columnCount(); ++c)
            texts << (table->item(r, c) ? table->item(r, c)->text() : QString());
        return texts;
    }

    TestDatabase db;
};

} // namespace

TEST_F(AccountDocumentViewerTest, ShowsTheHeaderAndTheLinesWithTheirTotals)
{
    view(db.connectionString(), 41, [](QWidget *window) {
        EXPECT_EQ(child<QLabel>(window, "lblDocumentId")->text(), QStringLiteral("41"));
        EXPECT_EQ(child<QLabel>(window, "lblCode")->text(), QStringLiteral("5041"));
        EXPECT_EQ(child<QLabel>(window, "lblDate")->text(), QStringLiteral("1405/09/30"));
        EXPECT_EQ(child<QLabel>(window, "lblDescription")->text(), QStringLiteral("سند فيش حقوق ماه 1405/09"));
        auto *lines = child<QTableWidget>(window, "lines");
        ASSERT_NE(lines, nullptr);
        ASSERT_EQ(lines->rowCount(), 3);
        EXPECT_EQ(row(lines, 0), QStringList({"1", QStringLiteral("هزينه حقوق"), "1,250,000", "0"}));
        EXPECT_EQ(row(lines, 1), QStringList({"2", QStringLiteral("حقوق پرداختني"), "0", "1,250,000"}));
        EXPECT_EQ(row(lines, 2), QStringList({"3", "", "500", "0"}));
        EXPECT_EQ(child<QLabel>(window, "lblTotalDebit")->text(), QStringLiteral("1,250,500"));
        EXPECT_EQ(child<QLabel>(window, "lblTotalCredit")->text(), QStringLiteral("1,250,000"));
        EXPECT_EQ(lines->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_FALSE(lines->item(0, 1)->flags() & Qt::ItemIsEditable);
    });
}

TEST_F(AccountDocumentViewerTest, ADocumentThatCannotBeReadIsToldInTheWindow)
{
    view(db.connectionString(), 40, [](QWidget *window) {
        EXPECT_EQ(child<QLabel>(window, "lblStatus")->text(), QStringLiteral("سند حسابداري با شماره رايانه اي 40 پيدا نشد."));
        EXPECT_EQ(window->findChild<QTableWidget *>(), nullptr);
    });
    TestDatabase other; // the same number in another database is not this one
    view(other.connectionString(), 41, [](QWidget *window) {
        EXPECT_TRUE(child<QLabel>(window, "lblStatus")->text().contains(QStringLiteral("پيدا نشد")));
    });
    view(QStringLiteral("0"), 41, [](QWidget *window) {
        EXPECT_TRUE(child<QLabel>(window, "lblStatus")->text().startsWith(QStringLiteral("سند حسابداري خوانده نشد: ")));
    });
}
