#pragma once

#include "platform/embedded/EmbeddedProcedures.h"
#include "shell/ModMain.h"

#include <QHash>

#include <functional>
#include <memory>

namespace oruhr::test {

// Stands between the data environment and the embedded procedures, which still run: records
// every call with what the test chooses to observe at that moment, and can replace a
// procedure's return value.
class RecordingProcedures : public db::LocalProcedures {
public:
    struct Call {
        QString name;
        QVariantList inputs;
        QString observed;
    };

    static std::shared_ptr<RecordingProcedures> install(ModMain &session)
    {
        auto recorder = std::make_shared<RecordingProcedures>();
        session.dtEn().connection().setLocalProcedures(recorder);
        return recorder;
    }

    bool contains(const QString &name) const override { return m_procedures.contains(name); }
    qint32 call(db::Connection &connection, const QString &name, const db::MonthlySalaryArguments &arguments) const override
    {
        record(name, arguments.values());
        return m_results.value(name, m_procedures.call(connection, name, arguments));
    }
    qint32 call(db::Connection &connection, const QString &name, const db::AccountDocArguments &arguments) const override
    {
        record(name, arguments.values());
        return m_results.value(name, m_procedures.call(connection, name, arguments));
    }

    void observeWith(std::function<QString()> observe) { m_observe = std::move(observe); }
    void returnFrom(const QString &name, qint32 value) { m_results.insert(name, value); }
    const QList<Call> &calls() const { return m_calls; }
    QList<Call> callsOf(const QString &name) const
    {
        QList<Call> result;
        std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(result), [&](const Call &c) { return c.name == name; });
        return result;
    }

private:
    void record(const QString &name, const QVariantList &inputs) const
    {
        m_calls.append({name, inputs, m_observe ? m_observe() : QString()});
    }

    embedded::EmbeddedProcedures m_procedures;
    std::function<QString()> m_observe;
    QHash<QString, qint32> m_results;
    mutable QList<Call> m_calls;
};

} // namespace oruhr::test
