#pragma once

#include "payroll/FactorRule.h"
#include "payroll/PayslipInputs.h"

#include <QList>

namespace oruhr::payroll {

class PeriodRules;

// A line keeps the kind and method it was computed with: a later change of the factor's rule
// does not change what a posted payslip says.
struct PayslipLine {
    qint64 functionId = 0;
    qint64 amount = 0;
    FactorKind kind = FactorKind::Earning;
    FactorMethod method = FactorMethod::AsGiven;
};

// Insurance and tax are owed in full: a pay that cannot bear them is not a payslip.
struct UncoveredStatutoryDeductions {
    qint64 pay = 0;
    qint64 insurance = 0;
    qint64 tax = 0;
};

// The amounts of one payslip, worked out from its inputs under the rules in force day by day:
// one line per factor, rounded once, in payslip order; and the instalments it pays.
struct PayslipCalculation {
    QList<PayslipLine> lines;
    QList<Instalment> paidLoans;
    QList<Instalment> paidFunds;
    qint64 earnings = 0;
    qint64 deductions = 0;

    // Throws ComponentError when an input's factor has no usable rule or an input is refused,
    // and UncoveredStatutoryDeductions.
    static PayslipCalculation of(const PeriodRules &rules, const PayslipInputs &inputs);
};

} // namespace oruhr::payroll
