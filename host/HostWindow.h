#pragma once

#include "host/HostOptions.h"
#include "host/StoredForm.h"

#include <QMainWindow>

#include <functional>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace oruhr {
class OruHRPrintBatch1;
}

namespace oruhr::host {

class MonthEndPanel;

// The host program's window: the control restored from its stored form, editors for its
// four properties (the connection's password masked) and a button for each of its methods. A failed call is shown here, with
// the error's number and description.
class HostWindow : public QMainWindow {
    Q_OBJECT

public:
    HostWindow(StoredForm form, QWidget *parent = nullptr);

    OruHRPrintBatch1 &control() { return *m_control; }
    MonthEndPanel &monthEnd() { return *m_monthEnd; }
    void applyOptions(const HostOptions &options);
    // Whether the demo database is to stand in for the connection: no stored form, and no
    // connection on the command line.
    bool needsDemoDatabase(const HostOptions &options) const;
    // When the password is not kept and the server's string lacks one, asks for it for
    // this session.
    void askForPassword();
    // Runs one of the control's methods; false when it failed (the failure was shown).
    bool call(HostOptions::Action action);
    void saveForm();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildEditors();
    void showProperties();
    void reportFailure(int number, const QString &description);
    // The edited string, with the password the field shows masked put back.
    QString editedConnection() const;

    StoredForm m_form;
    OruHRPrintBatch1 *m_control;
    QSpinBox *m_user;
    QSpinBox *m_position;
    QSpinBox *m_employee;
    QLineEdit *m_connection;
    QCheckBox *m_keepPassword;
    MonthEndPanel *m_monthEnd;
};

} // namespace oruhr::host
