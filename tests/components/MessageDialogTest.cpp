#include "platform/automation/Dispatch.h"
#include "platform/components/MessageDialog.h"
#include "tests/support/TestKit.h"

using namespace oruhr;
using namespace oruhr::test;

// A question answers 1 for yes and 0 otherwise; ClearShow returns only once the dialog is done.
TEST(MessageDialog, QuestionAnswersOneForYesAndZeroOtherwiseAndShowsTheTextAsWritten)
{
    for (const auto &[button, answer] : {std::pair("yes", 1), {"no", 0}, {"", 0}}) {
        MessageDialog component;
        Dispatch::setProperty(component, "FormTitle", QStringLiteral("هشدار"));
        Dispatch::setProperty(component, "FormMessage", QStringLiteral("<b>آيا مطمئن هستيد؟</b>"));
        Dispatch::setProperty(component, "FormType", 1);
        bool seen = false;
        whenModalShown([&, button = button](QWidget *dialog) {
            seen = true;
            EXPECT_EQ(dialog->layoutDirection(), Qt::RightToLeft);
            EXPECT_EQ(child<QLabel>(dialog, "message")->text(), QStringLiteral("<b>آيا مطمئن هستيد؟</b>"));
            EXPECT_EQ(child<QLabel>(dialog, "message")->textFormat(), Qt::PlainText);
            EXPECT_EQ(child<QPushButton>(dialog, "no")->text(), QStringLiteral("خير"));
            if (*button)
                child<QPushButton>(dialog, button)->click();
        });
        Dispatch::call(component, "ClearShow");
        EXPECT_TRUE(seen);
        EXPECT_EQ(Dispatch::property(component, "Resualt").toInt(), answer) << button;
    }
}
