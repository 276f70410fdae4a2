#pragma once

#include "common/MessageText.h"
#include "documents/FormCheckDocs.h"
#include "payslips/FormMain.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/KeyedListView.h"
#include "platform/controls/PelikDate.h"
#include "platform/controls/PelikSelector.h"
#include "shell/OruHRPrintBatch1.h"
#include "tests/support/TestKit.h"

// What the whole-window tests share.
namespace oruhr::test {

// A window of the control on the seeded payroll, whose payroll month is 1405/09, with the
// message component scripted.
template<typename Window, typename Database = SeededPayroll>
class WindowTest : public ::testing::Test {
protected:
    explicit WindowTest(Backend backend = Backend::Embedded)
        : db(backend)
    {
        db.exec(QStringLiteral("INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (3450, '1405/09/01')"));
        session.connectTo(db.connectionString());
    }

    // The payslip window in registration or print mode.
    void load(bool printMode) requires std::is_same_v<Window, FormMain>
    {
        form.IsPrintMode = printMode;
        form.Form_Load();
    }

    Database db;
    TestSession session;
    ScriptedMessages messages{session.components()};
    Window form{session};
};

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
