#include "platform/database/TsqlRewriter.h"

namespace oruhr::db {

QString TsqlRewriter::toSqlite(const QString &tsql)
{
    return tsql;
}

} // namespace oruhr::db
