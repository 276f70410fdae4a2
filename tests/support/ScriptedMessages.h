#pragma once

#include "platform/automation/ComponentRegistry.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>

namespace oruhr::test {

// Puts a scripted double in place of the message component for the lifetime of the
// object: every message and question is recorded, questions get the preset answer.
class ScriptedMessages {
public:
    struct Shown {
        QString title;
        QString text;
        int formType = 0;
        bool busy = false; // shown under the hourglass
    };

    ScriptedMessages();

    QList<Shown> shown() const { return *m_shown; }
    QStringList texts() const;
    void clear() { m_shown->clear(); }
    void answerWith(const QVariant &resualt) { *m_answer = resualt; }

private:
    std::shared_ptr<QList<Shown>> m_shown = std::make_shared<QList<Shown>>();
    std::shared_ptr<QVariant> m_answer = std::make_shared<QVariant>(1);
    ScopedComponent m_registration;
};

} // namespace oruhr::test
