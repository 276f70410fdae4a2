#include "host/HostWindow.h"

#include "host/HostLog.h"
#include "host/MonthEndPanel.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/BackendTarget.h"
#include "shell/OruHRPrintBatch1.h"
#include "shell/PropertyBag.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace oruhr::host {
namespace {

QSpinBox *shortEditor(QWidget *parent)
{
    auto *editor = new QSpinBox(parent);
    editor->setRange(std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
    return editor;
}

} // namespace

HostWindow::HostWindow(StoredForm form, QWidget *parent)
    : QMainWindow(parent)
    , m_form(std::move(form))
    , m_control(new OruHRPrintBatch1)
{
    setObjectName(QStringLiteral("HostWindow"));
    setWindowTitle(QStringLiteral("ميزبان OruHRPrintBatch"));
    setLayoutDirection(Qt::RightToLeft);
    m_control->readProperties(m_form.load());
    buildEditors();
    showProperties();
}

void HostWindow::buildEditors()
{
    auto *central = new QWidget(this);
    auto *properties = new QGroupBox(QStringLiteral("ويژگي‌هاي کنترل"), central);
    m_user = shortEditor(properties);
    m_position = shortEditor(properties);
    m_employee = shortEditor(properties);
    m_connection = new QLineEdit(properties);
    m_connection->setLayoutDirection(Qt::LeftToRight);
    m_connection->setMinimumWidth(420);
    m_user->setObjectName(QStringLiteral("UserID"));
    m_position->setObjectName(QStringLiteral("PositionID"));
    m_employee->setObjectName(QStringLiteral("EmployeeID"));
    m_connection->setObjectName(QStringLiteral("OLEConnectionString"));
    m_keepPassword = new QCheckBox(QStringLiteral("گذرواژه در فرم ذخيره شده نگه داشته شود"), properties);
    m_keepPassword->setObjectName(QStringLiteral("keepPassword"));
    m_keepPassword->setChecked(m_form.keepsPassword());
    auto *form = new QFormLayout(properties);
    form->addRow(QStringLiteral("UserID"), m_user);
    form->addRow(QStringLiteral("PositionID"), m_position);
    form->addRow(QStringLiteral("EmployeeID"), m_employee);
    form->addRow(QStringLiteral("OLEConnectionString"), m_connection);
    form->addRow(QString(), m_keepPassword);

    connect(m_user, &QSpinBox::valueChanged, this, [this](int v) { m_control->setUserID(qint16(v)); });
    connect(m_position, &QSpinBox::valueChanged, this, [this](int v) { m_control->setPositionID(qint16(v)); });
    connect(m_employee, &QSpinBox::valueChanged, this, [this](int v) { m_control->setEmployeeID(qint16(v)); });
    connect(m_connection, &QLineEdit::editingFinished, this,
            [this] { m_control->setOLEConnectionString(editedConnection()); });

    auto *methods = new QHBoxLayout;
    const QList<QPair<QString, HostOptions::Action>> buttons{
        {QStringLiteral("ثبت گروهي فيش حقوقي"), HostOptions::Action::TempSave},
        {QStringLiteral("چاپ گروهي فيش حقوقي"), HostOptions::Action::ClearShow},
        {QStringLiteral("قطعي کردن اسناد"), HostOptions::Action::ShowDocs},
    };
    const QStringList names{QStringLiteral("TempSaveMonthlySalary"), QStringLiteral("ClearShow"),
                            QStringLiteral("ShowDocs")};
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        auto *button = new QPushButton(buttons[i].first, central);
        button->setObjectName(names[i]);
        button->setToolTip(names[i]);
        const HostOptions::Action action = buttons[i].second;
        connect(button, &QPushButton::clicked, this, [this, action] { call(action); });
        methods->addWidget(button);
    }

    m_monthEnd = new MonthEndPanel(*m_control, central);

    auto *layout = new QVBoxLayout(central);
    layout->addWidget(properties);
    layout->addLayout(methods);
    layout->addWidget(m_monthEnd);
    layout->addWidget(m_control);
    setCentralWidget(central);
}

