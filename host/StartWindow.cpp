#include "host/StartWindow.h"

#include "host/ConnectionProfiles.h"
#include "host/HostLog.h"
#include "host/HostWindow.h"
#include "host/MonthEndPanel.h"
#include "host/ProfileDialog.h"

#include "common/DesignedWindow.h"
#include "platform/automation/ComponentError.h"
#include "platform/components/ReportFiller.h"
#include "shell/OruHRPrintBatch1.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace oruhr::host {
namespace {

QFont sized(double points, bool bold = false)
{
    QFont font = designedFont();
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString number(qint64 value)
{
    return ReportFiller::groupedNumber(QVariant(value));
}

} // namespace

StartWindow::StartWindow(HostWindow &editor, ConnectionProfiles &profiles, QWidget *parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_profiles(profiles)
{
    setObjectName(QStringLiteral("StartWindow"));
    setWindowTitle(QStringLiteral("صدور گروهی فیش حقوق"));
    setLayoutDirection(Qt::RightToLeft);
    setFont(sized(10));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(14);
    layout->addWidget(buildHeader());
    layout->addWidget(buildMonth());
    m_failure = new QLabel(this);
    m_failure->setObjectName(QStringLiteral("summaryFailure"));
    m_failure->setWordWrap(true);
    m_failure->setStyleSheet(QStringLiteral("color: #a00000"));
    m_failure->hide();
    layout->addWidget(m_failure);
    m_actions = new QGridLayout;
    m_actions->setSpacing(10);
    layout->addLayout(m_actions);
    layout->addStretch();

    const struct {
        const char *name;
        QString text;
        HostOptions::Action action;
    } methods[] = {
        {"TempSaveMonthlySalary", QStringLiteral("ثبت گروهی فیش حقوقی"), HostOptions::Action::TempSave},
        {"ClearShow", QStringLiteral("چاپ گروهی فیش حقوقی"), HostOptions::Action::ClearShow},
        {"ShowDocs", QStringLiteral("قطعی کردن اسناد پرسنلی"), HostOptions::Action::ShowDocs},
    };
    int key = Qt::Key_1;
    for (const auto &method : methods)
        addMonthAction(method.text, QKeySequence(Qt::CTRL | Qt::Key(key++)), [this, action = method.action] { call(action); })
            ->setObjectName(QLatin1String(method.name));
    addMonthEndActions();
    m_editor.installEventFilter(this);
}

// The month end's two actions, with the texts and results of oruhr-payroll.
void StartWindow::addMonthEndActions()
{
    MonthEndPanel &monthEnd = m_editor.monthEnd();
    const auto told = [this, &monthEnd](void (MonthEndPanel::*action)()) {
        return [this, &monthEnd, action] {
            QString result;
            const QMetaObject::Connection shown =
                connect(&monthEnd, &MonthEndPanel::resultShown, this, [&result](const QString &text) { result = text; });
            (monthEnd.*action)();
            disconnect(shown);
            refresh();
            if (!result.isEmpty())
                QMessageBox::information(this, QStringLiteral("پايان ماه"), result);
        };
    };
    addMonthAction(QStringLiteral("ثبت سند فيش هاي بدون سند"), QKeySequence(Qt::CTRL | Qt::Key_4),
                   told(&MonthEndPanel::post))
        ->setObjectName(QStringLiteral("postUnposted"));
    addMonthAction(QStringLiteral("فايل بانک..."), QKeySequence(Qt::CTRL | Qt::Key_5), told(&MonthEndPanel::chooseBankFile))
        ->setObjectName(QStringLiteral("bankFile"));
}

QWidget *StartWindow::buildHeader()
{
    auto *header = new QWidget(this);
    auto *title = new QLabel(QStringLiteral("صدور گروهی فیش حقوق"), header);
    title->setFont(sized(16, true));
    m_database = new QLabel(header);
    m_database->setObjectName(QStringLiteral("databaseName"));
    m_database->setFont(sized(11));
    m_user = new QLabel(header);
    m_user->setObjectName(QStringLiteral("signedInUser"));
    auto *profiles = new QPushButton(QStringLiteral("اتصال‌ها…"), header);
    profiles->setObjectName(QStringLiteral("editProfiles"));
    profiles->setToolTip(QStringLiteral("برای مدیر سیستم: پایگاه‌های داده و کاربر هر اتصال"));
    connect(profiles, &QPushButton::clicked, this, &StartWindow::editProfiles);
    auto *advanced = new QPushButton(QStringLiteral("پیشرفته…"), header);
    advanced->setObjectName(QStringLiteral("advanced"));
    advanced->setToolTip(QStringLiteral("ویرایشگر ویژگی‌های کنترل، برای مدیر سیستم یا برنامه‌نویس"));
    connect(advanced, &QPushButton::clicked, this, &StartWindow::showEditor);

    auto *names = new QVBoxLayout;
    names->addWidget(title);
    names->addWidget(m_database);
    names->addWidget(m_user);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(profiles);
    buttons->addWidget(advanced);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(names, 1);
    layout->addLayout(buttons);
    return header;
}

QWidget *StartWindow::buildMonth()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("month"));
    auto *layout = new QVBoxLayout(box);
    m_month = new QLabel(box);
    m_month->setObjectName(QStringLiteral("monthTitle"));
    m_month->setFont(sized(13, true));
    layout->addWidget(m_month);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    const QString captions[] = {
        QStringLiteral("کارمندان بدون فیش حقوقی"),
        QStringLiteral("کارمندان با فیش موقت"),
        QStringLiteral("کارمندان با فیش قطعی"),
        QStringLiteral("فیش‌های قطعی بی‌سند حسابداری"),
        QStringLiteral("خالص پرداختی فیش‌های قطعی (ریال)"),
    };
    const char *names[] = {"withoutPayslip", "temporary", "final", "unposted", "netPay"};
    for (int row = 0; row < 5; ++row) {
        grid->addWidget(new QLabel(captions[row], box), row, 0);
        auto *value = new QLabel(box);
        value->setObjectName(QLatin1String(names[row]));
        value->setFont(sized(11, true));
        // Digits line up on their last place, next to the caption.
        value->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        grid->addWidget(value, row, 1);
        m_figures << value;
    }
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);
    return box;
}

