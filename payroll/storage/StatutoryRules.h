#pragma once

namespace oruhr::db {
class StatementCache;
}

namespace oruhr::payroll {

// The published statutory figures every payroll database starts with, by Persian year: the
// daily insurance floor and ceiling, the tax exemption of the employee's insurance, the days
// monthly items are prorated by, and the income-tax brackets. An office adds next year's rows;
// the last year stays in force until it does.
class StatutoryRules {
public:
    static void write(db::StatementCache &statements);
};

} // namespace oruhr::payroll
