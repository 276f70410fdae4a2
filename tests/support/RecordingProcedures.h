#pragma once

#include "platform/database/LocalProcedures.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>

namespace oruhr {
class ModMain;
}

namespace oruhr::test {

// Stands between the data environment and the embedded procedures: records every call
// with what the test chooses to observe at that moment, and can replace a procedure's
// return value. The procedures themselves still run.
class RecordingProcedures : public db::LocalProcedures {
public:
    struct Call {
        QString name;
        QVariantList inputs;
        QString observed;
    };

    // A fresh recorder in front of the embedded procedures, on the session's connection.
    static std::shared_ptr<RecordingProcedures> install(ModMain &session);

    bool contains(const QString &name) const override;
    qint32 call(db::Connection &connection, const QString &name, const QVariantList &inputs) const override;

    void observeWith(std::function<QString()> observe) { m_observe = std::move(observe); }
    void returnFrom(const QString &name, qint32 value) { m_results.insert(name, value); }
    // Calls of one procedure, in order.
    QList<Call> callsOf(const QString &name) const;
    const QList<Call> &calls() const { return m_calls; }

private:
    std::shared_ptr<const db::LocalProcedures> m_procedures;
    std::function<QString()> m_observe;
    QHash<QString, qint32> m_results;
    mutable QList<Call> m_calls;
};

} // namespace oruhr::test
