#pragma once

namespace oruhr::demo {

struct DemoContext;

// The staff and their history: employees with their ordinances (some amended, some not yet
// final, some hired this month or gone), loans, staff-fund documents and group adjustments
// in every state, and the attendance the branches sent as runtime batches.
class DemoStaff {
public:
    static void write(DemoContext &context);

private:
    static void employeesAndOrdinances(DemoContext &context);
    static void hrDocuments(DemoContext &context);
    static void runtimeBatches(DemoContext &context);
};

} // namespace oruhr::demo
