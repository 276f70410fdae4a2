#include "tests/support/ScriptedMessages.h"

#include <QApplication>
#include <QCursor>

namespace oruhr::test {
namespace {

class MessageDouble : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FormTitle MEMBER title)
    Q_PROPERTY(QString FormMessage MEMBER message)
    Q_PROPERTY(qint16 FormType MEMBER type)
    Q_PROPERTY(QVariant Resualt READ resualt)

public:
    MessageDouble(std::shared_ptr<QList<ScriptedMessages::Shown>> shown, std::shared_ptr<QVariant> answer)
        : m_shown(std::move(shown))
        , m_answer(std::move(answer))
    {
    }

    QString title;
    QString message;
    qint16 type = 0;

    QVariant resualt() const { return *m_answer; }
    Q_INVOKABLE void ClearShow()
    {
        const QCursor *cursor = QApplication::overrideCursor();
        m_shown->append({title, message, type, cursor && cursor->shape() == Qt::WaitCursor});
    }

private:
    std::shared_ptr<QList<ScriptedMessages::Shown>> m_shown;
    std::shared_ptr<QVariant> m_answer;
};

} // namespace

ScriptedMessages::ScriptedMessages()
    : m_registration(QStringLiteral("comMessage.comMSG"),
                     [shown = m_shown, answer = m_answer] { return std::make_unique<MessageDouble>(shown, answer); })
{
}

QStringList ScriptedMessages::texts() const
{
    QStringList result;
    for (const Shown &message : *m_shown)
        result << message.title + QStringLiteral(": ") + message.text;
    return result;
}

} // namespace oruhr::test

#include "ScriptedMessages.moc"
