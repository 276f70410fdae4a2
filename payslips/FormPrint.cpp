#include "payslips/FormPrint.h"

#include "common/DesignedWindow.h"
#include "common/MessageText.h"
#include "common/Messages.h"
#include "common/ReportTemplates.h"
#include "platform/automation/ComponentError.h"
#include "shell/ModMain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace oruhr {

FormPrint::FormPrint(ModMain &session, QWidget *parent)
    : QDialog(parent)
    , m_dtEn(session.dtEn())
    , m_components(session.components())
{
    setObjectName(QStringLiteral("FormPrint"));
    setWindowTitle(QStringLiteral("گزارشگيري "));
    setLayoutDirection(Qt::RightToLeft);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(designedFont());

    cmbReport = new QComboBox(this);
    cmbReport->setObjectName(QStringLiteral("cmbReport"));
    cmbReport->setMinimumWidth(260);
    txtDescription = new QLineEdit(this);
    txtDescription->setObjectName(QStringLiteral("txtDescription"));
    cmdPrint = new QPushButton(QStringLiteral("چاپ"), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setDefault(true);
    // The second confirm button of the original form; it stays out of sight.
    cmdOk = new QPushButton(QStringLiteral("Command1"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setAutoDefault(false);
    cmdOk->hide();
    SvoMessage = new QLabel(this);
    SvoMessage->setObjectName(QStringLiteral("SvoMessage"));
    SvoMessage->hide();

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("قالب گزارش:"), cmbReport);
    fields->addRow(QStringLiteral("شرح گزارش :"), txtDescription);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPrint);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(cmdPrint, &QPushButton::clicked, this, &FormPrint::confirm);
    connect(cmdOk, &QPushButton::clicked, this, &FormPrint::confirm);
}

void FormPrint::setFormTypeID(qint32 formTypeId)
{
    m_formTypeId = formTypeId;
    m_filePath = QVariant();
}

void FormPrint::confirm()
{
    if (cmbReport->currentIndex() < 0) {
        cmbReport->setFocus();
        ShowMessage(m_components, MessageText::TitleWarning, MessageText::TemplateNotChosen);
        return;
    }
    try {
        const std::optional<QVariant> path = ReportTemplates::filePathOf(m_dtEn, cmbReport->currentData().toInt());
        if (!path) {
            // Deleted since the list was filled: the clerk picks another one.
            cmbReport->removeItem(cmbReport->currentIndex());
            cmbReport->setFocus();
            ShowMessage(m_components, MessageText::TitleWarning, MessageText::TemplateNotChosen);
            return;
        }
        m_filePath = *path;
        accept();
    } catch (const ComponentError &error) {
        // The run ends, as after closing the dialog, with the reason told.
        reject();
        ShowMessage(m_components, MessageText::errorTitle(error.number()), error.description());
    }
}

void FormPrint::done(int result)
{
    QDialog::done(result);
    cmbReport->clear();
    txtDescription->clear();
}

bool FillReportTemplates(FormPrint &form)
{
    const QList<ReportTemplates::Entry> entries = ReportTemplates::offeredFor(form.dataEnvironment(), form.FormTypeID());
    for (const ReportTemplates::Entry &entry : entries)
        form.cmbReport->addItem(entry.title, entry.id);
    if (form.cmbReport->count() > 0)
        form.cmbReport->setCurrentIndex(0);
    return !entries.isEmpty();
}

} // namespace oruhr
