#pragma once

#include <QDate>

namespace oruhr {

class DtEn;

// Removes an employee's temporary payslips that begin on the period's first day, with their
// detail lines and paid loan and fund instalments. Payslips that merely overlap the period,
// and final ones, stay.
class TemporaryPayslipDeletion {
public:
    // False when there was nothing to remove. Throws ComponentError; what one employee's
    // statements did is then rolled back, so the payslip stays whole.
    static bool run(DtEn &dtEn, qint32 employeeId, const QDate &begin);
};

} // namespace oruhr
