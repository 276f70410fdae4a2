#pragma once

#include <QString>
#include <QtGlobal>

namespace oruhr::payroll {

// What a salary factor is, from its definition row in force (tblPelikMFunctionDetail).
enum class FactorKind {
    Earning = 1,
    Deduction = 2,
    EmployerContribution = 3, // posted to the accounts, never printed on the payslip
};

// How a factor's amount is reached. Rates and divisors come from the same row.
enum class FactorMethod {
    AsGiven = 1,             // the ordinance item prorated, or the amount entered or adjusted
    OrdinanceBase = 2,       // as given; also the base that UnitsOfBase prices by
    HoursOfFixedWage = 3,    // hours × the month's fixed wage / Divisor × Rate
    UnitsOfBase = 4,         // days or percent × the monthly base / Divisor × Rate
    EmployeeInsurance = 5,   // Rate × insurable pay between the floor and the ceiling
    EmployerInsurance = 6,
    IncomeTax = 7,           // by the monthly tax brackets
    LoanInstalments = 8,
    FundContributions = 9,
};

// Rates are stored in ten-thousandths: 14000 is 1.4, 700 is 7%.
constexpr qint64 RateScale = 10000;

struct FactorRule {
    qint64 functionId = 0;
    QString name;
    FactorKind kind = FactorKind::Earning;
    FactorMethod method = FactorMethod::AsGiven;
    qint64 rate = RateScale;
    qint64 divisor = 1;
    bool insurable = false;
    bool taxable = false;
    bool fixedWage = false; // part of the fixed wage (Labour Law art. 36) that hours are priced by
    int sequence = 0;

    bool isEntered() const { return isEnteredMethod(method); }
    static bool isEnteredMethod(FactorMethod method) { return method <= FactorMethod::UnitsOfBase; }
    // An entered deduction that lessens insurable or taxable pay (absence) cuts the pay itself;
    // any other (an advance) is recovered from what is left after insurance and tax.
    bool cutsPay() const { return kind == FactorKind::Deduction && isEntered() && (insurable || taxable); }
};

} // namespace oruhr::payroll
