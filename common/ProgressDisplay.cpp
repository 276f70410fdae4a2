#include "common/ProgressDisplay.h"

#include <QLabel>
#include <QProgressBar>

namespace oruhr {
namespace {

constexpr qint64 paintIntervalMs = 100;

} // namespace

ProgressDisplay::ProgressDisplay(QWidget &window, QProgressBar &bar, QLabel &label)
    : m_window(window)
    , m_bar(bar)
    , m_label(label)
    , m_labelWidth(label.width())
{
}

ProgressDisplay::~ProgressDisplay()
{
    m_label.resize(m_labelWidth, m_label.height());
}

void ProgressDisplay::start(int maximum)
{
    m_value = 0;
    m_bar.setRange(0, maximum);
    m_bar.setValue(0);
    m_label.setText(QStringLiteral("0"));
    m_bar.show();
    m_label.show();
    m_window.repaint();
    m_sincePaint.start();
}

void ProgressDisplay::advance(const QString &first, const QString &second)
{
    ++m_value;
    m_label.setText(QString::number(m_value) + QStringLiteral(": ") + first + QLatin1Char(' ') + second);
    if (m_sincePaint.hasExpired(paintIntervalMs))
        paint();
}

void ProgressDisplay::paint()
{
    // The designed label holds a few digits; a name would be cut off, so it grows to the right.
    const int wanted = m_label.sizeHint().width();
    if (wanted > m_label.width())
        m_label.resize(wanted, m_label.height());
    m_bar.setValue(m_value);
    // Only the progress changes during a run; the rest of the window was painted at the start.
    m_bar.repaint();
    m_label.repaint();
    m_sincePaint.restart();
}

void ProgressDisplay::hide()
{
    m_bar.hide();
    m_label.hide();
}

} // namespace oruhr
