#include "tests/support/RecordingProcedures.h"

#include "platform/embedded/EmbeddedProcedures.h"
#include "shell/ModMain.h"

namespace oruhr::test {

std::shared_ptr<RecordingProcedures> RecordingProcedures::install(ModMain &session)
{
    auto recorder = std::make_shared<RecordingProcedures>();
    recorder->m_procedures = std::make_shared<embedded::EmbeddedProcedures>();
    session.dtEn().connection().setLocalProcedures(recorder);
    return recorder;
}

bool RecordingProcedures::contains(const QString &name) const
{
    return m_procedures->contains(name);
}

qint32 RecordingProcedures::call(db::Connection &connection, const QString &name, const QVariantList &inputs) const
{
    m_calls.append({name, inputs, m_observe ? m_observe() : QString()});
    const qint32 result = m_procedures->call(connection, name, inputs);
    return m_results.value(name, result);
}

QList<RecordingProcedures::Call> RecordingProcedures::callsOf(const QString &name) const
{
    QList<Call> result;
    for (const Call &call : m_calls)
        if (call.name == name)
            result << call;
    return result;
}

} // namespace oruhr::test
