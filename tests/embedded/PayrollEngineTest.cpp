// Payslips worked out by hand under the shipped rules of 1404: hourly wage = the month's
// insurable ordinance pay / 220; overtime 1.4 and night work 0.35 of it, absence all of it;
// a mission day = base / 30; employee insurance 7% and employer's 23% of insurable pay up to
// 727,367,760; monthly tax 10% from 240M, 15% from 300M, 20% from 380M, 30% from 500M.
// Child allowance counts toward tax only, a mission toward neither. Each line is rounded once.

#include "tests/embedded/PayrollMonthFixture.h"
#include "tests/support/TestKit.h"

namespace oruhr::test {
namespace {

using Lines = QMap<int, qint64>;

using PayrollEngine = PayrollMonthFixture;

TEST_F(PayrollEngine, AFullMonthWithOvertimeAndNightWork)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 150'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000},
                                              {ChildAllowance, 7'166'000}});
    enter(ali, Overtime, 20);
    enter(ali, NightWork, 10);
    const int payslip = create(ali);

    // Insurable ordinance pay 150M + 9M + 22M = 181,000,000.
    // Overtime 20 × 181,000,000 × 1.4 / 220 = 23,036,363.6; night 10 × 181,000,000 × 0.35 / 220 = 2,879,545.5.
    // Insurable 181,000,000 + 23,036,364 + 2,879,545 = 206,915,909: 7% = 14,484,113.6, 23% = 47,590,659.1.
    // Taxable 214,081,909 (with the child allowance) is under 240M: no tax.
    EXPECT_EQ(lines(payslip), (Lines{{Base, 150'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000},
                                     {ChildAllowance, 7'166'000}, {Overtime, 23'036'364}, {NightWork, 2'879'545},
                                     {Insurance, 14'484'114}, {EmployerInsurance, 47'590'659}}));
    // 214,081,909 - 14,484,114; the employer's share is not the employee's.
    EXPECT_EQ(net(payslip), 199'597'795);
}

