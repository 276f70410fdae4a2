#pragma once

#include "shell/DtEn.h"
#include "tests/support/TestKit.h"

namespace oruhr::test {

// The shipped catalogue and payroll rules with no staff, for the month Shahrivar 1404
// (1404/06/01 to 1404/06/31, 31 days), and ways to hire and pay employees in it.
class PayrollMonthFixture : public ::testing::Test {
public:
    static constexpr int Base = 1001, Housing = 1002, Groceries = 1003, ChildAllowance = 1004, Overtime = 1010,
                         Mission = 1011, NightWork = 1012, Absence = 1096, Insurance = 2001, Tax = 2002, Loans = 2003,
                         Fund = 2004, EmployerInsurance = 3001;
    const QDate begin{2025, 8, 23};
    const QDate end{2025, 9, 22};

    explicit PayrollMonthFixture(Backend backend = Backend::Embedded)
        : db(backend)
    {
        db.seedDemo({0, begin, 1, {}});
        session.connectTo(db.connectionString());
    }

    // An employee with a final ordinance from `from` on; items by factor, monthly amounts.
    int hire(QDate from, const QMap<int, qint64> &items) { return db.hire(from, QDate(2030, 1, 1), items).employee; }
    // Hours, days or an amount entered for the month unless told otherwise.
    void enter(int employee, int factor, const QVariant &value, QDate from = {}, QDate to = {})
    {
        db.enter(employee, factor, value, from.isValid() ? from : begin, to.isValid() ? to : end);
    }

    int create(int employee) { return env.spHRCreateMonthlySalary(1, begin, end, employee); }
    int recalculate(int employee) { return env.spHRRecalculateMonthlySalary(1, begin, end, employee); }
    int finalize(int employee) { return env.spHRFinalizedMonthlySalary(1, begin, end, employee); }
    int backToTemp(int employee) { return env.spHRBackToTempMonthlySalary(1, begin, end, employee); }
    int post(const QString &employees) { return env.spHRAccountDocSave(1, end, employees); }

    TestDatabase db;
    TestSession session;
    DtEn &env = session.dtEn();
};

} // namespace oruhr::test
