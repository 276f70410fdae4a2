#pragma once

#include <QString>

namespace oruhr::db {

// Rewrites the small T-SQL subset the component sends into SQLite: isnull( to ifnull(,
// convert(int, x) and convert(varchar, x) to casts, text + to ||, and "Delete <table> Where"
// to "DELETE FROM <table> Where". It works on tokens, so string literals, quoted names and
// comments pass untouched. It is not a general translator.
class TsqlRewriter {
public:
    static QString toSqlite(const QString &tsql);
};

} // namespace oruhr::db
