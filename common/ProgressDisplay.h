#pragma once

#include <QElapsedTimer>
#include <QString>

class QLabel;
class QProgressBar;
class QWidget;

namespace oruhr {

// The progress bar and its label during a batch run. Every step counts one and names its
// item in the label; painting for each of ten thousand employees would cost more than the
// work itself (the bar repaints itself at once for every pixel it grows), so the bar takes
// its value when painted: ten times a second, which the eye takes for smooth, and whenever
// paint() is asked for.
class ProgressDisplay {
public:
    ProgressDisplay(QWidget &window, QProgressBar &bar, QLabel &label);
    // The label has its width of before the run again.
    ~ProgressDisplay();
    ProgressDisplay(const ProgressDisplay &) = delete;
    ProgressDisplay &operator=(const ProgressDisplay &) = delete;

    // Value 0 and the label "0", both shown and the window painted.
    void start(int maximum);
    // One more done. The label reads the count, ": ", then the two parts with a blank
    // between them.
    void advance(const QString &first, const QString &second);
    int value() const { return m_value; }
    void paint();
    void hide();

private:
    QWidget &m_window;
    QProgressBar &m_bar;
    QLabel &m_label;
    QElapsedTimer m_sincePaint;
    int m_value = 0;
    int m_labelWidth;
};

} // namespace oruhr
