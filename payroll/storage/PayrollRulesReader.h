#pragma once

#include "payroll/PayrollRules.h"

namespace oruhr::db {
class StatementCache;
}

namespace oruhr::payroll {

// The dated rule rows that overlap a period, in two round trips.
class PayrollRulesReader {
public:
    // Throws ComponentError as PeriodRules::fromRows does.
    static PeriodRules read(db::StatementCache &statements, QDate begin, QDate end);
};

} // namespace oruhr::payroll
