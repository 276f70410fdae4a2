// Payslips worked out by hand under the shipped rules of 1404: hourly wage = the month's fixed
// wage (here the base alone) / 220; overtime 1.4 and night work 0.35 of it, absence all of it;
// a mission day = base / 30; employee insurance 7% and employer's 23% of insurable pay between
// 3,463,656 and 24,245,592 a day paid (31 days: 107,373,336 to 751,613,352); 2/7 of the
// employee's insurance off taxable pay; monthly tax 10% from 240M, 15% from 300M, 20% from
// 380M, 30% from 500M. Child allowance counts toward tax only, a mission toward neither.
// Each line is rounded once.

#include "tests/embedded/PayrollMonthFixture.h"
#include "tests/support/TestKit.h"

#include <functional>

namespace oruhr::test {
namespace {

using Lines = QMap<int, qint64>;

using PayrollEngine = PayrollMonthFixture;

TEST_F(PayrollEngine, AFullMonthWithOvertimeAndNightWork)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 150'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000},
                                              {ChildAllowance, 10'390'968}});
    enter(ali, Overtime, 20);
    enter(ali, NightWork, 10);
    const int payslip = create(ali);

    // Fixed wage 150,000,000: housing and groceries are not part of it (Labour Law art. 36 n. 3).
    // Overtime 20 × 150,000,000 × 1.4 / 220 = 19,090,909.1; night 10 × 150,000,000 × 0.35 / 220 = 2,386,363.6.
    // Insurable 181,000,000 + 21,477,272.7 = 202,477,272.7: 7% = 14,173,409.1, 23% = 46,569,772.7.
    // Taxable 212,868,240.7 (with the child allowance) less 2/7 of the insurance is under 240M: no tax.
    EXPECT_EQ(db.linesOf(payslip), (Lines{{Base, 150'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000},
                                     {ChildAllowance, 10'390'968}, {Overtime, 19'090'909}, {NightWork, 2'386'364},
                                     {Insurance, 14'173'409}, {EmployerInsurance, 46'569'773}}));
    // 212,868,241 - 14,173,409; the employer's share is not the employee's.
    EXPECT_EQ(db.netOf(payslip), 198'694'832);
}

