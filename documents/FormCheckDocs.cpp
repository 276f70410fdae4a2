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
    connectParts();
    connectHandlers();
    resetLayout();
}

void FormCheckDocs::createControls()
{
    grpCode = group(this, "grpCode");
    optFinalSaveEmployee = named<QRadioButton>(grpCode, "optFinalSaveEmployee", QStringLiteral("اسناد قطعي"));
    optTempSaveEmployee = named<QRadioButton>(grpCode, "optTempSaveEmployee", QStringLiteral("اسناد موقت"));
    grpDocs = group(this, "grpDocs");
    optAllDocs = named<QRadioButton>(grpDocs, "optAllDocs", QStringLiteral("همه اسناد"));
    optAllDocs->setChecked(true);
    createProgressAndCount();
}

void FormCheckDocs::connectHandlers()
{
    for (QRadioButton *option : {optTempSaveEmployee, optFinalSaveEmployee})
        connect(option, &QRadioButton::clicked, this, &ListWindow::RefreshEmployees);
    connect(cmdFinalize, &QPushButton::clicked, this, &FormCheckDocs::cmdFinalize_Click);
}

QList<ListColumn> FormCheckDocs::listColumns() const
{
    return {{QString(), 500},
            {QStringLiteral("نوع سند"), 2000},
            {QStringLiteral("FormTypeID"), 0},
            {QStringLiteral("ID"), 0},
            {QStringLiteral("وضعيت"), 800},
            {QStringLiteral("تاريخ شروع"), 2000},
            {QStringLiteral("تاريخ پايان"), 2000},
            {QStringLiteral("ملاحظات"), 3000}};
}

void FormCheckDocs::chooseDefaultMode()
{
    optAllDocs->setChecked(true);
    optTempSaveEmployee->setChecked(true);
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
