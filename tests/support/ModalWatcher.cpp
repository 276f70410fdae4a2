#include <gtest/gtest.h>

#include "tests/support/ModalWatcher.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

namespace oruhr::test {

void whenModalShown(std::function<void(QWidget *)> action)
{
    QPointer<QWidget> before = QApplication::activeModalWidget();
    auto *timer = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, before, action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == before) {
            if (clock->elapsed() > 10000) {
                ADD_FAILURE() << "no modal window was shown";
                timer->stop();
                timer->deleteLater();
                delete clock;
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        delete clock;
        QPointer<QWidget> window = modal;
        action(modal);
        if (window && window->isVisible()) {
            if (auto *dialog = qobject_cast<QDialog *>(window.data()))
                dialog->reject();
            else
                window->close();
        }
    });
    timer->start();
}

} // namespace oruhr::test