void HostWindow::showProperties()
{
    const QSignalBlocker blockUser(m_user), blockPosition(m_position), blockEmployee(m_employee);
    m_user->setValue(m_control->UserID());
    m_position->setValue(m_control->PositionID());
    m_employee->setValue(m_control->EmployeeID());
    m_connection->setText(db::BackendTarget::masked(m_control->OLEConnectionString()));
}

QString HostWindow::editedConnection() const
{
    const QString text = m_connection->text();
    if (db::BackendTarget::passwordOf(text) != QString::fromLatin1(db::BackendTarget::passwordMask))
        return text;
    return db::BackendTarget::withPassword(text, db::BackendTarget::passwordOf(m_control->OLEConnectionString()));
}

void HostWindow::applyOptions(const HostOptions &options)
{
    if (options.connection)
        m_control->setOLEConnectionString(*options.connection);
    if (options.user)
        m_control->setUserID(*options.user);
    if (options.position)
        m_control->setPositionID(*options.position);
    if (options.employee)
        m_control->setEmployeeID(*options.employee);
    showProperties();
}

bool HostWindow::needsDemoDatabase(const HostOptions &options) const
{
    // Only a first start with nothing given: a connection the user gave, even "0", reaches
    // the control as it is and is never overwritten by the demo's.
    return !options.connection && !QFileInfo::exists(m_form.file());
}

void HostWindow::askForPassword()
{
    const QString connection = m_control->OLEConnectionString();
    if (m_keepPassword->isChecked() || db::BackendTarget::passwordOf(connection))
        return;
    try {
        // A SQL Server login other than Windows' is given to ODBC with a PWD.
        const db::BackendTarget target = db::BackendTarget::resolve(connection);
        if (target.kind != db::BackendTarget::Kind::PostgreSQL && !target.databaseName.contains(QLatin1String(";PWD=")))
            return;
    } catch (const ComponentError &) {
        return; // the first call says what is wrong with the string
    }
    bool given = false;
    const QString password =
        QInputDialog::getText(this, QStringLiteral("گذرواژه پايگاه داده"),
                              QStringLiteral("گذرواژه اتصال به پايگاه داده را وارد کنيد:"), QLineEdit::Password,
                              QString(), &given);
    if (given && !password.isEmpty()) {
        m_control->setOLEConnectionString(db::BackendTarget::withPassword(connection, password));
        showProperties();
    }
}

bool HostWindow::call(HostOptions::Action action)
{
    m_control->setOLEConnectionString(editedConnection());
    try {
        switch (action) {
        case HostOptions::Action::TempSave:
            m_control->TempSaveMonthlySalary();
            break;
        case HostOptions::Action::ClearShow:
            m_control->ClearShow();
            break;
        case HostOptions::Action::ShowDocs:
            m_control->ShowDocs();
            break;
        case HostOptions::Action::None:
            break;
        }
    } catch (const ComponentError &error) {
        reportFailure(error.number(), error.description());
        return false;
    } catch (const std::exception &error) {
        reportFailure(0, QString::fromLocal8Bit(error.what()));
        return false;
    }
    // A finalisation whose document could not be made leaves payslips to post.
    if (action == HostOptions::Action::TempSave)
        m_monthEnd->refresh();
    return true;
}

void HostWindow::reportFailure(int number, const QString &description)
{
    qCWarning(lcHost) << "call failed:" << number << description;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("خطا"),
                    QStringLiteral("شماره خطا: %1\n%2").arg(number).arg(description), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("hostFailure"));
    box.setLayoutDirection(Qt::RightToLeft);
    box.exec();
}

void HostWindow::saveForm()
{
    PropertyBag bag;
    m_control->writeProperties(bag);
    m_form.save(bag, m_keepPassword->isChecked());
}

void HostWindow::closeEvent(QCloseEvent *event)
{
    try {
        saveForm();
    } catch (const ComponentError &error) {
        reportFailure(error.number(), error.description());
    }
    event->accept();
}

} // namespace oruhr::host
