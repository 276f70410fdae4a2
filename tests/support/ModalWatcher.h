#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace oruhr::test {

// Acts on the next modal window as soon as it shows (a window opened by exec() blocks the
// test, so the test's checks run from here), then closes it unless the action did.
// Nested modal windows (a message over a window) are handled by calling this again
// from within the action.
inline void whenModalShown(std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, before = QPointer(QApplication::activeModalWidget()), action,
                                               deadline = QDeadlineTimer(10000)] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if ((!modal || modal == before) && !deadline.hasExpired())
            return;
        timer->stop();
        timer->deleteLater();
        if (!modal || modal == before) {
            ADD_FAILURE() << "no modal window was shown";
            return;
        }
        action(modal);
        if (auto *dialog = qobject_cast<QDialog *>(modal.data()); dialog && dialog->isVisible())
            dialog->reject();
        else if (modal && modal->isVisible())
            modal->close();
    });
    timer->start(5);
}

// Finds a descendant by object name and type; fails the test when there is none.
template<typename T>
T *child(QWidget *parent, const char *name)
{
    T *found = parent ? parent->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    if (!found)
        ADD_FAILURE() << "no child " << name;
    return found;
}

// Closes and counts every modal window shown while it lives, so that an unexpected one
// fails the test instead of blocking it.
class NoModalExpected {
public:
    NoModalExpected()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                ++shown;
                modal->close();
            }
        });
        m_timer.start(5);
    }
    int shown = 0;

private:
    QTimer m_timer;
};

} // namespace oruhr::test
