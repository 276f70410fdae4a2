#include "host/ProfileDialog.h"

#include "common/DesignedWindow.h"
#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/embedded/DatabaseAdministration.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace oruhr::host {
namespace {

QSpinBox *idEditor(QWidget *parent, const char *name, qint16 value)
{
    auto *editor = new QSpinBox(parent);
    editor->setObjectName(QLatin1String(name));
    editor->setRange(std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
    editor->setValue(value);
    return editor;
}

QLineEdit *textEditor(QWidget *parent, const char *name, const QString &value)
{
    auto *editor = new QLineEdit(value, parent);
    editor->setObjectName(QLatin1String(name));
    return editor;
}

QString verdict(db::Connection &connection, bool productDatabase)
{
    connection.open();
    if (!productDatabase)
        return QStringLiteral("اتصال برقرار است.");
    const embedded::DatabaseAdministration::State state = embedded::DatabaseAdministration(connection).inspect();
    if (state.isCurrent())
        return state.hasEmployees ? QStringLiteral("اتصال برقرار است و پایگاه داده به‌روز است.")
                                  : QStringLiteral("اتصال برقرار است و پایگاه داده به‌روز است، ولی هنوز کارمندی در آن نیست.");
    return QStringLiteral("اتصال برقرار است، ولی پایگاه داده آماده نیست:\n") + state.problems.join(QLatin1Char('\n'));
}

} // namespace

ProfileDialog::ProfileDialog(const ConnectionProfile &profile, QWidget *parent)
    : QDialog(parent)
    , m_id(profile.id)
{
    prepareDesignedWindow(*this, "ProfileDialog");
    QFont text = font();
    text.setPointSizeF(10);
    setFont(text);
    setWindowTitle(QStringLiteral("اتصال به پایگاه داده"));
    m_name = textEditor(this, "profileName", profile.name);
    m_backend = new QComboBox(this);
    m_backend->setObjectName(QStringLiteral("backend"));
    m_backend->addItems({QStringLiteral("پایگاه داده داخلی (فایل SQLite)"), QStringLiteral("سرور PostgreSQL"),
                         QStringLiteral("سرور SQL Server")});
    m_backend->setCurrentIndex(int(profile.backend));
    m_server = textEditor(this, "server", profile.server);
    m_database = textEditor(this, "database", profile.database);
    m_login = textEditor(this, "login", profile.login);
    m_password = textEditor(this, "password", profile.password.value_or(QString()));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setPlaceholderText(QStringLiteral("خالی: هنگام باز کردن پرسیده می‌شود"));
    for (QLineEdit *latin : {m_server, m_database, m_login, m_password})
        latin->setLayoutDirection(Qt::LeftToRight);
    m_server->setMinimumWidth(320);
    m_user = idEditor(this, "userId", profile.userId);
    m_position = idEditor(this, "positionId", profile.positionId);
    m_employee = idEditor(this, "employeeId", profile.employeeId);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("نام اتصال"), m_name);
    form->addRow(QStringLiteral("نوع پایگاه داده"), m_backend);
    form->addRow(QStringLiteral("سرور یا فایل"), m_server);
    form->addRow(QStringLiteral("نام پایگاه داده"), m_database);
    form->addRow(QStringLiteral("نام کاربری ورود"), m_login);
    form->addRow(QStringLiteral("گذرواژه"), m_password);
    form->addRow(QStringLiteral("شماره کاربر"), m_user);
    form->addRow(QStringLiteral("شماره سمت"), m_position);
    form->addRow(QStringLiteral("شماره کارمند کاربر"), m_employee);

    auto *test = new QPushButton(QStringLiteral("آزمودن اتصال"), this);
    test->setObjectName(QStringLiteral("testConnection"));
    connect(test, &QPushButton::clicked, this, &ProfileDialog::test);
    // Saved beside the one shown, as a profile of its own.
    auto *another = new QPushButton(QStringLiteral("اتصال تازه"), this);
    another->setObjectName(QStringLiteral("newProfile"));
    connect(another, &QPushButton::clicked, this, [this] {
        m_id.clear();
        for (QLineEdit *field : {m_name, m_server, m_database, m_login, m_password})
            field->clear();
        m_result->clear();
        m_name->setFocus();
    });
    auto *tools = new QHBoxLayout;
    tools->addWidget(test);
    tools->addWidget(another);
    tools->addStretch();
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("testResult"));
    m_result->setWordWrap(true);
    m_result->setMinimumHeight(3 * fontMetrics().lineSpacing());
    m_result->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Save)->setText(QStringLiteral("ذخیره"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("انصراف"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ProfileDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ProfileDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(tools);
    layout->addWidget(m_result);
    layout->addWidget(buttons);
}

ConnectionProfile ProfileDialog::profile() const
{
    ConnectionProfile profile;
    profile.id = m_id.isEmpty() ? QStringLiteral("profile%1").arg(QDateTime::currentSecsSinceEpoch()) : m_id;
    profile.name = m_name->text().trimmed();
    profile.backend = ConnectionProfile::Backend(m_backend->currentIndex());
    profile.server = m_server->text().trimmed();
    profile.database = m_database->text().trimmed();
    profile.login = m_login->text().trimmed();
    if (!m_password->text().isEmpty())
        profile.password = m_password->text();
    profile.userId = qint16(m_user->value());
    profile.positionId = qint16(m_position->value());
    profile.employeeId = qint16(m_employee->value());
    return profile;
}

QString ProfileDialog::missingField() const
{
    if (m_name->text().trimmed().isEmpty())
        return QStringLiteral("نام اتصال را بنویسید.");
    if (m_server->text().trimmed().isEmpty())
        return QStringLiteral("سرور یا فایل پایگاه داده را بنویسید.");
    if (m_backend->currentIndex() != int(ConnectionProfile::Backend::SQLite) && m_database->text().trimmed().isEmpty())
        return QStringLiteral("نام پایگاه داده روی سرور را بنویسید.");
    return {};
}

QString ProfileDialog::test()
{
    QString text = missingField();
    const ConnectionProfile tested = profile();
    // Opening a missing SQLite file would make an empty one.
    if (text.isEmpty() && tested.backend == ConnectionProfile::Backend::SQLite && !QFileInfo::exists(tested.server))
        text = QStringLiteral("فایل پایگاه داده پیدا نشد.");
    if (text.isEmpty()) {
        db::Connection connection;
        connection.setConnectionString(tested.connectionString());
        try {
            text = verdict(connection, tested.backend != ConnectionProfile::Backend::SqlServer);
        } catch (const ComponentError &error) {
            text = QStringLiteral("اتصال برقرار نشد (شماره خطا %1):\n%2").arg(error.number()).arg(error.description());
        }
    }
    m_result->setText(text);
    return text;
}

void ProfileDialog::accept()
{
    if (const QString missing = missingField(); !missing.isEmpty()) {
        m_result->setText(missing);
        return;
    }
    QDialog::accept();
}

} // namespace oruhr::host
