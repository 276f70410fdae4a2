#include "common/ReportTemplates.h"

#include "common/CommonSql.h"
#include "platform/automation/ComponentError.h"
#include "shell/DtEn.h"

namespace oruhr {
namespace {

// Open, read and close, leaving the shared recordset closed also after a failure.
template<typename Read>
auto withCommonRecordset(const QString &sql, Read read)
{
    db::Recordset &recordset = DtEn::instance().rssqlCommon();
    try {
        recordset.open(sql);
        auto result = read(recordset);
        recordset.close();
        return result;
    } catch (const ComponentError &) {
        recordset.close();
        throw;
    }
}

} // namespace

QList<ReportTemplates::Entry> ReportTemplates::offeredFor(qint32 formTypeId)
{
    return withCommonRecordset(CommonSql::reportTemplates(formTypeId), [](db::Recordset &recordset) {
        QList<Entry> entries;
        if (recordset.recordCount() < 1)
            return entries;
        for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext())
            entries.append({recordset.field(QStringLiteral("ID")).toInt(),
                            recordset.field(QStringLiteral("Title")).toString()});
        return entries;
    });
}

std::optional<QVariant> ReportTemplates::filePathOf(qint32 templateId)
{
    return withCommonRecordset(CommonSql::reportTemplate(templateId),
                               [](db::Recordset &recordset) -> std::optional<QVariant> {
                                   if (recordset.recordCount() < 1)
                                       return std::nullopt;
                                   recordset.moveFirst();
                                   return recordset.field(QStringLiteral("FilePath"));
                               });
}

} // namespace oruhr
