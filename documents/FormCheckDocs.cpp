#include "documents/FormCheckDocs.h"

#include "common/CheckedRowBatch.h"
#include "common/CheckedRowRun.h"
#include "common/MessageText.h"
#include "common/NamedWidget.h"
#include "common/Messages.h"
#include "documents/DocumentIdLists.h"
#include "documents/DocumentLog.h"
#include "documents/DocumentRow.h"
#include "documents/DocumentSql.h"
#include "documents/FormCheckDocsLayout.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/KeyedListView.h"
#include "platform/controls/PelikDate.h"
#include "platform/database/Recordset.h"
#include "shell/ModMain.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace oruhr {
namespace {

QGroupBox *group(QWidget *parent, const char *name)
{
    auto *box = named<QGroupBox>(parent, name);
    box->setTitle(QString());
    return box;
}

} // namespace

FormCheckDocs::FormCheckDocs(ModMain &session, QWidget *parent)
    : ListWindow(session, "FormCheckDocs",
                 {FormCheckDocsLayout::designedPlaces, FormCheckDocsLayout::designedWidth,
                  FormCheckDocsLayout::designedHeight, FormCheckDocsLayout::resize},
                 parent)
{
    setWindowTitle(QString());
    createControls();
    useParts({lstEmployee, datBeginDate, datEndDate, datTempDate, cmdSelect, cmdDeselect});
    connectHandlers();
    resetLayout();
}

void FormCheckDocs::createControls()
{
    cmdBackToTemp = named<QPushButton>(this, "cmdBackToTemp", QStringLiteral("بازگشت"));
    cmdFinalize = named<QPushButton>(this, "cmdFinalize", QStringLiteral("ثبت قطعي"));
    cmdTempSave = named<QPushButton>(this, "cmdTempSave", QStringLiteral("ثبت موقت"));
    cmdDelete = named<QPushButton>(this, "cmdDelete", QStringLiteral("حذف "));
    datEndDate = named<PelikDate>(this, "datEndDate");
    lblEndDate = named<QLabel>(this, "lblEndDate", QStringLiteral("تا تاريخ:"));
    datBeginDate = named<PelikDate>(this, "datBeginDate");
    lblBeginDate = named<QLabel>(this, "lblBeginDate", QStringLiteral("از تاريخ:"));
    datTempDate = named<PelikDate>(this, "datTempDate");
    datTempDate->hide();
    // The period is the payroll month; the user never picks another.
    datBeginDate->setEnabled(false);
    datEndDate->setEnabled(false);
    grpCode = group(this, "grpCode");
    optFinalSaveEmployee = named<QRadioButton>(grpCode, "optFinalSaveEmployee", QStringLiteral("اسناد قطعي"));
    optTempSaveEmployee = named<QRadioButton>(grpCode, "optTempSaveEmployee", QStringLiteral("اسناد موقت"));
    grpDocs = group(this, "grpDocs");
    optAllDocs = named<QRadioButton>(grpDocs, "optAllDocs", QStringLiteral("همه اسناد"));
    optAllDocs->setChecked(true);
    lstEmployee = named<KeyedListView>(this, "lstEmployee");
    cmdDeselect = named<QPushButton>(this, "cmdDeselect", QStringLiteral("انتخاب هيچکدام"));
    cmdSelect = named<QPushButton>(this, "cmdSelect", QStringLiteral("انتخاب همه"));
    createProgressAndCount();
}

void FormCheckDocs::connectHandlers()
{
    for (QRadioButton *option : {optTempSaveEmployee, optFinalSaveEmployee})
        connect(option, &QRadioButton::clicked, this, &FormCheckDocs::mode_Click);
    connect(cmdFinalize, &QPushButton::clicked, this, &FormCheckDocs::cmdFinalize_Click);
}

void FormCheckDocs::Form_Load()
{
    setEnabled(true);
    loadPeriod();
    lstEmployee->resetColumns({{QString(), 500},
                               {QStringLiteral("نوع سند"), 2000},
                               {QStringLiteral("FormTypeID"), 0},
                               {QStringLiteral("ID"), 0},
                               {QStringLiteral("وضعيت"), 800},
                               {QStringLiteral("تاريخ شروع"), 2000},
                               {QStringLiteral("تاريخ پايان"), 2000},
                               {QStringLiteral("ملاحظات"), 3000}});
    lblRecordCount->setText(QStringLiteral("0"));
    hideProgress();
    optAllDocs->setChecked(true);
    resetLayout();

    optTempSaveEmployee->setChecked(true);
    // As the option's click, but a failing query fails the load, so the window is not shown.
    rebuildList();
    UpdateListButtons();
    datBeginDate->setEnabled(false);
    datEndDate->setEnabled(false);
    keepBaseSize();
}

DocumentListMode FormCheckDocs::listMode() const
{
    return optTempSaveEmployee->isChecked() ? DocumentListMode::Temporary : DocumentListMode::Final;
}

QString FormCheckDocs::listSql(const QString &begin, const QString &end) const
{
    return DocumentSql::documentList(listMode(), begin, end);
}

QList<ListItem> FormCheckDocs::readRows(db::Recordset &recordset) const
{
    return DocumentRow::readAll(recordset);
}

void FormCheckDocs::UpdateListButtons()
{
    cmdFinalize->setEnabled(documents().rowCount() > 0 && listMode() == DocumentListMode::Temporary);
    for (QPushButton *payslipOnly : {cmdTempSave, cmdDelete, cmdBackToTemp})
        payslipOnly->setEnabled(false);
}

void FormCheckDocs::mode_Click()
{
    RefreshEmployees();
    UpdateListButtons();
}

void FormCheckDocs::cmdFinalize_Click()
{
    DocumentIdLists ids;
    CheckedRowBatch::Step step;
    step.eachRow = [&ids](CheckedRowRun &run, const ListItem &item) {
        const DocumentRow document = DocumentRow::of(item);
        run.progress().advance(QString::number(document.formTypeId), document.id);
        ids.append(document.formTypeId, document.id);
    };
    // One update per kind, after the rows; those already run stay in effect on a failure.
    step.afterRows = [this, &ids](CheckedRowRun &) {
        for (const QString &statement : ids.statements())
            session().dtEn().query(statement);
    };
    step.countTail = MessageText::DocumentsFinalizedTail;
    step.log = lcDocuments;
    step.letsMessagesThrough = false;
    CheckedRowBatch::run(*this, step);
}

} // namespace oruhr
