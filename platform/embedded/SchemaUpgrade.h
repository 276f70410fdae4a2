#pragma once

#include "platform/database/SqlDialect.h"

#include <QStringList>

namespace oruhr::embedded {

// The statements that bring a schema of one release to the next, data kept.
class SchemaUpgrade {
public:
    // From version to version + 1; empty when there is no such step.
    static QStringList from(int version, db::SqlDialect dialect);
};

} // namespace oruhr::embedded
