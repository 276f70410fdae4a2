#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"
#include "platform/components/StandardComponents.h"
#include "tests/support/TestKit.h"

using namespace oruhr;
using namespace oruhr::test;

// The document's header and lines with their totals, or the status saying why there are none.
TEST(AccountDocumentViewer, ShowsTheHeaderAndTheLinesWithTheirTotalsOrWhyItCannot)
{
    TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO tblAccountDocument (ID, Code, DocumentDate, Description) VALUES "
                           "(41, '5041', '2026-12-21', 'سند فيش حقوق ماه 1405/09')"));
    db.exec(QStringLiteral("INSERT INTO tblAccountDocumentDetail (ID, DocumentID, FormTypeID, TransactionDate, "
                           "Debit, Credit, Description) VALUES (2, 41, 1402, '2026-12-21', 0, 1250000, 'حقوق پرداختني'), "
                           "(1, 41, 1402, '2026-12-21', 1250000, 0, 'هزينه حقوق'), (3, 41, 1402, '2026-12-21', 500, 0, NULL), "
                           "(4, 40, 1402, '2026-12-21', 7, 0, 'سند ديگر')"));
    registerStandardComponents();
    const auto view = [](const QString &connectionString, double number) {
        const auto component = ComponentRegistry::instance().create(QStringLiteral("comAccountDoc.comAccountDoc1"));
        Dispatch::setProperty(*component, "OLEConnectionString", connectionString);
        QStringList shown;
        whenModalShown([&](QWidget *window) {
            auto *lines = window->findChild<QTableWidget *>(QStringLiteral("lines"));
            if (!lines) {
                shown << child<QLabel>(window, "lblStatus")->text();
                return;
            }
            for (const char *label : {"lblDocumentId", "lblCode", "lblDate", "lblDescription", "lblTotalDebit", "lblTotalCredit"})
                shown << child<QLabel>(window, label)->text();
            for (int r = 0; r < lines->rowCount(); ++r)
                for (int c = 0; c < lines->columnCount(); ++c)
                    shown << (lines->item(r, c) ? lines->item(r, c)->text() : QString());
        });
        Dispatch::call(*component, "View", {number});
        return shown;
    };
    EXPECT_EQ(view(db.connectionString(), 41),
              QStringList({"41", "5041", "1405/09/30", "سند فيش حقوق ماه 1405/09", "1,250,500", "1,250,000",
                           "1", "هزينه حقوق", "1,250,000", "0", "2", "حقوق پرداختني", "0", "1,250,000", "3", "", "500", "0"}));
    EXPECT_EQ(view(db.connectionString(), 40), QStringList({"سند حسابداري با شماره رايانه اي 40 پيدا نشد."}));
    EXPECT_TRUE(view(QStringLiteral("0"), 41).value(0).startsWith(QStringLiteral("سند حسابداري خوانده نشد: ")));
}
