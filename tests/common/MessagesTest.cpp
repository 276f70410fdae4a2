#include "common/MessageText.h"
#include "common/Messages.h"
#include "platform/automation/ComponentRegistry.h"
#include "tests/support/TestKit.h"

using namespace oruhr;

namespace {

// A message component that fails on its title and has no FormMessage at all.
class BrokenMessage : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FormTitle READ text WRITE setTitle)
    Q_PROPERTY(qint16 FormType MEMBER type)
    Q_PROPERTY(QVariant Resualt READ answer)

public:
    static inline bool shown = false;
    qint16 type = 0;
    QString text() const { return {}; }
    void setTitle(const QString &) { throw ComponentError(5, QStringLiteral("Invalid procedure call")); }
    QVariant answer() const { return type == 1 ? 0 : 1; }
    Q_INVOKABLE void ClearShow() { shown = true; }
};

} // namespace

TEST(Messages, GoThroughTheComponentAndOnlyAWholeOneOrZeroIsAnAnswer)
{
    ComponentRegistry components;
    {
        test::ScriptedMessages messages{components};
        ShowMessage(components, MessageText::TitleSuccess, MessageText::countMessage(3, MessageText::TempSavedTail));
        EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("موفقيت: تعداد 3 فيش حقوقي ثبت موقت شد.")}));
        const std::pair<QVariant, qint16> answers[] = {{1, 6},     {0, 7},    {2, 0},     {QStringLiteral("x"), 0},
                                                       {QVariant(), 0}, {0.6, 0}, {true, 0}, {1.0, 6}};
        for (const auto &[answer, expected] : answers) {
            messages.answerWith(answer);
            EXPECT_EQ(AskYesNo(components, MessageText::TitleWarning, MessageText::ConfirmBatchDelete), expected)
                << qPrintable(answer.toString());
        }
        EXPECT_EQ(messages.shown().first().formType, 0);
        EXPECT_EQ(messages.shown().last().formType, 1);
    }
    // Without the component the message is dropped and the question has no answer.
    EXPECT_NO_THROW(ShowMessage(components, MessageText::TitleProblem, MessageText::NoEmployeeChecked));
    EXPECT_EQ(AskYesNo(components, MessageText::TitleWarning, MessageText::ConfirmBatchDelete), Answer::None);

    // A failing step is skipped and the rest runs.
    ScopedComponent broken(components, QStringLiteral("comMessage.comMSG"), [] { return std::make_unique<BrokenMessage>(); });
    EXPECT_EQ(AskYesNo(components, MessageText::TitleWarning, MessageText::ConfirmBackToTemp), Answer::No);
    EXPECT_TRUE(BrokenMessage::shown);
}

#include "MessagesTest.moc"
