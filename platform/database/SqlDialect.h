#pragma once

namespace oruhr::db {

// The SQL a connection's server speaks: the system's own T-SQL, SQLite's or PostgreSQL's.
enum class SqlDialect { SqlServer, SQLite, PostgreSQL };

} // namespace oruhr::db
