#pragma once

#include <QString>

namespace oruhr::payroll {

// An Iranian bank account number as the banks' transfer files take it (شماره شبا): "IR", two
// check digits and 22 digits, valid when the number moved round as ISO 13616 says leaves 1
// modulo 97, which catches every mistyped digit and most swapped pairs.
class ShebaNumber {
public:
    enum class Problem { None, Missing, Malformed, WrongCheckDigits };

    static Problem check(const QString &number);
    // The clerk's words for a problem; empty for None.
    static QString describe(Problem problem);
    // The account's 22 digits with "IR" and the check digits that make it valid.
    static QString withCheckDigits(const QString &account);
};

} // namespace oruhr::payroll
