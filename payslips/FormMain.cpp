#include "payslips/FormMain.h"

#include "common/NamedWidget.h"
#include "payslips/AccountDocumentLookup.h"
#include "payslips/FormErrorEmployee.h"
#include "payslips/FormFormIDs.h"
#include "payslips/FormMainLayout.h"
#include "payslips/FormPrint.h"
#include "payslips/ListExport.h"
#include "payslips/MissingFactorCheck.h"
#include "payslips/PayslipBatchOperation.h"
#include "payslips/PayslipPrinter.h"
#include "payslips/PayslipSql.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/KeyedListView.h"
#include "platform/controls/PelikDate.h"
#include "platform/controls/PelikSelector.h"
#include "platform/database/Recordset.h"
#include "shell/ModMain.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QKeyEvent>

namespace oruhr {
namespace {

QString filter(const PelikSelector &selector, const char *prefix)
{
    if (selector.isNoSelection())
        return QStringLiteral("1=1");
    return QString::fromLatin1(prefix) + QString::number(selector.selectedId().toInt());
}

} // namespace

FormMain::FormMain(ModMain &session, QWidget *parent)
    : ListWindow(session, "FormMain",
                 {FormMainLayout::designedPlaces, FormMainLayout::designedWidth, FormMainLayout::designedHeight,
                  FormMainLayout::resize},
                 parent)
{
    createControls();
    connectParts();
    connectHandlers();
    connectPrintHandlers();
    resetLayout();
}

FormMain::~FormMain() = default;

void FormMain::createControls()
{
    optTempSaveEmployee = named<QRadioButton>(this, "optTempSaveEmployee", QStringLiteral("کارمندان داراي فيش حقوقي موقت"));
    optFinalSaveEmployee = named<QRadioButton>(this, "optFinalSaveEmployee", QStringLiteral("کارمندان داراي فيش حقوقي قطعي "));
    optNonMonthlySalaryEmployee =
        named<QRadioButton>(this, "optNonMonthlySalaryEmployee", QStringLiteral("کارمندان بدون فيش حقوقي"));
    sltBranch = named<PelikSelector>(this, "sltBranch");
    sltCostCenter = named<PelikSelector>(this, "sltCostCenter");
    sltRecruitmentType = named<PelikSelector>(this, "sltRecruitmentType");
    lblBranch = named<QLabel>(this, "lblBranch", QStringLiteral("شعبه:"));
    lblCostCenter = named<QLabel>(this, "lblCostCenter", QStringLiteral("مرکز هزينه:"));
    lblRecruitmentType = named<QLabel>(this, "lblRecruitmentType", QStringLiteral("نوع استخدام:"));
    cmdCalc = named<QPushButton>(this, "cmdCalc", QStringLiteral("محاسبه"));
    cmdAccount = named<QPushButton>(this, "cmdAccount", QStringLiteral("سند حسابداري"));
    cmdViewPrint = named<QPushButton>(this, "cmdViewPrint", QStringLiteral("مشاهده/چاپ"));
    cmdShowError = named<QPushButton>(this, "cmdShowError", QStringLiteral("بررسي اشکالات اطلاعات کارکردي"));
    framePrint = named<QFrame>(this, "framePrint");
    framePrint->setFrameShape(QFrame::StyledPanel);
    framePrint->setAutoFillBackground(true);
    cmdExit = named<QPushButton>(framePrint, "cmdExit", QStringLiteral("انصراف"));
    cmdPrint = named<QPushButton>(framePrint, "cmdPrint", QStringLiteral("چاپ  "));
    cmdView = named<QPushButton>(framePrint, "cmdView", QStringLiteral("مشاهده  "));
    chkOrdinancePrint = named<QCheckBox>(this, "chkOrdinancePrint", QStringLiteral("چاپ حكم كارگزيني كارمند"));
    createProgressAndCount();
    cmdAccount->setProperty("Tag", QStringLiteral("-1"));
}

void FormMain::connectHandlers()
{
    for (QRadioButton *option : {optTempSaveEmployee, optFinalSaveEmployee, optNonMonthlySalaryEmployee})
        connect(option, &QRadioButton::clicked, this, &ListWindow::RefreshEmployees);
    for (PelikSelector *selector : {sltBranch, sltRecruitmentType, sltCostCenter})
        connect(selector, &PelikSelector::selectionChanged, this, &ListWindow::RefreshEmployees);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::close);

