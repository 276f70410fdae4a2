#include "payslips/FormFormIDs.h"

#include "common/DesignedWindow.h"
#include "payslips/PayslipSql.h"
#include "platform/automation/ComponentError.h"
#include "shell/DtEn.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace oruhr {
namespace {

QString formTypeInstruction(const QString &name)
{
    return QStringLiteral("يکي از شماره رايانه اي هاي زير مربوط به فرم «") + name + QStringLiteral("» را انتخاب نماييد.");
}

// For a form type that has no name in the catalogue.
const QString plainInstruction = QStringLiteral("يکي از شماره رايانه اي هاي زير") + QStringLiteral(" را انتخاب نماييد.");

} // namespace

FormFormIDs::FormFormIDs(DtEn &dtEn, QWidget *parent)
    : QDialog(parent)
    , m_dtEn(dtEn)
{
    setObjectName(QStringLiteral("FormFormIDs"));
    setWindowTitle(QStringLiteral("انتخاب"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(designedFont());
    lblFormType = new QLabel(this);
    lblFormType->setObjectName(QStringLiteral("lblFormType"));
    lblFormType->setWordWrap(true);
    cmbFormIDs = new QComboBox(this);
    cmbFormIDs->setObjectName(QStringLiteral("cmbFormIDs"));
    cmbFormIDs->setMinimumWidth(320);
    cmdOK = new QPushButton(QStringLiteral("تاييد"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblFormType);
    layout->addWidget(cmbFormIDs);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmbFormIDs, &QComboBox::currentIndexChanged, this, &FormFormIDs::updateToolTip);
    connect(cmbFormIDs, &QComboBox::activated, this, &FormFormIDs::updateToolTip);
}

qint32 FormFormIDs::getFormID(qint32 inFormTypeID, const QString &datEndDate_EnglishDate)
{
    cmbFormIDs->clear();
    lblFormType->setText(plainInstruction);
    try {
        loadFormTypeName(inFormTypeID);
        loadDocuments(inFormTypeID, datEndDate_EnglishDate);
    } catch (const ComponentError &) {
        Form_Unload();
        throw;
    }
    const bool confirmed = cmbFormIDs->count() == 1 || exec() == QDialog::Accepted;
    const int chosen = cmbFormIDs->currentIndex();
    const qint32 result = confirmed && chosen >= 0 ? cmbFormIDs->itemData(chosen).toInt() : -1;
    Form_Unload();
    return result;
}

void FormFormIDs::loadFormTypeName(qint32 formTypeId)
{
    db::Recordset recordset = m_dtEn.query(PayslipSql::formTypeName(formTypeId));
    if (recordset.recordCount() > 0) {
        recordset.moveFirst();
        lblFormType->setText(formTypeInstruction(recordset.field(QStringLiteral("Name")).toString()));
    }
}

void FormFormIDs::loadDocuments(qint32 formTypeId, const QString &endDate)
{
    db::Recordset recordset = m_dtEn.query(PayslipSql::accountDocumentChoices(formTypeId, endDate));
    const int id = recordset.fieldIndex(QStringLiteral("ID"));
    const int code = recordset.fieldIndex(QStringLiteral("Code"));
    const int description = recordset.fieldIndex(QStringLiteral("Description"));
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext()) {
        const QString text = recordset.field(id).toString() + QLatin1Char('_') + recordset.field(code).toString()
                             + QLatin1Char('_') + recordset.field(description).toString();
        cmbFormIDs->addItem(text, recordset.field(id).toInt());
    }
    if (cmbFormIDs->count() > 0)
        cmbFormIDs->setCurrentIndex(0);
}

void FormFormIDs::Form_Unload()
{
    hide();
    cmbFormIDs->clear();
    lblFormType->clear();
}

void FormFormIDs::updateToolTip()
{
    cmbFormIDs->setToolTip(cmbFormIDs->currentIndex() >= 0 ? cmbFormIDs->currentText() : QString());
}

} // namespace oruhr
