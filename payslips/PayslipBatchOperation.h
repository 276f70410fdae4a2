#pragma once

#include "payslips/EmployeeRow.h"
#include "payslips/PayslipBatchStep.h"

#include <QDate>
#include <QString>

namespace oruhr {

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
    // Throws ComponentError at a failing employee.
    void apply(const EmployeeRow &row);
    // The number of the document issued for the finalized employees; 0 when none.

    EmployeeListWindow &m_window;
    const PayslipBatchStep m_step;
    QDate m_begin;
    QDate m_end;
    QString m_finalizedIds;
    qint32 m_document = 0;
};

} // namespace oruhr
