#include "payslips/PayslipSql.h"
#include "platform/database/Connection.h"
#include "platform/database/Recordset.h"
#include "tests/support/TestKit.h"

using oruhr::test::TestDatabase;

namespace {

// An empty schema seeded with demo data; 2026-11-05 (1405/08/14) puts the payroll month 1405/08
// at 2026-10-23 to 2026-11-21.
struct Demo : TestDatabase {
    explicit Demo(int employees = 90, QDate today = QDate(2026, 11, 5)) { seedDemo({employees, today, 7, {}}); }
    QString text(const QString &sql) { return scalar(sql).toString(); }
    QString parameter(int id) { return text("SELECT Value FROM tblPelikSystemParameters WHERE ID=" + QString::number(id)); }
};

} // namespace

TEST(DemoData, FixesThePayrollMonthAndEveryPayslipStateOccursInIt)
{
    Demo db;
    EXPECT_EQ(db.parameter(3450), "1405/08/01");
    EXPECT_EQ(db.parameter(140), "/opt/oruhr/");
    EXPECT_EQ(db.count("tblEmployee"), 90);
    EXPECT_EQ(Demo(0, QDate(2025, 3, 19)).parameter(3450), "1403/12/01"); // the last month of a year
    // Counted by the lists the payslip window shows.
    oruhr::db::Connection connection;
    connection.setConnectionString(db.connectionString());
    const auto listed = [&](oruhr::EmployeeListMode mode) {
        oruhr::db::Recordset list(connection);
        list.open(oruhr::PayslipSql::employeeList(mode, "2026-10-23", "2026-11-21", "1=1", "1=1", "1=1"));
        return list.recordCount();
    };
    using enum oruhr::EmployeeListMode;
    const int without = listed(WithoutPayslip), temporary = listed(TempSaved), final = listed(FinalSaved),
              all = listed(None);
    EXPECT_EQ(without + temporary + final, all);
    for (int state : {without, temporary, final}) {
        EXPECT_GT(state, all / 6);
        EXPECT_LT(state, all / 2);
    }
    // The month before is paid, and no payslip lacks lines or leaves the month.
    EXPECT_EQ(db.text("SELECT max(EndDate) FROM tblHRMonthlySalary"), "2026-11-21");
    EXPECT_GT(db.count("tblHRMonthlySalary", "Code IS NOT NULL AND EndDate = '2026-10-22'"), 90 * 8 / 10);
    EXPECT_EQ(db.count("tblHRMonthlySalary s",
                       "NOT EXISTS (SELECT 1 FROM tblHRMonthlySalaryDetail d WHERE d.MonthlySalaryID = s.ID)"),
              0);
}
