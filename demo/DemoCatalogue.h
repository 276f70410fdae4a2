#pragma once

namespace oruhr::demo {

struct DemoContext;

// What every payroll database holds before it has staff: the system parameters, form types
// and report templates, the two-level lookups, and the salary factors with the payroll rules
// that price them (the commonly published Iranian ones). The statutory figures come with the
// schema.
class DemoCatalogue {
public:
    static void write(DemoContext &context);

private:
    static void systemParameters(DemoContext &context);
    static void formTypesAndTemplates(DemoContext &context);
    static void lookups(DemoContext &context);
    static void salaryFactors(DemoContext &context);
};

} // namespace oruhr::demo