QPushButton *StartWindow::addMonthAction(const QString &text, const QKeySequence &shortcut, std::function<void()> run)
{
    auto *button = new QPushButton(text + QLatin1Char('\n') + shortcut.toString(QKeySequence::NativeText), this);
    button->setFont(sized(12));
    button->setMinimumHeight(64);
    button->setMinimumWidth(220);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setShortcut(shortcut);
    connect(button, &QPushButton::clicked, this, std::move(run));
    const int index = m_actions->count();
    m_actions->addWidget(button, index / 3, index % 3);
    return button;
}

void StartWindow::open(const ConnectionProfile &profile)
{
    ConnectionProfile opened = profile;
    if (opened.needsPassword()) {
        bool given = false;
        const QString password = QInputDialog::getText(
            this, QStringLiteral("گذرواژه پایگاه داده"),
            QStringLiteral("گذرواژه %1 برای %2:").arg(opened.login, opened.name), QLineEdit::Password, QString(), &given);
        if (given)
            opened.password = password;
    }
    HostOptions options;
    options.connection = opened.connectionString();
    options.user = opened.userId;
    options.position = opened.positionId;
    options.employee = opened.employeeId;
    m_editor.applyOptions(options);
    m_profile = opened;
    openConnection(opened.name);
}

void StartWindow::openConnection(const QString &name)
{
    const OruHRPrintBatch1 &control = m_editor.control();
    m_database->setText(QStringLiteral("پایگاه داده: ") + name);
    m_user->setText(QStringLiteral("کاربر %1، سمت %2، کارمند %3")
                        .arg(number(control.UserID()), number(control.PositionID()), number(control.EmployeeID())));
    refresh();
}

void StartWindow::refresh()
{
    ModMain &session = m_editor.control().session();
    session.ActiveConnectionString = m_editor.control().OLEConnectionString();
    session.ActiveUserID = m_editor.control().UserID();
    session.ConnectDataEnvironment();
    QString failure;
    // A left-to-right mark first, so that the minus sign stays before the number in right-to-left text.
    const auto numbered = [](int number, const QString &description) {
        return QStringLiteral("شماره خطا: ") + QChar(0x200E) + QString::number(number) + QLatin1Char('\n')
               + description;
    };
    try {
        m_summary = MonthSummary::read(session);
    } catch (const ComponentError &error) {
        failure = numbered(error.number(), error.description());
    } catch (const std::exception &error) {
        failure = numbered(0, QString::fromLocal8Bit(error.what()));
    }
    if (!failure.isEmpty()) {
        qCWarning(lcHost).noquote() << "the month could not be read:" << failure;
        m_summary.reset();
        m_failure->setText(QStringLiteral("وضعیت ماه خوانده نشد.\n") + failure);
    }
    m_failure->setVisible(!failure.isEmpty());
    m_month->setText(m_summary ? QStringLiteral("ماه حقوق: ") + m_summary->monthTitle() : QStringLiteral("ماه حقوق: ؟"));
    const qint64 values[] = {m_summary ? m_summary->withoutPayslip : 0, m_summary ? m_summary->temporary : 0,
                             m_summary ? m_summary->final : 0, m_summary ? m_summary->unposted : 0,
                             m_summary ? m_summary->netPay : 0};
    for (qsizetype i = 0; i < m_figures.size(); ++i)
        m_figures[i]->setText(m_summary ? number(values[i]) : QStringLiteral("–"));
}

bool StartWindow::call(HostOptions::Action action)
{
    const bool done = m_editor.call(action);
    refresh();
    return done;
}

void StartWindow::editProfiles()
{
    // A system-wide profile saved here becomes the user's own under the same id, which wins
    // over it and may keep the password.
    ProfileDialog dialog(m_profile.value_or(ConnectionProfile()), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ConnectionProfile saved = dialog.profile();
    saved.systemWide = false;
    try {
        m_profiles.save(saved);
    } catch (const ComponentError &error) {
        QMessageBox::critical(this, QStringLiteral("خطا"),
                              QStringLiteral("شماره خطا: %1\n%2").arg(error.number()).arg(error.description()));
        return;
    }
    open(saved);
}

void StartWindow::showEditor()
{
    m_editor.show();
    m_editor.raise();
    m_editor.activateWindow();
}

bool StartWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The editor may have called a method or changed the connection.
    if (watched == &m_editor && event->type() == QEvent::Hide)
        refresh();
    return QWidget::eventFilter(watched, event);
}

} // namespace oruhr::host
