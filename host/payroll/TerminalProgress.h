#pragma once

#include <QElapsedTimer>
#include <QString>

namespace oruhr::host {

// The progress of a run on standard error: a bar redrawn in place on a terminal, a plain line
// at every tenth otherwise, so that a log stays short and readable.
class TerminalProgress {
public:
    TerminalProgress();

    void advance(int done, int total, const QString &name);
    // Ends the bar's line.
    void finish();

private:
    bool m_terminal;
    bool m_drawn = false;
    int m_lastTenth = 0;
    QElapsedTimer m_sinceDrawn;
};

} // namespace oruhr::host
