#include "platform/embedded/EmbeddedProcedures.h"

#include "platform/automation/ComponentError.h"

namespace oruhr::embedded {

std::shared_ptr<const EmbeddedProcedures> EmbeddedProcedures::shared()
{
    static const auto procedures = std::make_shared<const EmbeddedProcedures>();
    return procedures;
}

bool EmbeddedProcedures::contains(const QString &) const
{
    return false;
}

qint32 EmbeddedProcedures::call(QSqlDatabase &, const QString &name, const QVariantList &) const
{
    throw ComponentError(ComponentError::CommandFailed, QStringLiteral("Could not find stored procedure '%1'.").arg(name));
}

} // namespace oruhr::embedded
