#include "common/MessageText.h"
#include "common/Messages.h"
#include "platform/automation/ComponentError.h"
#include "platform/automation/ComponentRegistry.h"

#include <gtest/gtest.h>

using namespace oruhr;

namespace {

// A scripted message component: records what it was given and answers as told.
class ScriptedMessage : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FormTitle READ title WRITE setTitle)
    Q_PROPERTY(QString FormMessage READ message WRITE setMessage)
    Q_PROPERTY(qint16 FormType READ type WRITE setType)
    Q_PROPERTY(QVariant Resualt READ result)

public:
    static inline QStringList log;
    static inline QVariant answer = 1;
    static inline bool failTitle = false;
    static inline int created = 0;

    ScriptedMessage() { ++created; }
    QString title() const { return {}; }
    void setTitle(const QString &value)
    {
        if (failTitle)
            throw ComponentError(5, QStringLiteral("Invalid procedure call"));
        log << QStringLiteral("FormTitle=") + value;
    }
    QString message() const { return {}; }
    void setMessage(const QString &value) { log << QStringLiteral("FormMessage=") + value; }
    qint16 type() const { return 0; }
    void setType(qint16 value) { log << QStringLiteral("FormType=%1").arg(value); }
    QVariant result() const { return answer; }
    Q_INVOKABLE void ClearShow() { log << QStringLiteral("ClearShow"); }
};

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedMessage::log.clear();
        ScriptedMessage::answer = 1;
        ScriptedMessage::failTitle = false;
        ScriptedMessage::created = 0;
    }
    ScopedComponent double_{QStringLiteral("comMessage.comMSG"), [] { return std::make_unique<ScriptedMessage>(); }};
};

} // namespace

TEST_F(MessagesTest, MessageSetsTheMembersInOrderThenShows)
{
    ShowMessage(MessageText::TitleSuccess, MessageText::countMessage(3, MessageText::TempSavedTail));
    EXPECT_EQ(ScriptedMessage::log,
              QStringList({QStringLiteral("FormTitle=موفقيت"), QStringLiteral("FormMessage=تعداد 3 فيش حقوقي ثبت موقت شد."),
                           QStringLiteral("FormType=0"), QStringLiteral("ClearShow")}));
}

TEST_F(MessagesTest, QuestionMapsTheAnswer)
{
    const QList<QPair<QVariant, qint16>> cases{
        {1, Answer::Yes}, {0, Answer::No}, {2, Answer::None}, {-1, Answer::None},
        {QStringLiteral("x"), Answer::None}, {QVariant(), Answer::None}};
    for (const auto &[answer, expected] : cases) {
        ScriptedMessage::answer = answer;
        EXPECT_EQ(AskYesNo(MessageText::TitleWarning, MessageText::ConfirmBatchDelete), expected) << answer.toString().toStdString();
    }
    EXPECT_TRUE(ScriptedMessage::log.contains(QStringLiteral("FormType=1")));
    EXPECT_EQ(ScriptedMessage::created, int(cases.size())); // a fresh component for every call
}

TEST_F(MessagesTest, AFailingStepIsSkippedAndTheRestRuns)
{
    ScriptedMessage::failTitle = true;
    ScriptedMessage::answer = 0;
    EXPECT_EQ(AskYesNo(MessageText::TitleWarning, MessageText::ConfirmBackToTemp), Answer::No);
    EXPECT_EQ(ScriptedMessage::log, QStringList({QStringLiteral("FormMessage=") + MessageText::ConfirmBackToTemp,
                                                 QStringLiteral("FormType=1"), QStringLiteral("ClearShow")}));
}

TEST(Messages, MissingComponentDropsTheMessageSilently)
{
    ASSERT_FALSE(ComponentRegistry::instance().isRegistered(QStringLiteral("comMessage.comMSG")));
    EXPECT_NO_THROW(ShowMessage(MessageText::TitleProblem, MessageText::NoEmployeeChecked));
    EXPECT_EQ(AskYesNo(MessageText::TitleWarning, MessageText::ConfirmBatchDelete), Answer::None);
}

TEST(MessageText, ComposedTextsKeepTheirBlanks)
{
    EXPECT_EQ(MessageText::errorTitle(20544), QStringLiteral("خطا 20544"));
    EXPECT_EQ(MessageText::countMessage(12, MessageText::DocumentsFinalizedTail), QStringLiteral("تعداد 12 سند ثبت قطعي شد."));
    EXPECT_EQ(MessageText::accountDocumentIssued(981), QStringLiteral("سند حسابداري با شماره رايانه اي (981) ايجاد شد."));
    EXPECT_EQ(MessageText::reportFileMissing(QStringLiteral("/opt/a.html")),
              QStringLiteral("فايل چاپي در مسير مورد نظر «/opt/a.html» وجود ندارد."));
    EXPECT_TRUE(MessageText::TempFolderMissing.contains(QStringLiteral(".\r\nC:\\Windows\\Temp")));
}

#include "MessagesTest.moc"