TEST_F(PayrollEngine, HiredOnTheTenthWithAbsenceAndAMission)
{
    // 1404/06/10: paid for 22 of the month's 31 days.
    const int sara = hire(QDate(2025, 9, 1), {{Base, 120'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000}});
    enter(sara, Absence, 8);
    enter(sara, Mission, 3);
    const int payslip = create(sara);

    // Base 120,000,000 × 22/31 = 85,161,290.3; housing 6,387,096.8; groceries 15,612,903.2.
    // Absence 8 × 120,000,000 / 220 = 4,363,636.4 (the month's fixed wage, not the 22 days');
    // mission 3 × 120,000,000 / 30 = 12,000,000.
    // Insurable 107,161,290.3 - 4,363,636.4 = 102,797,653.9, between 22 days' floor (76,200,432)
    // and ceiling (533,403,024): 7% = 7,195,835.8, 23% = 23,643,460.4.
    EXPECT_EQ(db.linesOf(payslip), (Lines{{Base, 85'161'290}, {Housing, 6'387'097}, {Groceries, 15'612'903},
                                     {Mission, 12'000'000}, {Absence, 4'363'636}, {Insurance, 7'195'836},
                                     {EmployerInsurance, 23'643'460}}));
    // 119,161,290 - 4,363,636 - 7,195,836
    EXPECT_EQ(db.netOf(payslip), 107'601'818);
}

TEST_F(PayrollEngine, ALoanAndAFundAcrossTheTaxBracketsAfterTheInsuranceExemption)
{
    const int reza = hire(QDate(2024, 3, 20), {{Base, 700'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000}});
    const int owed = db.addLoan(reza, 100'000'000, 10'000'000), box = db.addFund(reza, 3'000'000);
    // 95,000,000 of the loan was paid last month: 5,000,000 is still owed.
    const int earlier = db.addPayslip(reza, QDate(2025, 7, 23), QDate(2025, 8, 22), true);
    db.exec("INSERT INTO tblHRMonthlyPaiedLoan (MonthlySalaryID, LoanID, Amount) VALUES (?, ?, 95000000)",
            {earlier, owed});
    const int payslip = create(reza);

    // Insurable 731,000,000, under 31 days' ceiling of 751,613,352: 7% = 51,170,000, 23% = 168,130,000.
    // Taxable 731,000,000 - 2/7 × 51,170,000 = 716,380,000:
    // 60M × 10% + 80M × 15% + 120M × 20% + 216,380,000 × 30% = 106,914,000.
    EXPECT_EQ(db.linesOf(payslip), (Lines{{Base, 700'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000},
                                     {Insurance, 51'170'000}, {Tax, 106'914'000}, {Loans, 5'000'000},
                                     {Fund, 3'000'000}, {EmployerInsurance, 168'130'000}}));
    EXPECT_EQ(db.paidLoansOf(payslip), (Lines{{owed, 5'000'000}}));
    EXPECT_EQ(db.paidFundsOf(payslip), (Lines{{box, 3'000'000}}));
    EXPECT_EQ(db.netOf(payslip), 564'916'000);
}

TEST_F(PayrollEngine, WhatThePayCannotCoverWaitsTheFundFirstThenTheLastLoansNeverInsuranceOrTax)
{
    const int advance = db.defineAdvance();
    const int maryam = hire(QDate(2024, 3, 20), {{Base, 110'000'000}});
    enter(maryam, advance, 20'000'000);
    const int first = db.addLoan(maryam, 800'000'000, 80'000'000);
    db.addLoan(maryam, 400'000'000, 40'000'000);
    db.addFund(maryam, 10'000'000);
    const int payslip = create(maryam);

    // 110,000,000 less 7% insurance in full and the advance leaves 82,300,000: the first loan
    // fits, the second loan and then the fund would not, though the fund alone would.
    EXPECT_EQ(db.linesOf(payslip), (Lines{{Base, 110'000'000}, {advance, 20'000'000}, {Insurance, 7'700'000},
                                     {Loans, 80'000'000}, {EmployerInsurance, 25'300'000}}));
    EXPECT_EQ(db.paidLoansOf(payslip), (Lines{{first, 80'000'000}}));
    EXPECT_TRUE(db.paidFundsOf(payslip).isEmpty());
    EXPECT_EQ(db.netOf(payslip), 2'300'000);
}

// Insurable pay is held between the minimum and seven times the minimum daily wage, times the
// days the payslip pays.
TEST_F(PayrollEngine, InsuranceIsCappedAndFlooredByTheDaysPaid)
{
    struct Case {
        const char *what;
        QDate hired, begin, end;
        qint64 base, insurance;
    };
    const QDate shahrivar(2025, 8, 23), shahrivarEnd(2025, 9, 22), esfand(2026, 2, 20), esfandEnd(2026, 3, 20);
    const Case cases[] = {
        // 24,245,592 × 31 = 751,613,352; 7% = 52,612,934.6.
        {"31 days, capped", QDate(2024, 3, 20), shahrivar, shahrivarEnd, 800'000'000, 52'612'935},
        // 24,245,592 × 29 = 703,122,168; 7% = 49,218,551.8.
        {"29 days of Esfand, capped", QDate(2024, 3, 20), esfand, esfandEnd, 800'000'000, 49'218'552},
        // 831,000,000 × 22/31 = 589,741,935.5 above 24,245,592 × 22 = 533,403,024; 7% = 37,338,211.7.
        {"22 days, capped", QDate(2025, 9, 1), shahrivar, shahrivarEnd, 800'000'000, 37'338'212},
        // 81,000,000 under 3,463,656 × 31 = 107,373,336; 7% = 7,516,133.5.
        {"31 days, floored", QDate(2024, 3, 20), shahrivar, shahrivarEnd, 50'000'000, 7'516'134},
        // 81,000,000 × 22/31 = 57,483,871 under 3,463,656 × 22 = 76,200,432; 7% = 5,334,030.2.
        {"22 days, floored", QDate(2025, 9, 1), shahrivar, shahrivarEnd, 50'000'000, 5'334'030},
    };
    for (const Case &c : cases) {
        const int employee = hire(c.hired, {{Base, c.base}, {Housing, 9'000'000}, {Groceries, 22'000'000}});
        const int payslip = env.spHRCreateMonthlySalary(1, c.begin, c.end, employee);
        EXPECT_EQ(db.linesOf(payslip)[Insurance], c.insurance) << c.what;
    }
}

TEST_F(PayrollEngine, RecalculatingMovesOnlyTheLinesAChangedEntryReaches)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 150'000'000}, {Housing, 9'000'000}, {Groceries, 22'000'000},
                                              {ChildAllowance, 10'390'968}});
    enter(ali, Overtime, 20);
    enter(ali, NightWork, 10);
    const int box = db.addFund(ali, 2'000'000);
    const int payslip = create(ali);
    const Lines before = db.linesOf(payslip);

    EXPECT_EQ(recalculate(ali), 1);
    EXPECT_EQ(db.linesOf(payslip), before);
    EXPECT_EQ(db.paidFundsOf(payslip), (Lines{{box, 2'000'000}}));

    db.exec("UPDATE tblHRRunTimeBatchDetail SET Value = 30 WHERE ParameterID = ?", {Overtime});
    EXPECT_EQ(recalculate(ali), 1);
    Lines after = before;
    // 30 × 150,000,000 × 1.4 / 220 = 28,636,363.6; insurable 212,022,727.3: 7% = 14,841,590.9, 23% = 48,765,227.3.
    after[Overtime] = 28'636'364;
    after[Insurance] = 14'841'591;
    after[EmployerInsurance] = 48'765'227;
    EXPECT_EQ(db.linesOf(payslip), after);
}

TEST_F(PayrollEngine, RulesAndEntriesThatChangeInsideThePeriodCountDayByDay)
{
    // From 1404/06/15 (2025-09-06) overtime is paid 1.5 times the hourly wage.
    db.exec("UPDATE tblPelikMFunctionDetail SET EndDate = '2025-09-05' WHERE FunctionID = ?", {Overtime});
    db.exec("INSERT INTO tblPelikMFunctionDetail (FunctionID, TypeID, ParameterTypeID, BeginDate, EndDate, "
            "SequenceInMonthlySalary, Kind, Method, Rate, Divisor, Insurable, Taxable) "
            "VALUES (?, 6, 3, '2025-09-06', '2026-03-20', 60, 1, 3, 15000, 220, 1, 1)",
            {Overtime});
    const int ali = hire(QDate(2024, 3, 20), {{Base, 181'000'000}});
    enter(ali, Overtime, 7.5);
    // Valid for 30 days from 1404/06/17: 15 of them in Shahrivar, 15 in Mehr.
    enter(ali, Overtime, 30, QDate(2025, 9, 8), QDate(2025, 10, 7));
    const QDate mehrBegin(2025, 9, 23), mehrEnd(2025, 10, 22);

    const int shahrivar = create(ali);
    const int mehr = env.spHRCreateMonthlySalary(1, mehrBegin, mehrEnd, ali);
    // Hourly 181,000,000 / 220 = 822,727.27: 7.5 h × (14 days × 1.4 + 17 days × 1.5) / 31 + 15 h × 1.5.
    EXPECT_EQ(db.linesOf(shahrivar)[Overtime], 27'488'380);
    EXPECT_EQ(db.linesOf(mehr)[Overtime], 18'511'364); // 15 h × 1.5
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
    // groceries 14,903,225.8 over 21 days: 785,516,129 capped at 751,613,352, insurance 52,612,934.6;
    // tax 10% of 785,516,129 - 15,032,267 = 77,048,386.2.
    EXPECT_EQ(db.linesOf(payslip)[Base], 764'516'129);
    EXPECT_EQ(db.linesOf(payslip)[Tax], 77'048'386);
}

TEST_F(PayrollEngine, ThePayslipKeepsTheKindsItWasComputedWith)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 150'000'000}});
    create(ali);
    finalize(ali);
    // An office turns the base into a deduction after the payslip was made final.
    db.exec("UPDATE tblPelikMFunctionDetail SET Kind = 2 WHERE FunctionID = ?", {Base});
    const int document = post(QString::number(ali));
    EXPECT_EQ(db.scalar("SELECT Debit FROM tblAccountDocumentDetail WHERE DocumentID = ? AND Description = "
                        "'هزينه حقوق پايه'", {document}).toLongLong(),
              150'000'000);
}

