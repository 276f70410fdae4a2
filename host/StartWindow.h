#pragma once

#include "host/ConnectionProfile.h"
#include "host/HostOptions.h"
#include "host/MonthSummary.h"

#include <QKeySequence>
#include <QWidget>

#include <functional>
#include <optional>

class QGridLayout;
class QLabel;
class QPushButton;

namespace oruhr::host {

class ConnectionProfiles;
class HostWindow;

// What a clerk opens: the database by its profile's name, the payroll month at a glance and
// the control's three methods as large buttons. The control and its failures stay with the
// property editor, which opens from here for an administrator.
class StartWindow : public QWidget {
    Q_OBJECT

public:
    StartWindow(HostWindow &editor, ConnectionProfiles &profiles, QWidget *parent = nullptr);

    // The profile's connection and user to the control; asks for a password kept nowhere.
    void open(const ConnectionProfile &profile);
    // The control's connection as it stands (demo, stored form, command line), by a name.
    void openConnection(const QString &name);

    // One more action of the month, as a large button after the others.
    QPushButton *addMonthAction(const QString &text, const QKeySequence &shortcut, std::function<void()> run);

    // Runs one of the control's methods and reads the month again once its window closed.
    bool call(HostOptions::Action action);
    // The month read again; a failure is shown in the window.
    void refresh();
    const std::optional<MonthSummary> &summary() const { return m_summary; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addMonthEndActions();
    QWidget *buildHeader();
    QWidget *buildMonth();
    void editProfiles();
    void showEditor();

    HostWindow &m_editor;
    ConnectionProfiles &m_profiles;
    std::optional<ConnectionProfile> m_profile;
    std::optional<MonthSummary> m_summary;
    QLabel *m_database;
    QLabel *m_user;
    QLabel *m_month;
    QLabel *m_failure;
    QList<QLabel *> m_figures;
    QGridLayout *m_actions;
};

} // namespace oruhr::host
