#include "tests/support/RecordingProcedures.h"

#include "platform/embedded/EmbeddedProcedures.h"
#include "shell/DtEn.h"

namespace oruhr::test {

std::shared_ptr<RecordingProcedures> RecordingProcedures::install()
{
    auto recorder = std::make_shared<RecordingProcedures>();
    DtEn::instance().connection().setLocalProcedures(recorder);
    return recorder;
}

void RecordingProcedures::uninstall()
{
    DtEn::instance().connection().setLocalProcedures(embedded::EmbeddedProcedures::shared());
}

bool RecordingProcedures::contains(const QString &name) const
{
    return embedded::EmbeddedProcedures::shared()->contains(name);
}

qint32 RecordingProcedures::call(db::Connection &connection, const QString &name, const QVariantList &inputs) const
{
    m_calls.append({name, inputs, m_observe ? m_observe() : QString()});
    const qint32 result = embedded::EmbeddedProcedures::shared()->call(connection, name, inputs);
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
