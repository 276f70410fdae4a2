#include "documents/DocumentIdLists.h"

#include "documents/DocumentKind.h"
#include "documents/DocumentSql.h"

#include <algorithm>

namespace oruhr {

bool DocumentIdLists::append(qint32 formTypeId, const QString &id)
{
    const auto &order = DocumentKind::finalizeOrder;
    const auto kind = std::find(order.begin(), order.end(), formTypeId);
    if (kind == order.end())
        return false;
    QString &ids = m_ids[std::size_t(kind - order.begin())];
    if (!ids.isEmpty())
        ids += QLatin1Char(',');
    ids += id;
    return true;
}

QStringList DocumentIdLists::statements() const
{
    QStringList result;
    for (std::size_t k = 0; k < m_ids.size(); ++k)
        if (!m_ids[k].isEmpty())
            result << DocumentSql::finalize(DocumentKind::finalizeOrder[k], m_ids[k]);
    return result;
}

} // namespace oruhr