// Each refused call names what is wrong in Persian and writes nothing.
struct Refusal {
    const char *what;
    std::function<void(PayrollMonthFixture &, int employee)> arrange;
    QString says;
};

class PayrollRefusals : public PayrollMonthFixture, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PayrollRefusals, NameTheFaultAndWriteNothing)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 110'000'000}});
    GetParam().arrange(*this, ali);
    try {
        env.spHRCreateMonthlySalary(1, begin, GetParam().what == std::string("period") ? end.addDays(1) : end, ali);
        ADD_FAILURE() << "not refused";
    } catch (const ComponentError &error) {
        EXPECT_TRUE(error.description().contains(GetParam().says)) << error.description().toStdString();
    }
    EXPECT_EQ(db.count("tblHRMonthlySalary"), 0);
    EXPECT_EQ(db.count("tblHRMonthlySalaryDetail"), 0);
}

using F = PayrollMonthFixture;
INSTANTIATE_TEST_SUITE_P(
    Inputs, PayrollRefusals,
    ::testing::Values(
        Refusal{"negative", [](F &f, int e) { f.enter(e, F::Overtime, -3); }, "منفي است"},
        Refusal{"decimals", [](F &f, int e) { f.enter(e, F::Overtime, "7.12345"); }, "چهار رقم اعشار"},
        Refusal{"period", [](F &, int) {}, "فراتر مي رود"},
        Refusal{"taxTable", [](F &f, int) { f.db.exec("DELETE FROM tblHRTaxBracket"); }, "جدول ماليات حقوق"},
        Refusal{"ceiling", [](F &f, int) { f.db.exec("DELETE FROM tblHRInsuranceCeiling"); }, "سقف و کف دستمزد بيمه"},
        // 210 h absence leaves 5,000,000, under the floor's insurance of 7,516,134.
        Refusal{"uncovered", [](F &f, int e) { f.enter(e, F::Absence, 210); }, "نمي پوشاند"},
        Refusal{"unpriced", [](F &f, int e) { f.db.exec("INSERT INTO tblHROrdinanceDetail SELECT max(ID), 777, 5 FROM tblHROrdinance"); },
                "تعريفي ندارد"},
        Refusal{"computed",
                [](F &f, int e) {
                    f.db.exec("INSERT INTO tblHRExceptionBatchDetail VALUES (?, ?, ?, 5000000)",
                              {f.db.addDocument("tblHRExceptionBatch"), e, F::Loans});
                },
                "ورود مقدار"},
        Refusal{"negativeEarning",
                [](F &f, int e) {
                    f.db.exec("INSERT INTO tblHRExceptionBatchDetail VALUES (?, ?, ?, -200000000)",
                              {f.db.addDocument("tblHRExceptionBatch"), e, F::Housing});
                },
                "منفي مي شود"}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(PayrollEngine, ANumberOnceGivenIsNeverGivenToAnother)
{
    QList<int> staff;
    for (int i = 0; i < 3; ++i) {
        staff << hire(QDate(2024, 3, 20), {{Base, 150'000'000}});
        create(staff.last());
    }
    const auto code = [&](int employee) {
        return db.scalar("SELECT coalesce(Code, '') FROM tblHRMonthlySalary WHERE EmployeeID = ?", {employee}).toString();
    };
    finalize(staff[0]);
    finalize(staff[1]);
    const QString highest = code(staff[1]);
    backToTemp(staff[1]);
    finalize(staff[2]);
    EXPECT_EQ(code(staff[2]).toInt(), highest.toInt() + 1);
    finalize(staff[1]);
    EXPECT_EQ(code(staff[1]), highest); // its own number back

    const auto documentCode = [&](int document) {
        return db.scalar("SELECT Code FROM tblAccountDocument WHERE ID = ?", {document}).toInt();
    };
    const int first = documentCode(post(QString::number(staff[0])));
    backToTemp(staff[0]); // empties the document, which goes
    finalize(staff[0]);
    EXPECT_EQ(documentCode(post(QString::number(staff[0]))), first + 1);
    QSqlQuery duplicate(db.sql());
    EXPECT_FALSE(duplicate.exec(QString("UPDATE tblHRMonthlySalary SET Code = '%1' WHERE EmployeeID = %2")
                                    .arg(highest)
                                    .arg(staff[2])));
}

// The server writes a document in one statement, the embedded database line by line.
class Posting : public PayrollMonthFixture, public ::testing::WithParamInterface<Backend> {
protected:
    Posting()
        : PayrollMonthFixture(GetParam())
    {
    }
};

TEST_P(Posting, TheMonthsDocumentBalancesAndOwesEachPayslipsNet)
{
    const int ali = hire(QDate(2024, 3, 20), {{Base, 150'000'000}, {ChildAllowance, 10'390'968}});
    const int reza = hire(QDate(2024, 3, 20), {{Base, 700'000'000}, {Housing, 9'000'000}});
    const int sara = hire(QDate(2025, 9, 1), {{Base, 120'000'000}});
    enter(sara, Absence, 8);
    db.addFund(reza, 3'000'000);
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
    EXPECT_EQ(sum("Credit", netPay), db.netOf(payslips[0]) + db.netOf(payslips[1]) + db.netOf(payslips[2]));
    // Salary expense by factor and cost centre; the employer's share as expense, owed with the employee's.
    EXPECT_EQ(sum("Debit", "Description LIKE 'هزينه حقوق پايه%'"), 150'000'000 + 700'000'000 + 85'161'290);
    EXPECT_EQ(sum("Credit", "Description = 'حق بيمه پرداختني'"),
              sum("Debit", "Description LIKE 'هزينه حق بيمه سهم کارفرما%'")
                  + db.scalar("SELECT sum(Amount) FROM tblHRMonthlySalaryDetail WHERE FunctionID = ?", {Insurance})
                        .toLongLong());

    // Back to temporary takes Reza's share out and leaves the document balanced.
    ASSERT_EQ(backToTemp(reza), 1);
    EXPECT_EQ(sum("Debit"), sum("Credit"));
    EXPECT_EQ(sum("Credit", netPay), db.netOf(payslips[0]) + db.netOf(payslips[2]));
    for (int employee : {ali, sara})
        backToTemp(employee);
    EXPECT_EQ(db.count("tblAccountDocument", QString("ID = %1").arg(document)), 0);
    EXPECT_EQ(db.count("tblAccountDocumentDetail"), 0);
    EXPECT_EQ(db.count("tblHRMonthlySalaryPosting"), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, Posting, ::testing::Values(Backend::Embedded, Backend::PostgreSQL), backendName);

} // namespace
} // namespace oruhr::test
