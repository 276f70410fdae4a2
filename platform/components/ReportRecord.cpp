#include "platform/components/ReportRecord.h"

namespace oruhr {

ReportRecord::ReportRecord(QStringList names, QVariantList values)
    : m_names(std::move(names))
    , m_values(std::move(values))
{
}

std::optional<QVariant> ReportRecord::value(const QString &name) const
{
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return m_values.value(i);
    }
    return std::nullopt;
}

} // namespace oruhr
