#include "payslips/PayslipBatchOperation.h"

#include "common/CheckedRowRun.h"
#include "common/MessageText.h"
#include "common/Messages.h"
#include "payslips/EmployeeListWindow.h"
#include "payslips/PayslipLog.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/PelikDate.h"
#include "shell/ModMain.h"

#include <algorithm>

namespace oruhr {

PayslipBatchOperation::PayslipBatchOperation(EmployeeListWindow &window, PayslipBatchKind kind)
    : m_window(window)
    , m_step(PayslipBatchStep::of(kind))
{
}

void PayslipBatchOperation::run()
{
    if (!confirmed())
        return;
    if (m_window.beginDate().isEmpty()) {
        ShowMessage(m_window.session().components(), MessageText::TitleProblem, MessageText::BeginDateMissing);
        return;
    }
    {
        const std::unique_ptr<CheckedRowRun> run = m_window.beginRun();
        try {
            if (processCheckedRows(*run)) {
                report(*run);
                run->progress().hide();
                m_window.RefreshEmployees();
            }
        } catch (const ComponentError &error) {
            // The progress stays on the employee that failed; those before it are done.
            run->progress().paint();
            qCWarning(lcPayslips) << "batch step stopped at employee" << run->progress().value() << ":"
                                  << error.number() << error.description();
        }
    }
    m_window.UpdateListButtons();
}

bool PayslipBatchOperation::confirmed() const
{
    return m_step.confirmation.isEmpty()
        || AskYesNo(m_window.session().components(), MessageText::TitleWarning, m_step.confirmation) != Answer::No;
}

bool PayslipBatchOperation::processCheckedRows(CheckedRowRun &run)
{
    const QList<EmployeeRow> rows = m_window.employeeRows();
    const int count = int(std::count_if(rows.cbegin(), rows.cend(), [](const EmployeeRow &row) { return row.checked; }));
    if (count == 0) {
        ShowMessage(m_window.session().components(), MessageText::TitleProblem, MessageText::NoEmployeeChecked);
        return false;
    }
    run.progress().start(count);
    ModMain &session = m_window.session();
    const QDate begin = m_window.beginDate().englishdate();
    const QDate end = m_window.endDate().englishdate();
    for (const EmployeeRow &row : rows) {
        if (row.checked) {
            run.progress().advance(row.firstName, row.surname);
            const qint32 result = m_step.applyTo(session, row.id, begin, end);
            if (m_step.issuesAccountDocument && result != 0) {
                if (!m_finalizedIds.isEmpty())
                    m_finalizedIds += QLatin1Char(',');
                m_finalizedIds += QString::number(row.id);
            }
        }
        if (m_step.processesMessages)
            run.letMessagesThrough();
    }
    run.progress().paint();
    return true;
}

qint32 PayslipBatchOperation::issueAccountDocument() const
{
    if (m_finalizedIds.isEmpty())
        return 0;
    try {
        ModMain &session = m_window.session();
        return session.dtEn().spHRAccountDocSave(session.ActiveUserID, m_window.endDate().englishdate(),
                                                 m_finalizedIds);
    } catch (const ComponentError &error) {
        // The payslips are final whatever happens to their document; without one there is
        // nothing to tell.
        qCWarning(lcPayslips) << "no accounting document for the finalized payslips:" << error.number()
                              << error.description();
        return 0;
    }
}

void PayslipBatchOperation::report(CheckedRowRun &run)
{
    const qint32 document = m_step.issuesAccountDocument ? issueAccountDocument() : 0;
    run.restoreCursor();
    ShowMessage(m_window.session().components(), MessageText::TitleSuccess, MessageText::countMessage(run.progress().value(), m_step.countTail));
    if (document > 0)
        ShowMessage(m_window.session().components(), MessageText::TitleSuccess, MessageText::accountDocumentIssued(document));
}

} // namespace oruhr
