#include "host/MonthEndPanel.h"

#include "common/MessageText.h"
#include "host/HostLog.h"
#include "host/monthend/BankTransferFile.h"
#include "host/monthend/MonthEndText.h"
#include "host/monthend/UnpostedPayslips.h"
#include "platform/automation/ComponentError.h"
#include "shell/OruHRPrintBatch1.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace oruhr::host {

MonthEndPanel::MonthEndPanel(OruHRPrintBatch1 &control, QWidget *parent)
    : QGroupBox(QStringLiteral("پايان ماه"), parent)
    , m_control(control)
    , m_unposted(new QLabel(this))
    , m_post(new QPushButton(QStringLiteral("ثبت سند فيش هاي بدون سند"), this))
    , m_result(new QLabel(this))
{
    setObjectName(QStringLiteral("monthEnd"));
    m_unposted->setObjectName(QStringLiteral("unposted"));
    m_post->setObjectName(QStringLiteral("post"));
    m_result->setObjectName(QStringLiteral("monthEndResult"));
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_post->setEnabled(false);
    auto *check = new QPushButton(QStringLiteral("بررسي فيش هاي بدون سند"), this);
    check->setObjectName(QStringLiteral("checkUnposted"));
    auto *bankFile = new QPushButton(QStringLiteral("فايل بانک..."), this);
    bankFile->setObjectName(QStringLiteral("bankFile"));
    connect(check, &QPushButton::clicked, this, &MonthEndPanel::refresh);
    connect(m_post, &QPushButton::clicked, this, &MonthEndPanel::post);
    connect(bankFile, &QPushButton::clicked, this, &MonthEndPanel::chooseBankFile);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(check);
    buttons->addWidget(m_post);
    buttons->addWidget(bankFile);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_unposted);
    layout->addLayout(buttons);
    layout->addWidget(m_result);
}

ModMain &MonthEndPanel::session()
{
    ModMain &session = m_control.session();
    session.ActiveConnectionString = m_control.OLEConnectionString();
    session.ActiveUserID = m_control.UserID();
    session.ConnectDataEnvironment();
    return session;
}

template<typename Action>
void MonthEndPanel::attempt(Action &&action)
{
    try {
        action();
    } catch (const ComponentError &error) {
        qCWarning(lcHost) << "month end:" << error.number() << error.description();
        showResult(MessageText::TitleError + QStringLiteral(": ") + error.description());
    }
}

void MonthEndPanel::refresh()
{
    attempt([this] {
        ModMain &current = session();
        const MonthEndPeriod period = MonthEndPeriod::ofDatabase(current);
        const QList<UnpostedPayslips::Payslip> unposted = UnpostedPayslips(current, period).list();
        m_unposted->setText(MonthEndText::unpostedSummary(period.persianMonth(), unposted));
        m_post->setEnabled(!unposted.isEmpty());
    });
}

void MonthEndPanel::post()
{
    attempt([this] {
        ModMain &current = session();
        QStringList lines;
        const UnpostedPayslips::Posting posting =
            UnpostedPayslips(current, MonthEndPeriod::ofDatabase(current)).post([&lines](qint32 document) {
                lines << MessageText::accountDocumentIssued(document);
            });
        lines << MonthEndText::posted(int(posting.documents.size()), posting.payslips);
        showResult(lines.join(QLatin1Char('\n')));
    });
    refresh();
}

void MonthEndPanel::chooseBankFile()
{
    writeBankFile(QFileDialog::getSaveFileName(this, QStringLiteral("فايل بانک"), QString(),
                                               QStringLiteral("Excel (*.xlsx);;CSV (*.csv)")));
}

void MonthEndPanel::writeBankFile(const QString &file)
{
    if (file.isEmpty())
        return;
    attempt([this, &file] {
        ModMain &current = session();
        BankTransferFile bankFile(current, MonthEndPeriod::ofDatabase(current));
        bankFile.read();
        bankFile.save(file);
        const QString leftOut = MonthEndText::leftOutSummary(bankFile);
        showResult(MonthEndText::bankFileWritten(file, bankFile)
                   + (leftOut.isEmpty() ? QString() : QLatin1Char('\n') + leftOut));
    });
}

QString MonthEndPanel::resultText() const
{
    return m_result->text();
}

void MonthEndPanel::showResult(const QString &text)
{
    m_result->setText(text);
    Q_EMIT resultShown(text);
}

} // namespace oruhr::host
