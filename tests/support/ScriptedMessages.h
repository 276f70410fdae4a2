#pragma once

#include "platform/automation/ComponentRegistry.h"

#include <QVariant>

#include <memory>

namespace oruhr::test {

// Puts a scripted double in place of a session's message component while it lives: every message
// and question is recorded, questions get the preset answer.
class ScriptedMessages {
public:
    struct Shown {
        QString title;
        QString text;
        int formType = 0;
        bool busy = false; // shown under the hourglass
    };
    // What the doubles it makes share.
    struct Record {
        QList<Shown> shown;
        QVariant answer = 1;
    };

    explicit ScriptedMessages(ComponentRegistry &components);

    QList<Shown> shown() const { return m_record->shown; }
    QStringList texts() const;
    void clear() { m_record->shown.clear(); }
    void answerWith(const QVariant &resualt) { m_record->answer = resualt; }

private:
    std::shared_ptr<Record> m_record = std::make_shared<Record>();
    ScopedComponent m_registration;
};

} // namespace oruhr::test
