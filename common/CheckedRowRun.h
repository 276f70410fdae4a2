#pragma once

#include "common/BusyCursor.h"
#include "common/ProgressDisplay.h"

#include <QElapsedTimer>
#include <QString>

class QLabel;
class QProgressBar;
class QWidget;

namespace oruhr {

class ComponentRegistry;

// A run over the ticked rows of a list window: the hourglass and the window disabled from
// its start, the progress bar and its label while rows are done, and the window enabled
// and the pointer reset again on every way out of the run, a failure's included. Input made
// during the run has no effect after it.
class CheckedRowRun {
public:
    CheckedRowRun(QWidget &window, QProgressBar &bar, QLabel &label, const ComponentRegistry &components);
    ~CheckedRowRun();
    CheckedRowRun(const CheckedRowRun &) = delete;
    CheckedRowRun &operator=(const CheckedRowRun &) = delete;

    ProgressDisplay &progress() { return m_progress; }
    // The usual pointer, for a message the clerk must answer during the run.
    void restoreCursor() { m_busy.restore(); }
    // A message with the usual pointer, the hourglass back after it.
    void tell(const QString &title, const QString &text);
    // Lets pending paints and timers run, a few times a second at most; the clerk's input
    // waits until the run ends, and then reaches the window while it is still disabled.
    void letMessagesThrough();

private:
    BusyCursor m_busy;
    QWidget &m_window;
    const ComponentRegistry &m_components;
    ProgressDisplay m_progress;
    QElapsedTimer m_sinceMessages;
};

} // namespace oruhr
