#include "common/CheckedRowRun.h"

#include "common/Messages.h"

#include <QApplication>
#include <QWidget>

namespace oruhr {
namespace {

// Letting pending messages run for each of ten thousand employees would cost more than the
// payroll work; they run at most this often.
constexpr qint64 messageIntervalMs = 100;

} // namespace

CheckedRowRun::CheckedRowRun(QWidget &window, QProgressBar &bar, QLabel &label, const ComponentRegistry &components)
    : m_window(window)
    , m_components(components)
    , m_progress(window, bar, label)
{
    m_window.setEnabled(false);
}

CheckedRowRun::~CheckedRowRun()
{
    // Clicks and keys made during the run still wait in the queue; they reach the window
    // while it is disabled, so none of them starts a step again.
    QApplication::processEvents();
    m_window.setEnabled(true);
    m_busy.restore();
}

void CheckedRowRun::tell(const QString &title, const QString &text)
{
    const bool busy = m_busy.active();
    m_busy.restore();
    ShowMessage(m_components, title, text);
    if (busy)
        m_busy.set();
}

void CheckedRowRun::letMessagesThrough()
{
    if (m_sinceMessages.isValid() && m_sinceMessages.elapsed() < messageIntervalMs)
        return;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceMessages.start();
}

} // namespace oruhr
