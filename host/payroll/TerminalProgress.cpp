#include "host/payroll/TerminalProgress.h"

#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace oruhr::host {

TerminalProgress::TerminalProgress()
    : m_terminal(isatty(fileno(stderr)) == 1)
{
    m_sinceDrawn.start();
}

void TerminalProgress::advance(int done, int total, const QString &name)
{
    QTextStream err(stderr);
    if (!m_terminal) {
        const int tenth = total > 0 ? done * 10 / total : 10;
        if (tenth > m_lastTenth || done == total) {
            m_lastTenth = tenth;
            err << done << '/' << total << ": " << name << '\n';
        }
        return;
    }
    // Drawing ten thousand lines would cost more than the work; ten times a second is smooth.
    if (done != total && m_drawn && m_sinceDrawn.elapsed() < 100)
        return;
    m_sinceDrawn.restart();
    constexpr int width = 30;
    const int filled = total > 0 ? done * width / total : width;
    err << "\r\033[K[" << QString(filled, QLatin1Char('#')) << QString(width - filled, QLatin1Char(' ')) << "] "
        << done << '/' << total << ' ' << name;
    err.flush();
    m_drawn = true;
}

void TerminalProgress::finish()
{
    if (m_terminal && m_drawn)
        QTextStream(stderr) << '\n';
    m_drawn = false;
}

} // namespace oruhr::host
