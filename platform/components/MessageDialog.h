#pragma once

#include <QObject>
#include <QString>

namespace oruhr {

// Stand-in for the host product's message component "comMessage.comMSG": a right-to-left
// dialog that blocks until closed. FormType 0 shows a message with one button, 1 asks yes
// or no; Resualt is then 1 for yes and 0 for no (closing the dialog counts as no).
class MessageDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FormTitle MEMBER m_title)
    Q_PROPERTY(QString FormMessage MEMBER m_message)
    Q_PROPERTY(qint16 FormType MEMBER m_type)
    Q_PROPERTY(int Resualt READ resualt)

public:
    static constexpr const char *progId = "comMessage.comMSG";

    int resualt() const { return m_result; }
    Q_INVOKABLE void ClearShow();

private:
    QString m_title;
    QString m_message;
    qint16 m_type = 0;
    int m_result = 0;
};

} // namespace oruhr
