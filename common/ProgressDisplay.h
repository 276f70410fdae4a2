#pragma once

#include <QElapsedTimer>
#include <QString>

class QLabel;
class QProgressBar;
class QWidget;

namespace oruhr {

// The progress bar and its label during a batch run. Every step sets both; painting them
// for each of ten thousand employees would cost more than the work itself, so they are
// painted at most every 30 ms, and whenever paint() is asked for.
class ProgressDisplay {
public:
    ProgressDisplay(QWidget &window, QProgressBar &bar, QLabel &label);

    // Value 0 and the label "0", both shown and the window painted.
    void start(int maximum);
    // The label reads the value, ": ", then the two parts with a blank between them.
    void advance(int value, const QString &first, const QString &second);
    void paint();
    void hide();

private:
    QWidget &m_window;
    QProgressBar &m_bar;
    QLabel &m_label;
    QElapsedTimer m_sincePaint;
};

} // namespace oruhr
