#pragma once

#include "payslips/PayslipBatchStep.h"

#include <QString>

namespace oruhr {

class CheckedRowRun;
class EmployeeListWindow;

// Applies one batch step to every checked employee of the payslip window, with the
// window disabled and the progress shown, then tells the count and rebuilds the list.
// There is no unit of work across employees: a failure stops the run where it is, with
// no message, and leaves the progress naming the employee that failed.
class PayslipBatchOperation {
public:
    PayslipBatchOperation(EmployeeListWindow &window, PayslipBatchKind kind);

    void run();

private:
    bool confirmed() const;
    // True when the list should be rebuilt; throws ComponentError at a failing employee.
    bool processCheckedRows(CheckedRowRun &run);
    // The number of the document issued for the finalized employees; 0 when none.
    qint32 issueAccountDocument() const;
    void report(CheckedRowRun &run);

    EmployeeListWindow &m_window;
    const PayslipBatchStep m_step;
    QString m_finalizedIds;
};

} // namespace oruhr