    // The month's accounting document and the missing salary-factor check.
    connect(cmdAccount, &QPushButton::clicked, this, &FormMain::cmdAccount_Click);
    connect(cmdShowError, &QPushButton::clicked, this, &FormMain::cmdShowError_Click);
    connectBatchOperations();
}

void FormMain::connectBatchOperations()
{
    const std::pair<QPushButton *, PayslipBatchKind> operations[] = {
        {cmdTempSave, PayslipBatchKind::TempSave},     {cmdCalc, PayslipBatchKind::Calc},
        {cmdFinalize, PayslipBatchKind::Finalize},     {cmdBackToTemp, PayslipBatchKind::BackToTemp},
        {cmdDelete, PayslipBatchKind::Delete},
    };
    for (const auto &[button, kind] : operations)
        connect(button, &QPushButton::clicked, this, [this, kind = kind] { PayslipBatchOperation(*this, kind).run(); });
}

void FormMain::prepareLoad()
{
    setWindowTitle(IsPrintMode ? QStringLiteral("چاپ گروهي فيش حقوقي") : QStringLiteral("ثبت گروهي فيش حقوقي"));
    bindSelectors();
}

QList<ListColumn> FormMain::listColumns() const
{
    return {{QString(), 500},
            {QStringLiteral("کد"), 800, ListColumn::SortAs::Number},
            {QStringLiteral("نام"), 2000},
            {QStringLiteral("نام خانوادگي"), 3000}};
}

void FormMain::chooseDefaultMode()
{
    chkOrdinancePrint->setChecked(false);
    optNonMonthlySalaryEmployee->setVisible(!IsPrintMode);
    QRadioButton *mode = IsPrintMode ? optFinalSaveEmployee : optNonMonthlySalaryEmployee;
    mode->setChecked(true);
    chkOrdinancePrint->setVisible(IsPrintMode);
    framePrint->setVisible(IsPrintMode);
    framePrint->raise();
}

void FormMain::bindSelectors()
{
    const struct {
        PelikSelector *selector;
        const char *upper;
        const char *lower;
    } bindings[] = {
        {sltBranch, "vwAccountBranchMajor", "vwAccountBranchMinor"},
        {sltRecruitmentType, "vwHRRecruitmentTypeMajor", "vwHRRecruitmentTypeMinor"},
        {sltCostCenter, "vwAccountCostCenterMajor", "vwAccountCostCenterMinor"},
    };
    for (const auto &binding : bindings) {
        binding.selector->setConnectionString(session().ActiveConnectionString);
        binding.selector->setUpperViewName(QString::fromLatin1(binding.upper));
        binding.selector->setLowerViewName(QString::fromLatin1(binding.lower));
        binding.selector->setUser(session().ActiveUserID);
    }
}

EmployeeListMode FormMain::listMode() const
{
    if (optNonMonthlySalaryEmployee->isChecked())
        return EmployeeListMode::WithoutPayslip;
    if (optFinalSaveEmployee->isChecked())
        return EmployeeListMode::FinalSaved;
    if (optTempSaveEmployee->isChecked())
        return EmployeeListMode::TempSaved;
    return EmployeeListMode::None;
}

QString FormMain::BranchFilter() const
{
    return filter(*sltBranch, "BranchID=");
}

QString FormMain::RecruitmentTypeFilter() const
{
    return filter(*sltRecruitmentType, "RecruitmentTypeID=");
}

QString FormMain::CostCenterFilter() const
{
    return filter(*sltCostCenter, "PositionID=");
}

QString FormMain::listSql(const QString &begin, const QString &end) const
{
    return PayslipSql::employeeList(listMode(), begin, end, BranchFilter(), RecruitmentTypeFilter(), CostCenterFilter());
}

