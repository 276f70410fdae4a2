#include "payslips/PayslipBatchStep.h"

#include "common/MessageText.h"
#include "payslips/PayslipLog.h"
#include "payslips/TemporaryPayslipDeletion.h"
#include "platform/automation/ComponentError.h"
#include "shell/ModMain.h"

namespace oruhr {

PayslipBatchStep PayslipBatchStep::of(PayslipBatchKind kind)
{
    switch (kind) {
    case PayslipBatchKind::TempSave:
        return {kind, {}, MessageText::TempSavedTail};
    case PayslipBatchKind::Calc:
        return {kind, {}, MessageText::CalculatedTail};
    case PayslipBatchKind::Finalize:
        return {kind, {}, MessageText::FinalizedTail, false, true};
    case PayslipBatchKind::BackToTemp:
        return {kind, MessageText::ConfirmBackToTemp, MessageText::BackToTempTail};
    case PayslipBatchKind::Delete:
        return {kind, MessageText::ConfirmBatchDelete, MessageText::DeletedTail};
    }
    Q_UNREACHABLE();
}

qint32 PayslipBatchStep::applyTo(ModMain &session, qint32 employeeId, const QDate &begin, const QDate &end) const
{
    DtEn &dtEn = session.dtEn();
    const qint16 creator = session.ActiveUserID;
    switch (kind) {
    case PayslipBatchKind::TempSave:
        return dtEn.spHRCreateMonthlySalary(creator, begin, end, employeeId);
    case PayslipBatchKind::Calc:
        return dtEn.spHRRecalculateMonthlySalary(creator, begin, end, employeeId);
    case PayslipBatchKind::Finalize:
        return dtEn.spHRFinalizedMonthlySalary(creator, begin, end, employeeId);
    case PayslipBatchKind::BackToTemp:
        return dtEn.spHRBackToTempMonthlySalary(creator, begin, end, employeeId);
    case PayslipBatchKind::Delete:
        return TemporaryPayslipDeletion::run(dtEn, employeeId, begin) ? 1 : 0;
    }
    Q_UNREACHABLE();
}

qint32 PayslipBatchStep::issueAccountDocument(ModMain &session, const QDate &end, const QString &finalizedIds)
{
    if (finalizedIds.isEmpty())
        return 0;
    try {
        return session.dtEn().spHRAccountDocSave(session.ActiveUserID, end, finalizedIds);
    } catch (const ComponentError &error) {
        qCWarning(lcPayslips) << "no accounting document for the finalized payslips:" << error.number()
                              << error.description();
        return 0;
    }
}

} // namespace oruhr
