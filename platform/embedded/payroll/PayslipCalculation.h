#pragma once

#include "platform/embedded/payroll/PayslipInputs.h"

#include <QList>

namespace oruhr::embedded {

class PayrollRules;

struct PayslipLine {
    qint64 functionId = 0;
    qint64 amount = 0;
};

// The amounts of one payslip, worked out from its inputs under the rules in force: one line
// per factor, rounded once, in payslip order; and the instalments it pays.
struct PayslipCalculation {
    QList<PayslipLine> lines;
    QList<Instalment> paidLoans;
    QList<Instalment> paidFunds;
    qint64 earnings = 0;
    qint64 deductions = 0;

    // Throws ComponentError when an input's factor has no usable rule.
    static PayslipCalculation of(const PayrollRules &rules, const PayslipInputs &inputs);
};

} // namespace oruhr::embedded
