#pragma once

#include <QDate>
#include <QString>

namespace oruhr {

class ModMain;

// The five batch steps of the payslip window, and what sets each apart from the others.
enum class PayslipBatchKind { TempSave, Calc, Finalize, BackToTemp, Delete };

class PayslipBatchStep {
public:
    static PayslipBatchStep of(PayslipBatchKind kind);

    PayslipBatchKind kind;
    // Asked before anything else; empty when the step runs unasked.
    QString confirmation;
    // Ends the count message: "تعداد " and the count come first.
    QString countTail;
    // Finalize lets no pending message run during its loop.
    bool processesMessages = true;
    // Finalize collects the employees that became final and issues one accounting document.
    bool issuesAccountDocument = false;

    // The step for one employee over the period; throws ComponentError. The value is the
    // procedure's return value (for finalize: non-zero when the payslip became final).
    qint32 applyTo(ModMain &session, qint32 employeeId, const QDate &begin, const QDate &end) const;

    // The accounting document for the employees a finalisation made final ("12,7", in list
    // order): its number, or 0 when none is due or its call fails (logged). The payslips stay
    // final whatever happens to their document.
    static qint32 issueAccountDocument(ModMain &session, const QDate &end, const QString &finalizedIds);
};

} // namespace oruhr
