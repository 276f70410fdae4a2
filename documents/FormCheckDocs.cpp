#include "documents/FormCheckDocs.h"

#include "common/BusyCursor.h"
#include "common/DesignedWindow.h"
#include "common/ListViewColumnClick.h"
#include "common/MessageText.h"
#include "common/NamedWidget.h"
#include "common/Messages.h"
#include "common/PayrollMonth.h"
#include "common/ProgressDisplay.h"
#include "common/TwipPlacement.h"
#include "documents/DocumentIdLists.h"
#include "documents/DocumentRow.h"
#include "documents/DocumentSql.h"
#include "documents/FormCheckDocsLayout.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/KeyedListView.h"
#include "platform/controls/PelikDate.h"
#include "shell/DtEn.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>

namespace oruhr {
namespace {

QGroupBox *group(QWidget *parent, const char *name)
{
    auto *box = named<QGroupBox>(parent, name);
    box->setTitle(QString());
    return box;
}

} // namespace

FormCheckDocs::FormCheckDocs(QWidget *parent)
    : QDialog(parent)
{
    prepareDesignedWindow(*this, "FormCheckDocs");
    setWindowTitle(QString());
    createControls();
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
    pgb = named<QProgressBar>(this, "pgb");
    pgb->hide();
    cmdDeselect = named<QPushButton>(this, "cmdDeselect", QStringLiteral("انتخاب هيچکدام"));
    cmdSelect = named<QPushButton>(this, "cmdSelect", QStringLiteral("انتخاب همه"));
    lblProgress = named<QLabel>(this, "lblProgress", QStringLiteral("درصد پيشرفت"));
    lblProgress->hide();
    lblRecordCount = named<QLabel>(this, "lblRecordCount", QStringLiteral("0"));
    lblTotalCount = named<QLabel>(this, "lblTotalCount", QStringLiteral("تعداد کل:"));
}

void FormCheckDocs::connectHandlers()
{
    for (QRadioButton *option : {optTempSaveEmployee, optFinalSaveEmployee})
        connect(option, &QRadioButton::clicked, this, &FormCheckDocs::mode_Click);
    // Enter must never finalize by itself.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    connect(datBeginDate, &PelikDate::changed, this, &FormCheckDocs::datBeginDate_Change);
    connect(datEndDate, &PelikDate::changed, this, &FormCheckDocs::datEndDate_Change);
    connect(cmdSelect, &QPushButton::clicked, this, [this] { documents().setAllChecked(true); });
    connect(cmdDeselect, &QPushButton::clicked, this, [this] { documents().setAllChecked(false); });
    connect(lstEmployee, &KeyedListView::columnClick, this, &FormCheckDocs::lstEmployee_ColumnClick);
    connect(cmdFinalize, &QPushButton::clicked, this, &FormCheckDocs::cmdFinalize_Click);
}

KeyedListModel &FormCheckDocs::documents() const
{
    return *lstEmployee->listModel();
}

void FormCheckDocs::Form_Load()
{
    setEnabled(true);
    StartDateText = PayrollMonth::loadPeriod(*datBeginDate, *datEndDate, *datTempDate);
    lstEmployee->resetColumns({{QString(), 500},
                               {QStringLiteral("نوع سند"), 2000},
                               {QStringLiteral("FormTypeID"), 0},
                               {QStringLiteral("ID"), 0},
                               {QStringLiteral("وضعيت"), 800},
                               {QStringLiteral("تاريخ شروع"), 2000},
                               {QStringLiteral("تاريخ پايان"), 2000},
                               {QStringLiteral("ملاحظات"), 3000}});
    lblRecordCount->setText(QStringLiteral("0"));
    pgb->hide();
    lblProgress->hide();
    optAllDocs->setChecked(true);
    resetLayout();

    optTempSaveEmployee->setChecked(true);
    // As the option's click, but a failing query fails the load, so the window is not shown.
    rebuildDocuments();
    UpdateListButtons();
    datBeginDate->setEnabled(false);
    datEndDate->setEnabled(false);
    const QSizeF size = TwipPlacement::size(*this);
    BaseWidth = qRound(size.width());
    BaseHeight = qRound(size.height());
}

void FormCheckDocs::showModal()
{
    Form_Load();
    exec();
}

DocumentListMode FormCheckDocs::listMode() const
{
    return optTempSaveEmployee->isChecked() ? DocumentListMode::Temporary : DocumentListMode::Final;
}

void FormCheckDocs::RefreshEmployees()
{
    try {
        if (!rebuildDocuments())
            return;
    } catch (const ComponentError &error) {
        // The window stays usable: the failure is told and the list stays empty.
        ShowMessage(MessageText::TitleError, error.description());
    }
    UpdateListButtons();
}

bool FormCheckDocs::rebuildDocuments()
{
    documents().clear();
    if (!PayrollMonth::isListable(*datBeginDate, *datEndDate))
        return false;
    BusyCursor busy;
    db::Recordset &recordset = DtEn::instance().rssqlCommon();
    try {
        db::Connection &connection = DtEn::instance().connection();
        recordset.open(DocumentSql::documentList(listMode(), connection.dateLiteral(datBeginDate->englishdate()),
                                                 connection.dateLiteral(datEndDate->englishdate())));
        QList<ListItem> rows = DocumentRow::readAll(recordset);
        lblRecordCount->setText(QString::number(recordset.recordCount()));
        recordset.close();
        documents().appendItems(std::move(rows));
    } catch (const ComponentError &) {
        recordset.close();
        throw;
    }
    return true;
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

void FormCheckDocs::datBeginDate_Change()
{
    if (datBeginDate->isEmpty())
        PayrollMonth::restoreEmptiedBegin(*datBeginDate, StartDateText);
    RefreshEmployees();
}

void FormCheckDocs::datEndDate_Change()
{
    if (datEndDate->isEmpty())
        PayrollMonth::restoreEmptiedEnd(*datEndDate, StartDateText);
    RefreshEmployees();
}

void FormCheckDocs::lstEmployee_ColumnClick(int column)
{
    SortByClickedColumn(*lstEmployee, column);
}

void FormCheckDocs::cmdFinalize_Click()
{
    if (datBeginDate->isEmpty()) {
        ShowMessage(MessageText::TitleProblem, MessageText::BeginDateMissing);
        return;
    }
    bool finalized = false;
    {
        BusyCursor busy;
        setEnabled(false);
        try {
            finalized = finalizeChecked(busy);
        } catch (const ComponentError &) {
            // The updates already run stay in effect; the progress shows where it stopped.
        }
    }
    if (finalized) {
        ShowMessage(MessageText::TitleSuccess, MessageText::countMessage(pgb->value(), MessageText::DocumentsFinalizedTail));
        pgb->hide();
        lblProgress->hide();
        RefreshEmployees();
    }
    setEnabled(true);
    UpdateListButtons();
}

bool FormCheckDocs::finalizeChecked(BusyCursor &busy)
{
    const KeyedListModel &rows = documents();
    const int checked = rows.checkedCount();
    if (checked == 0) {
        busy.restore();
        ShowMessage(MessageText::TitleProblem, MessageText::NoEmployeeChecked);
        return false;
    }
    ProgressDisplay progress(*this, *pgb, *lblProgress);
    progress.start(checked);
    DocumentIdLists ids;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const ListItem &item = rows.item(row);
        if (!item.checked)
            continue;
        const QString formTypeId = item.texts.value(DocumentRow::FormTypeColumn);
        const QString id = item.texts.value(DocumentRow::IdColumn);
        progress.advance(formTypeId, id);
        ids.append(formTypeId.toInt(), id);
    }
    progress.paint();

    db::Recordset &recordset = DtEn::instance().rssqlCommon();
    for (const QString &statement : ids.statements())
        recordset.open(statement);
    recordset.close();
    return true;
}

void FormCheckDocs::resetLayout()
{
    m_places = FormCheckDocsLayout::designedPlaces();
    TwipPlacement::place(*this, m_places);
    TwipPlacement::resize(*this, FormCheckDocsLayout::designedWidth, FormCheckDocsLayout::designedHeight);
}

void FormCheckDocs::keyPressEvent(QKeyEvent *event)
{
    // The window closes by its close box, never by Esc.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FormCheckDocs::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const QSizeF size = TwipPlacement::size(*this);
    if (FormCheckDocsLayout::resize(m_places, BaseWidth, BaseHeight, size.width(), size.height()))
        TwipPlacement::place(*this, m_places);
}

} // namespace oruhr
