#include "tests/support/ModalWatcher.h"

#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>

namespace oruhr::test {

void whenModalShown(std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout,
                     [timer, before = QPointer<QWidget>(QApplication::activeModalWidget()), action,
                      deadline = QDeadlineTimer(10000)] {
                         QPointer<QWidget> modal = QApplication::activeModalWidget();
                         if (!modal || modal == before) {
                             if (deadline.hasExpired()) {
                                 ADD_FAILURE() << "no modal window was shown";
                                 timer->stop();
                                 timer->deleteLater();
                             }
                             return;
                         }
                         timer->stop();
                         timer->deleteLater();
                         action(modal);
                         if (auto *dialog = qobject_cast<QDialog *>(modal.data()); dialog && dialog->isVisible())
                             dialog->reject();
                         else if (modal && modal->isVisible())
                             modal->close();
                     });
    timer->start(5);
}

} // namespace oruhr::test
