#pragma once

#include <QDate>
#include <QString>

namespace oruhr {
class ModMain;
}

namespace oruhr::host {

// The payroll month at a glance, as the payslip window would list it: the employees with a
// final ordinance in the month by payslip state, the final payslips no accounting document
// holds yet, and the final payslips' net pay in rials.
struct MonthSummary {
    QString startText; // system parameter 3450, "yyyy/mm/dd"
    QDate begin, end;
    qint64 withoutPayslip = 0;
    qint64 temporary = 0;
    qint64 final = 0;
    qint64 unposted = 0;
    qint64 netPay = 0;

    // The month from the parameter, then every figure in one query, on the session's
    // connection. Throws ComponentError.
    static MonthSummary read(ModMain &session);
    // "آذر ۱۴۰۵"
    QString monthTitle() const;
};

} // namespace oruhr::host
