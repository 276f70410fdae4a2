#include "payslips/PayslipBatchOperation.h"

#include "common/BusyCursor.h"
#include "common/MessageText.h"
#include "common/Messages.h"
#include "payslips/FormMain.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/PelikDate.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"

#include <QApplication>

namespace oruhr {
namespace {

// Letting pending messages run for each of ten thousand employees would cost more than the
// payroll work; they run at most this often.
constexpr qint64 messageIntervalMs = 100;

} // namespace

PayslipBatchOperation::PayslipBatchOperation(FormMain &form, PayslipBatchKind kind)
    : m_form(form)
    , m_step(PayslipBatchStep::of(kind))
    , m_progress(form, *form.pgb, *form.lblProgress)
{
}

void PayslipBatchOperation::run()
{
    if (!confirmed())
        return;
    if (m_form.datBeginDate->isEmpty()) {
        ShowMessage(MessageText::TitleProblem, MessageText::BeginDateMissing);
        return;
    }
    BusyCursor busy;
    m_form.setEnabled(false);
    try {
        if (processCheckedRows(busy)) {
            report(busy);
            m_progress.hide();
            m_form.RefreshEmployees();
        }
    } catch (const ComponentError &) {
        // The progress stays on the employee that failed; those before it are done.
        m_progress.paint();
    }
    busy.restore();
    finish();
}

bool PayslipBatchOperation::confirmed() const
{
    return m_step.confirmation.isEmpty()
        || AskYesNo(MessageText::TitleWarning, m_step.confirmation) != Answer::No;
}

bool PayslipBatchOperation::processCheckedRows(BusyCursor &busy)
{
    const int count = m_form.employees().checkedCount();
    if (count == 0) {
        busy.restore();
        ShowMessage(MessageText::TitleProblem, MessageText::NoEmployeeChecked);
        return false;
    }
    m_progress.start(count);
    const QDate begin = m_form.datBeginDate->englishdate();
    const QDate end = m_form.datEndDate->englishdate();
    const KeyedListModel &rows = m_form.employees();
    for (int row = 0; row < rows.rowCount(); ++row) {
        const ListItem &item = rows.item(row);
        if (item.checked) {
            m_progress.advance(item.texts.value(2), item.texts.value(3));
            const qint32 employeeId = item.key.mid(1).toInt();
            const qint32 result = m_step.applyTo(employeeId, begin, end);
            if (m_step.issuesAccountDocument && result != 0) {
                if (!m_finalizedIds.isEmpty())
                    m_finalizedIds += QLatin1Char(',');
                m_finalizedIds += QString::number(employeeId);
            }
        }
        if (m_step.processesMessages)
            processMessages();
    }
    m_progress.paint();
    return true;
}

// The window is disabled, so nothing the clerk does reaches it; this only keeps it painted.
void PayslipBatchOperation::processMessages()
{
    if (m_sinceMessages.isValid() && m_sinceMessages.elapsed() < messageIntervalMs)
        return;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceMessages.start();
}

qint32 PayslipBatchOperation::issueAccountDocument() const
{
    if (m_finalizedIds.isEmpty())
        return 0;
    try {
        return DtEn::instance().spHRAccountDocSave(ModMain::ActiveUserID, m_form.datEndDate->englishdate(),
                                                   m_finalizedIds);
    } catch (const ComponentError &) {
        // The payslips are final whatever happens to their document; without one there is
        // nothing to tell.
        return 0;
    }
}

void PayslipBatchOperation::report(BusyCursor &busy)
{
    const qint32 document = m_step.issuesAccountDocument ? issueAccountDocument() : 0;
    busy.restore();
    ShowMessage(MessageText::TitleSuccess, MessageText::countMessage(m_progress.value(), m_step.countTail));
    if (document > 0)
        ShowMessage(MessageText::TitleSuccess, MessageText::accountDocumentIssued(document));
}

void PayslipBatchOperation::finish()
{
    m_form.setEnabled(true);
    m_form.UpdateListButtons();
}

} // namespace oruhr
