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
#include <QLabel>
#include <QProgressBar>

namespace oruhr {
namespace {

// Painting the whole window for each of ten thousand employees would cost more than the
// payroll work; the progress is painted at most this often, and always at the end.
constexpr qint64 PaintIntervalMs = 30;

} // namespace

PayslipBatchOperation::PayslipBatchOperation(FormMain &form, PayslipBatchKind kind)
    : m_form(form)
    , m_step(PayslipBatchStep::of(kind))
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
            m_form.pgb->hide();
            m_form.lblProgress->hide();
            m_form.RefreshEmployees();
        }
    } catch (const ComponentError &) {
        // The progress stays on the employee that failed; those before it are done.
        paintProgress(true);
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
    startProgress(count);
    const QDate begin = m_form.datBeginDate->englishdate();
    const QDate end = m_form.datEndDate->englishdate();
    const KeyedListModel &rows = m_form.employees();
    for (int row = 0; row < rows.rowCount(); ++row) {
        const ListItem &item = rows.item(row);
        if (item.checked) {
            advanceProgress(item.texts.value(2), item.texts.value(3));
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
    paintProgress(true);
    return true;
}

void PayslipBatchOperation::startProgress(int count)
{
    m_form.pgb->setRange(0, count);
    m_form.pgb->setValue(0);
    m_form.lblProgress->setText(QStringLiteral("0"));
    m_form.pgb->show();
    m_form.lblProgress->show();
    m_form.repaint();
    m_sincePaint.start();
}

void PayslipBatchOperation::advanceProgress(const QString &firstName, const QString &surname)
{
    ++m_done;
    m_form.pgb->setValue(m_done);
    m_form.lblProgress->setText(QString::number(m_done) + QStringLiteral(": ") + firstName + QLatin1Char(' ')
                                + surname);
    paintProgress(false);
}

void PayslipBatchOperation::paintProgress(bool now)
{
    if (!now && m_sincePaint.isValid() && m_sincePaint.elapsed() < PaintIntervalMs)
        return;
    // The designed label holds a few digits; a name would be cut off, so it grows to the right.
    QLabel &label = *m_form.lblProgress;
    const int wanted = label.sizeHint().width();
    if (wanted > label.width())
        label.resize(wanted, label.height());
    // Only the progress changes during a run; the rest of the window is painted when shown.
    m_form.pgb->repaint();
    label.repaint();
    m_sincePaint.start();
}

// The window is disabled, so nothing the clerk does reaches it; this only keeps it painted.
void PayslipBatchOperation::processMessages()
{
    if (m_sinceMessages.isValid() && m_sinceMessages.elapsed() < PaintIntervalMs)
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
    ShowMessage(MessageText::TitleSuccess, MessageText::countMessage(m_done, m_step.countTail));
    if (document > 0)
        ShowMessage(MessageText::TitleSuccess, MessageText::accountDocumentIssued(document));
}

void PayslipBatchOperation::finish()
{
    m_form.setEnabled(true);
    m_form.UpdateListButtons();
}

} // namespace oruhr
