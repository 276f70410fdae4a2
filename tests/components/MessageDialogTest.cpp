#include "platform/automation/Dispatch.h"
#include "platform/components/MessageDialog.h"
#include "tests/support/ModalWatcher.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

using namespace oruhr;
using namespace oruhr::test;

namespace {

// Shows a message (type 0) or a question (type 1), clicks button, and gives the answer.
int showAndClick(int type, const char *button)
{
    MessageDialog component;
    Dispatch::setProperty(component, "FormTitle", QStringLiteral("هشدار"));
    Dispatch::setProperty(component, "FormMessage", QStringLiteral("آيا براي حذف گروهي مطمئن هستيد؟"));
    Dispatch::setProperty(component, "FormType", type);
    bool seen = false;
    whenModalShown([&](QWidget *dialog) {
        seen = true;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("هشدار"));
        EXPECT_EQ(dialog->layoutDirection(), Qt::RightToLeft);
        EXPECT_EQ(child<QLabel>(dialog, "message")->text(), QStringLiteral("آيا براي حذف گروهي مطمئن هستيد؟"));
        if (type == 1) {
            EXPECT_EQ(child<QPushButton>(dialog, "yes")->text(), QStringLiteral("بله"));
            EXPECT_EQ(child<QPushButton>(dialog, "no")->text(), QStringLiteral("خير"));
        } else {
            EXPECT_EQ(child<QPushButton>(dialog, "ok")->text(), QStringLiteral("تاييد"));
            EXPECT_EQ(dialog->findChild<QPushButton *>(QStringLiteral("yes")), nullptr);
        }
        if (button)
            child<QPushButton>(dialog, button)->click();
    });
    Dispatch::call(component, "ClearShow");
    EXPECT_TRUE(seen); // ClearShow returned only after the dialog was handled
    return Dispatch::property(component, "Resualt").toInt();
}

} // namespace

TEST(MessageDialog, QuestionAnswersOneForYesAndZeroOtherwiseAndAMessageBlocksUntilClosed)
{
    EXPECT_EQ(showAndClick(1, "yes"), 1);
    EXPECT_EQ(showAndClick(1, "no"), 0);
    EXPECT_EQ(showAndClick(1, nullptr), 0); // closed without an answer
    showAndClick(0, "ok");
}

TEST(MessageDialog, TextIsShownAsWrittenEvenWhenItLooksLikeMarkup)
{
    MessageDialog component;
    Dispatch::setProperty(component, "FormMessage", QStringLiteral("<b>no such table</b> <a href='x'>x</a>"));
    Qt::TextFormat format = Qt::RichText;
    whenModalShown([&](QWidget *dialog) {
        format = child<QLabel>(dialog, "message")->textFormat();
        dialog->close();
    });
    Dispatch::call(component, "ClearShow");
    EXPECT_EQ(format, Qt::PlainText);
}
