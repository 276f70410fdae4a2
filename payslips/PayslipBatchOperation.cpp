#include "payslips/PayslipBatchOperation.h"

#include "common/CheckedRowRun.h"
#include "common/MessageText.h"
#include "common/Messages.h"
#include "payslips/EmployeeListWindow.h"
#include "payslips/PayslipLog.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/PelikDate.h"
#include "shell/ModMain.h"

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
    CheckedRowBatch::Step step;
    step.eachRow = [this](CheckedRowRun &run, const ListItem &item) {
        const EmployeeRow row = EmployeeRow::of(item);
        run.progress().advance(row.firstName, row.surname);
        apply(row);
    };
    if (m_step.issuesAccountDocument)
        step.afterRows = [this](CheckedRowRun &) { m_document = PayslipBatchStep::issueAccountDocument(m_window.session(), m_window.endDate().englishdate(), m_finalizedIds); };
    step.countTail = m_step.countTail;
    step.afterCount = [this] {
        if (m_document > 0)
            ShowMessage(m_window.session().components(), MessageText::TitleSuccess, MessageText::accountDocumentIssued(m_document));
    };
    step.log = lcPayslips;
    step.letsMessagesThrough = m_step.processesMessages;
    m_begin = m_window.beginDate().englishdate();
    m_end = m_window.endDate().englishdate();
    m_window.runChecked(step);
}

bool PayslipBatchOperation::confirmed() const
{
    return m_step.confirmation.isEmpty()
        || AskYesNo(m_window.session().components(), MessageText::TitleWarning, m_step.confirmation) != Answer::No;
}

void PayslipBatchOperation::apply(const EmployeeRow &row)
{
    const qint32 result = m_step.applyTo(m_window.session(), row.id, m_begin, m_end);
    if (m_step.issuesAccountDocument && result != 0) {
        if (!m_finalizedIds.isEmpty())
            m_finalizedIds += QLatin1Char(',');
        m_finalizedIds += QString::number(row.id);
    }
}

} // namespace oruhr
