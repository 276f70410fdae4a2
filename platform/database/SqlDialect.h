#pragma once

namespace oruhr::db {

// The SQL a connection's server speaks: the system's own T-SQL, or SQLite's.
enum class SqlDialect { SqlServer, SQLite };

} // namespace oruhr::db
