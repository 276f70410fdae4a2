#include "host/monthend/RequiredColumns.h"

#include "platform/automation/ComponentError.h"
#include "shell/DtEn.h"

#include <QSqlRecord>

namespace oruhr {

void RequiredColumns::require(DtEn &dtEn, const QList<Column> &columns)
{
    QSqlDatabase &database = dtEn.connection().database();
    for (const Column &column : columns) {
        // PostgreSQL keeps unquoted names in lower case; field names compare without regard to case.
        QSqlRecord record = database.record(QLatin1String(column.table));
        if (record.isEmpty())
            record = database.record(QString::fromLatin1(column.table).toLower());
        if (record.indexOf(QLatin1String(column.name)) >= 0)
            continue;
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("ستون %1 در جدول %2 اين پايگاه داده نيست؛ جدول را به نسخه اين برنامه "
                                            "برسانيد (oruhr-admin upgrade) يا ستون را به آن بيفزاييد.")
                                 .arg(QLatin1String(column.name), QLatin1String(column.table)));
    }
}

} // namespace oruhr
