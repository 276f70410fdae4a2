#pragma once

#include "common/MessageText.h"
#include "platform/controls/KeyedListModel.h"
#include "shell/ModMain.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestSession.h"

#include <QApplication>
#include <QPushButton>

#include <gtest/gtest.h>

// Small helpers shared by the whole-window tests.
namespace oruhr::test {

inline QString problem(const QString &text) { return MessageText::TitleProblem + QStringLiteral(": ") + text; }

// The texts of one column of a list, top to bottom; -1 gives the keys.
inline QStringList columnOf(const KeyedListModel &list, int index)
{
    QStringList result;
    for (int row = 0; row < list.rowCount(); ++row)
        result << (index < 0 ? list.item(row).key : list.item(row).texts[index]);
    return result;
}

// The enabled ones among the buttons, named without their "cmd" prefix.
inline QStringList enabledOf(std::initializer_list<QPushButton *> buttons)
{
    QStringList result;
    for (QPushButton *button : buttons)
        if (button->isEnabled())
            result << button->objectName().mid(3);
    return result;
}

// Points the session at the database, whose payroll month is 1405/09.
inline void connectWithPayrollMonth(TestSession &session, TestDatabase &db)
{
    db.exec(QStringLiteral("INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (3450, '1405/09/01')"));
    session.connectTo(db.connectionString());
}

inline void expectIdle(const QWidget &window)
{
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Counts the events of one type that an object receives.
class EventCounter : public QObject {
public:
    EventCounter(QObject *watched, QEvent::Type type) : m_type(type) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == m_type ? 1 : 0;
        return false;
    }

private:
    QEvent::Type m_type;
};

} // namespace oruhr::test
