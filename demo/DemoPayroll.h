#pragma once

namespace oruhr::demo {

struct DemoContext;

// The payslips and their postings, made by the payroll engine from what the staff part
// entered: the previous month paid and booked for nearly everyone, the payroll month with
// employees in every payslip state; and a few accounting documents of other kinds.
class DemoPayroll {
public:
    static void write(DemoContext &context);
};

} // namespace oruhr::demo
