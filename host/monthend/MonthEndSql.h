#pragma once

#include <QString>

namespace oruhr {

// The month end's SQL texts, in the windows' dialect (rewritten for each back end). Dates come
// in as literal bodies (Connection::dateLiteral). A payslip's net pay is its earnings less its
// deductions, by the kinds its lines were computed with, as the payslip prints it.
class MonthEndSql {
public:
    // The month's final payslips that no accounting document holds.
    static QString unpostedPayslips(const QString &begin, const QString &end);
    // The month's final payslips with their employees' bank details.
    static QString bankTransfers(const QString &begin, const QString &end);
};

} // namespace oruhr
