#pragma once

#include "host/ConnectionProfile.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace oruhr::host {

// The administrator's dialog for one connection profile: the database, the login and the
// control's user, with a test that says whether the connection works and what the database
// lacks.
class ProfileDialog : public QDialog {
    Q_OBJECT

public:
    explicit ProfileDialog(const ConnectionProfile &profile, QWidget *parent = nullptr);

    ConnectionProfile profile() const;
    // Connects, inspects the schema, and shows and returns the verdict in Persian.
    QString test();

    void accept() override;

private:
    QString missingField() const;

    QString m_id;
    QLineEdit *m_name;
    QComboBox *m_backend;
    QLineEdit *m_server;
    QLineEdit *m_database;
    QLineEdit *m_login;
    QLineEdit *m_password;
    QSpinBox *m_user;
    QSpinBox *m_position;
    QSpinBox *m_employee;
    QLabel *m_result;
};

} // namespace oruhr::host
