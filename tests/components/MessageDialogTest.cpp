#include "platform/automation/Dispatch.h"
#include "platform/components/MessageDialog.h"
#include "tests/support/ModalWatcher.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

using namespace oruhr;
using namespace oruhr::test;

namespace {

int askAndAnswer(const char *button)
{
    MessageDialog component;
    Dispatch::setProperty(component, "FormTitle", QStringLiteral("هشدار"));
    Dispatch::setProperty(component, "FormMessage", QStringLiteral("آيا براي حذف گروهي مطمئن هستيد؟"));
    Dispatch::setProperty(component, "FormType", 1);
    whenModalShown([button](QWidget *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("هشدار"));
        EXPECT_EQ(dialog->layoutDirection(), Qt::RightToLeft);
        EXPECT_EQ(child<QPushButton>(dialog, "yes")->text(), QStringLiteral("بله"));
        EXPECT_EQ(child<QPushButton>(dialog, "no")->text(), QStringLiteral("خير"));
        if (button)
            child<QPushButton>(dialog, button)->click();
    });
    Dispatch::call(component, "ClearShow");
    return Dispatch::property(component, "Resualt").toInt();
}

} // namespace

TEST(MessageDialog, QuestionAnswersOneForYesAndZeroOtherwise)
{
    EXPECT_EQ(askAndAnswer("yes"), 1);
    EXPECT_EQ(askAndAnswer("no"), 0);
    EXPECT_EQ(askAndAnswer(nullptr), 0); // closed without an answer
}

TEST(MessageDialog, MessageBlocksUntilClosed)
{
    MessageDialog component;
    Dispatch::setProperty(component, "FormTitle", QStringLiteral("موفقيت"));
    Dispatch::setProperty(component, "FormMessage", QStringLiteral("تعداد 3 فيش حقوقي ثبت موقت شد."));
    Dispatch::setProperty(component, "FormType", 0);
    bool seen = false;
    whenModalShown([&](QWidget *dialog) {
        seen = true;
        EXPECT_EQ(child<QLabel>(dialog, "message")->text(), QStringLiteral("تعداد 3 فيش حقوقي ثبت موقت شد."));
        EXPECT_EQ(child<QPushButton>(dialog, "ok")->text(), QStringLiteral("تاييد"));
        EXPECT_EQ(dialog->findChild<QPushButton *>(QStringLiteral("yes")), nullptr);
        child<QPushButton>(dialog, "ok")->click();
    });
    Dispatch::call(component, "ClearShow");
    EXPECT_TRUE(seen); // ClearShow returned only after the dialog was handled
}
