#include "common/ReportTemplates.h"

#include "common/CommonSql.h"
#include "shell/DtEn.h"

namespace oruhr {

QList<ReportTemplates::Entry> ReportTemplates::offeredFor(DtEn &dtEn, qint32 formTypeId)
{
    db::Recordset recordset = dtEn.query(CommonSql::reportTemplates(formTypeId));
    QList<Entry> entries;
    if (recordset.recordCount() < 1)
        return entries;
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext())
        entries.append({recordset.field(QStringLiteral("ID")).toInt(), recordset.field(QStringLiteral("Title")).toString()});
    return entries;
}

std::optional<QVariant> ReportTemplates::filePathOf(DtEn &dtEn, qint32 templateId)
{
    const db::Recordset recordset = dtEn.query(CommonSql::reportTemplate(templateId));
    if (recordset.recordCount() < 1)
        return std::nullopt;
    return recordset.field(QStringLiteral("FilePath"));
}

} // namespace oruhr
