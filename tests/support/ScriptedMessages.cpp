#include "tests/support/ScriptedMessages.h"

#include <QApplication>

namespace oruhr::test {
namespace {

class MessageDouble : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FormTitle MEMBER m_title)
    Q_PROPERTY(QString FormMessage MEMBER m_message)
    Q_PROPERTY(qint16 FormType MEMBER m_type)
    Q_PROPERTY(QVariant Resualt READ resualt)

public:
    explicit MessageDouble(std::shared_ptr<ScriptedMessages::Record> record) : m_record(std::move(record)) {}
    QVariant resualt() const { return m_record->answer; }
    Q_INVOKABLE void ClearShow()
    {
        const QCursor *cursor = QApplication::overrideCursor();
        m_record->shown.append({m_title, m_message, m_type, cursor && cursor->shape() == Qt::WaitCursor});
    }

private:
    std::shared_ptr<ScriptedMessages::Record> m_record;
    QString m_title, m_message;
    qint16 m_type = 0;
};

} // namespace

ScriptedMessages::ScriptedMessages(ComponentRegistry &components)
    : m_registration(components, QStringLiteral("comMessage.comMSG"),
                     [record = m_record] { return std::make_unique<MessageDouble>(record); })
{
}

QStringList ScriptedMessages::texts() const
{
    QStringList result;
    for (const Shown &message : m_record->shown)
        result << message.title + QStringLiteral(": ") + message.text;
    return result;
}

} // namespace oruhr::test

#include "ScriptedMessages.moc"