TEST_F(PayrollEngine, HiredOnTheTenthWithAbsenceAndAMission)
{
    // 1404/06/10: paid for 22 of the month's 31 days.
    const int sara = hire(QDate(2025, 9, 1), {{Base, 120'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000}});
    enter(sara, Absence, 8);
    enter(sara, Mission, 3);
    const int payslip = create(sara);

    // Base 120,000,000 × 22/31 = 85,161,290.3; housing 6,387,096.8; groceries 15,612,903.2.
    // Absence 8 × 151,000,000 / 220 = 5,490,909.1 (the month's whole pay, not the 22 days');
    // mission 3 × 120,000,000 / 30 = 12,000,000.
    // Insurable 107,161,290 - 5,490,909 = 101,670,381: 7% = 7,116,926.7, 23% = 23,384,187.6.
    EXPECT_EQ(lines(payslip), (Lines{{Base, 85'161'290}, {Housing, 6'387'097}, {Groceries, 15'612'903},
                                     {Mission, 12'000'000}, {Absence, 5'490'909}, {Insurance, 7'116'927},
                                     {EmployerInsurance, 23'384'188}}));
    // 119,161,290 - 5,490,909 - 7,116,927
    EXPECT_EQ(net(payslip), 106'553'454);
}

TEST_F(PayrollEngine, ALoanAndAFundAboveTheInsuranceCeilingAcrossTheTaxBrackets)
{
    const int reza = hire(QDate(2024, 3, 20), {{Base, 700'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000}});
    const int owed = loan(reza, 100'000'000, 10'000'000), box = fund(reza, 3'000'000);
    // 95,000,000 of the loan was paid last month: 5,000,000 is still owed.
    const int earlier = db.addPayslip(reza, QDate(2025, 7, 23), QDate(2025, 8, 22), true);
    db.exec("INSERT INTO tblHRMonthlyPaiedLoan (MonthlySalaryID, LoanID, Amount) VALUES (?, ?, 95000000)",
            {earlier, owed});
    const int payslip = create(reza);

    // Insurable 731,000,000, capped at 727,367,760: 7% = 50,915,743.2, 23% = 167,294,584.8.
    // Tax on 731,000,000: 60M × 10% + 80M × 15% + 120M × 20% + 231M × 30% = 111,300,000.
    EXPECT_EQ(lines(payslip), (Lines{{Base, 700'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000},
                                     {Insurance, 50'915'743}, {Tax, 111'300'000}, {Loans, 5'000'000},
                                     {Fund, 3'000'000}, {EmployerInsurance, 167'294'585}}));
    EXPECT_EQ(paidLoans(payslip), (Lines{{owed, 5'000'000}}));
    EXPECT_EQ(paidFunds(payslip), (Lines{{box, 3'000'000}}));
    EXPECT_EQ(net(payslip), 560'784'257);
}

TEST_F(PayrollEngine, WhatThePayCannotCoverWaitsTheFundFirstThenTheLastLoans)
{
    const int maryam = hire(QDate(2024, 3, 20), {{Base, 60'000'000}});
    const int first = loan(maryam, 400'000'000, 40'000'000);
    loan(maryam, 200'000'000, 20'000'000);
    fund(maryam, 10'000'000);
    const int payslip = create(maryam);

    // 60,000,000 less 7% insurance leaves 55,800,000: the first loan fits, the second loan and
    // then the fund would not, though the fund alone would.
    EXPECT_EQ(lines(payslip), (Lines{{Base, 60'000'000}, {Insurance, 4'200'000}, {Loans, 40'000'000},
                                     {EmployerInsurance, 13'800'000}}));
    EXPECT_EQ(paidLoans(payslip), (Lines{{first, 40'000'000}}));
    EXPECT_TRUE(paidFunds(payslip).isEmpty());
    EXPECT_EQ(net(payslip), 15'800'000);
}

TEST_F(PayrollEngine, RecalculatingMovesOnlyTheLinesAChangedEntryReaches)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 150'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000},
                                              {ChildAllowance, 7'166'000}});
    enter(ali, Overtime, 20);
    enter(ali, NightWork, 10);
    const int box = fund(ali, 2'000'000);
    const int payslip = create(ali);
    const Lines before = lines(payslip);

    EXPECT_EQ(recalculate(ali), 1);
    EXPECT_EQ(lines(payslip), before);
    EXPECT_EQ(paidFunds(payslip), (Lines{{box, 2'000'000}}));

    db.exec("UPDATE tblHRRunTimeBatchDetail SET Value = 30 WHERE ParameterID = ?", {Overtime});
    EXPECT_EQ(recalculate(ali), 1);
    Lines after = before;
    // 30 × 181,000,000 × 1.4 / 220 = 34,554,545.5; insurable 218,434,090: 7% = 15,290,386.3, 23% = 50,239,840.7.
    after[Overtime] = 34'554'545;
    after[Insurance] = 15'290'386;
    after[EmployerInsurance] = 50'239'841;
    EXPECT_EQ(lines(payslip), after);
}

TEST_F(PayrollEngine, ARuleEndingMidYearPricesOnlyThePeriodsItCovers)
{
    // From Mehr 1404 (2025-09-23) overtime is paid 1.5 times the hourly wage.
    db.exec("UPDATE tblPelikMFunctionDetail SET EndDate = '2025-09-22' WHERE FunctionID = ?", {Overtime});
    db.exec("INSERT INTO tblPelikMFunctionDetail (FunctionID, TypeID, ParameterTypeID, BeginDate, EndDate, "
            "SequenceInMonthlySalary, Kind, Method, Rate, Divisor, Insurable, Taxable) "
            "VALUES (?, 6, 3, '2025-09-23', '2026-03-20', 60, 1, 3, 15000, 220, 1, 1)",
            {Overtime});
    const int ali = hire(QDate(2024, 3, 20), {{Base, 181'000'000}});
    enter(ali, Overtime, 20);
    const QDate mehrBegin(2025, 9, 23), mehrEnd(2025, 10, 22);
    enter(ali, Overtime, 20, mehrBegin, mehrEnd);

    const int shahrivar = create(ali);
    const int mehr = env.spHRCreateMonthlySalary(1, mehrBegin, mehrEnd, ali);
    EXPECT_EQ(lines(shahrivar)[Overtime], 23'036'364); // 20 × 181,000,000 × 1.4 / 220
    EXPECT_EQ(lines(mehr)[Overtime], 24'681'818);      // 20 × 181,000,000 × 1.5 / 220 = 24,681,818.2
}

TEST_F(PayrollEngine, ANewerTaxTableWinsAndThePayslipRestsOnTheOrdinanceOfItsLastDay)
{
    // A flat 10% table from 1404/06/01, the 1404 table left open beside it.
    db.exec("INSERT INTO tblHRTaxBracket (BeginDate, EndDate, FromAmount, Rate) VALUES ('2025-08-23', '9999-12-31', 0, 1000)");
    const int reza = hire(QDate(2024, 3, 20), {{Base, 700'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000}});
    // Ten days in the middle of the month on a short ordinance that has ended by its last day.
    const int shortOne = db.addOrdinance(reza, QDate(2025, 9, 1), QDate(2025, 9, 10), true);
    db.exec("INSERT INTO tblHROrdinanceDetail VALUES (?, ?, 900000000)", {shortOne, Base});
    const int payslip = create(reza);
    EXPECT_EQ(db.scalar("SELECT OrdinanceID FROM tblHRMonthlySalary WHERE ID = ?", {payslip}),
              db.scalar("SELECT min(ID) FROM tblHROrdinance WHERE EmployeeID = ?", {reza}));
    // Base 700,000,000 × 21/31 + 900,000,000 × 10/31 = 764,516,129.03; housing 6,096,774.2 and
    // groceries 14,903,225.8 over 21 days; tax 10% of 785,516,129 = 78,551,612.9.
    EXPECT_EQ(lines(payslip)[Base], 764'516'129);
    EXPECT_EQ(lines(payslip)[Tax], 78'551'613);
}

TEST_F(PayrollEngine, UnpricedFactorsAmountsForComputedOnesAndNegativeEarningsAreRefused)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 100'000'000}, {777, 5}}); // no rule prices 777
    EXPECT_THROW(create(ali), ComponentError);
    db.exec("DELETE FROM tblHROrdinanceDetail WHERE FunctionID = 777");
    const int adjustment = document("tblHRExceptionBatch");
    db.exec("INSERT INTO tblHRExceptionBatchDetail VALUES (?, ?, ?, 5000000)", {adjustment, ali, Loans});
    EXPECT_THROW(create(ali), ComponentError);
    db.exec("UPDATE tblHRExceptionBatchDetail SET FunctionID = ?, Amount = -200000000", {Housing});
    EXPECT_THROW(create(ali), ComponentError);
    EXPECT_EQ(db.count("tblHRMonthlySalary"), 0);
    EXPECT_THROW(env.spHRCreateMonthlySalary(1, begin, begin.addDays(31), ali), ComponentError); // longer than a month
}

TEST_F(PayrollEngine, TheMonthsDocumentBalancesAndOwesEachPayslipsNet)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 150'000'000}, {ChildAllowance, 7'166'000}});
    const int reza = hire(QDate(2024, 3, 20), {{Base, 700'000'000}, {Housing, 9'000'000}});
    const int sara = hire(QDate(2025, 9, 1), {{Base, 120'000'000}});
    enter(sara, Absence, 8);
    fund(reza, 3'000'000);
    QList<int> payslips;
    for (int employee : {ali, reza, sara}) {
        payslips << create(employee);
        ASSERT_GT(finalize(employee), 0);
    }
    const int document = post(QString("%1,%2,%3").arg(ali).arg(reza).arg(sara));
    ASSERT_GT(document, 0);
    EXPECT_EQ(post(QString::number(ali)), 0); // posted once

    const auto sum = [&](const QString &what, const QString &where = "1=1") {
        return db.scalar(QString("SELECT sum(%1) FROM tblAccountDocumentDetail WHERE DocumentID = ? AND %2")
                             .arg(what, where),
                         {document})
            .toLongLong();
    };
    const QString netPay = "Description = 'خالص حقوق پرداختني'";
    EXPECT_EQ(sum("Debit"), sum("Credit"));
    EXPECT_EQ(sum("Credit", netPay), net(payslips[0]) + net(payslips[1]) + net(payslips[2]));
    // Salary expense by factor and cost centre; the employer's share as expense, owed with the employee's.
    EXPECT_EQ(sum("Debit", "Description LIKE 'هزينه حقوق پايه%'"), 150'000'000 + 700'000'000 + 85'161'290);
    EXPECT_EQ(sum("Credit", "Description = 'حق بيمه پرداختني'"),
              sum("Debit", "Description LIKE 'هزينه حق بيمه سهم کارفرما%'")
                  + db.scalar("SELECT sum(Amount) FROM tblHRMonthlySalaryDetail WHERE FunctionID = ?", {Insurance})
                        .toLongLong());

    // Back to temporary takes Reza's share out and leaves the document balanced.
    ASSERT_EQ(backToTemp(reza), 1);
    EXPECT_EQ(sum("Debit"), sum("Credit"));
    EXPECT_EQ(sum("Credit", netPay), net(payslips[0]) + net(payslips[2]));
    for (int employee : {ali, sara})
        backToTemp(employee);
    EXPECT_EQ(db.count("tblAccountDocument", QString("ID = %1").arg(document)), 0);
    EXPECT_EQ(db.count("tblAccountDocumentDetail"), 0);
}

} // namespace
} // namespace oruhr::test