QList<ListItem> FormMain::readRows(db::Recordset &recordset) const
{
    const int id = recordset.fieldIndex(QStringLiteral("ID"));
    const int code = recordset.fieldIndex(QStringLiteral("Code"));
    const int firstName = recordset.fieldIndex(QStringLiteral("FirstName"));
    const int sureName = recordset.fieldIndex(QStringLiteral("SureName"));
    QList<ListItem> rows;
    rows.reserve(recordset.recordCount());
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext())
        rows.append(EmployeeRow{recordset.field(id).toInt(), recordset.field(code).toString(),
                                recordset.field(firstName).toString(), recordset.field(sureName).toString()}
                        .toItem());
    return rows;
}

bool FormMain::runChecked(const CheckedRowBatch::Step &step)
{
    return CheckedRowBatch::run(*this, step);
}

QList<EmployeeRow> FormMain::employeeRows() const
{
    return EmployeeRow::allOf(employees());
}

bool FormMain::ordinancePrint() const
{
    return chkOrdinancePrint->isChecked();
}

FormPrint &FormMain::templateDialog()
{
    if (!m_templateDialog)
        m_templateDialog = std::make_unique<FormPrint>(session());
    return *m_templateDialog;
}

FormFormIDs &FormMain::documentChoice()
{
    if (!m_documentChoice)
        m_documentChoice = std::make_unique<FormFormIDs>(session().dtEn());
    return *m_documentChoice;
}

FormErrorEmployee &FormMain::factorCheck()
{
    if (!m_factorCheck)
        m_factorCheck = std::make_unique<FormErrorEmployee>(session().dtEn());
    return *m_factorCheck;
}

void FormMain::UpdateListButtons()
{
    const bool rows = employees().rowCount() > 0;
    const EmployeeListMode mode = listMode();
    const bool temporary = mode == EmployeeListMode::TempSaved && rows;
    const bool withoutPayslip = mode == EmployeeListMode::WithoutPayslip && rows;
    cmdDelete->setEnabled(temporary);
    cmdTempSave->setEnabled(withoutPayslip);
    cmdFinalize->setEnabled(temporary);
    cmdBackToTemp->setEnabled(mode == EmployeeListMode::FinalSaved && rows);
    cmdViewPrint->setEnabled(rows);
    cmdCalc->setEnabled(temporary);
    cmdShowError->setEnabled(temporary || withoutPayslip);
    cmdAccount->setEnabled(true);
    cmdAccount->setProperty("Tag", QStringLiteral("-1"));
}

void FormMain::keyPressEvent(QKeyEvent *event)
{
    printShortcut(*event);
    ListWindow::keyPressEvent(event);
}

// The month's accounting document and the missing salary-factor check.

void FormMain::cmdAccount_Click()
{
    const AccountDocumentLookup lookup(*this);
    const std::optional<QString> number = lookup.find();
    if (!number)
        return;
    cmdAccount->setProperty("Tag", *number);
    lookup.open(*number);
}

void FormMain::cmdShowError_Click()
{
    MissingFactorCheck::show(*this);
}

// Printing and the list export.

void FormMain::connectPrintHandlers()
{
    m_printer = std::make_unique<PayslipPrinter>(*this);
    connect(cmdPrint, &QPushButton::clicked, this, [this] { m_printer->PrintSelectedPayslips(false); });
    connect(cmdView, &QPushButton::clicked, this, [this] { m_printer->PrintSelectedPayslips(true); });
    connect(cmdViewPrint, &QPushButton::clicked, this,
            [this] { ListExport::ExportListToExcel(session().components(), *cmdViewPrint, employees()); });
}

// Ctrl+P prints and Ctrl+V views, in either letter case and in both modes, also while the
// print frame is hidden; the key goes on to the window as usual.
void FormMain::printShortcut(const QKeyEvent &event)
{
    if (!(event.modifiers() & Qt::ControlModifier))
        return;
    if (event.key() == Qt::Key_P)
        m_printer->PrintSelectedPayslips(false);
    else if (event.key() == Qt::Key_V)
        m_printer->PrintSelectedPayslips(true);
}

} // namespace oruhr
