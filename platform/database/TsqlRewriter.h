#pragma once

#include "platform/database/SqlDialect.h"

#include <QString>

namespace oruhr::db {

// Rewrites the small T-SQL subset the component sends into SQLite or PostgreSQL: isnull( to
// ifnull( (coalesce( on PostgreSQL), convert(int, x) and convert(varchar, x) to casts, text +
// to ||, and "Delete <table> Where" to "DELETE FROM <table> Where". On PostgreSQL an ORDER BY
// also puts NULLs first, as SQL Server sorts them. It works on tokens, so string literals,
// quoted names and comments pass untouched. It is not a general translator.
class TsqlRewriter {
public:
    static QString rewrite(const QString &tsql, SqlDialect dialect);
};

} // namespace oruhr::db
