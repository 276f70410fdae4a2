#include "payslips/PayslipPrinter.h"

#include "common/CheckedRowRun.h"
#include "common/MessageText.h"
#include "common/Messages.h"
#include "common/ReportFiles.h"
#include "payslips/EmployeeListWindow.h"
#include "payslips/FormPrint.h"
#include "payslips/PayslipLog.h"
#include "payslips/PayslipSql.h"
#include "platform/automation/ComponentError.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"
#include "platform/components/ReportEngine.h"
#include "platform/controls/PelikDate.h"
#include "platform/database/SystemIds.h"
#include "shell/ModMain.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace oruhr {
namespace {

QString periodDate(DtEn &dtEn, const PelikDate &picker, const QDate &whenEmpty)
{
    return dtEn.dateLiteral(picker.isEmpty() ? whenEmpty : picker.englishdate());
}

} // namespace

PayslipPrinter::PayslipPrinter(EmployeeListWindow &window)
    : m_window(window)
{
}

PayslipPrinter::~PayslipPrinter() = default;

void PayslipPrinter::tell(const ComponentError &error) const
{
    // The message is answered with the usual pointer, even in the middle of a run.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::restoreOverrideCursor();
    ShowMessage(m_window.session().components(), MessageText::errorTitle(error.number()), error.description());
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void PayslipPrinter::PrintSelectedPayslips(bool view)
{
    const bool ordinances = m_window.ordinancePrint();
    QString filePath;
    try {
        filePath = chooseTemplate(ordinances);
        if (filePath.isEmpty())
            return;
        ReportFolderCleanup();
    } catch (const ComponentError &error) {
        tell(error);
        return;
    }
    filePath = resolvedPath(filePath);
    if (!QFileInfo::exists(filePath)) {
        ShowMessage(m_window.session().components(), MessageText::TitleProblem, MessageText::reportFileMissing(filePath));
        return;
    }
    printChecked(filePath, view ? 1 : 0, ordinances);
}

QString PayslipPrinter::chooseTemplate(bool ordinances)
{
    FormPrint &dialog = m_window.templateDialog();
    dialog.setFormTypeID(ordinances ? ids::OrdinanceForm : ids::PayslipForm);
    if (FillReportTemplates(dialog))
        dialog.exec();
    return dialog.FilePath().toString();
}

// Templates are catalogued with full paths or relative to the application folder.
QString PayslipPrinter::resolvedPath(const QString &stored) const
{
    return QFileInfo::exists(stored) ? stored : m_window.session().ApplicationFolder + stored;
}

void PayslipPrinter::printChecked(const QString &filePath, qint16 outputMode, bool ordinances)
{
    std::optional<ComponentError> pending;
    m_pdfFolder.clear();
    bool ticked = false;
    {
        const std::unique_ptr<CheckedRowRun> run = m_window.beginRun();
        ticked = printRows(*run, filePath, outputMode, ordinances, pending);
    }
    if (pending)
        tell(*pending);
    // Employees listed without a payslip have none to report; the clerk must not wait for one.
    if (ticked && m_window.listMode() == EmployeeListMode::WithoutPayslip)
        ShowMessage(m_window.session().components(), MessageText::TitleProblem, MessageText::NoPayslipToPrint);
    // Without a printer the reports went to PDF files; the clerk must not believe they were printed.
    if (!m_pdfFolder.isEmpty())
        ShowMessage(m_window.session().components(), MessageText::TitleProblem, MessageText::reportsSavedIn(m_pdfFolder));
}

bool PayslipPrinter::printRows(CheckedRowRun &run, const QString &filePath, qint16 outputMode, bool ordinances,
                               std::optional<ComponentError> &pending)
{
    const QList<EmployeeRow> rows = m_window.employeeRows();
    const int checked = int(std::count_if(rows.cbegin(), rows.cend(), [](const EmployeeRow &row) { return row.checked; }));
    if (checked == 0) {
        ShowMessage(m_window.session().components(), MessageText::TitleProblem, MessageText::NoEmployeeChecked);
        return false;
    }
    run.progress().start(checked);
    bool reported = false; // a ShowReport was reached in this run
    QString stagingFolder;
    try {
        m_report = m_window.session().components().create(QString::fromLatin1(ReportEngine::classId));
        for (const EmployeeRow &row : rows) {
            if (!row.checked)
                continue;
            try {
                const std::optional<Payslip> payslip = latestPayslip(row);
                if (!payslip)
                    continue;
                const QVariant recordId = ordinances ? payslip->ordinanceId : payslip->id;
                // A payslip that names no ordinance has none to print: the employee is
                // skipped like one without a payslip, and the bar does not move for him.
                if (!recordId.isValid() || recordId.isNull())
                    continue;
                handOver(run, row, filePath, recordId);
            } catch (const ComponentError &error) {
                // Before the first report nothing was printed yet: the run stops. After
                // it, the failing employee is passed over and the error kept for the end,
                // unless a later employee gets as far as his report.
                if (!reported)
                    throw;
                pending = error;
                continue;
            }
            pending.reset();
            reported = true;
            showReport(outputMode, stagingFolder);
        }
    } catch (const ComponentError &error) {
        run.restoreCursor();
        tell(error);
    }
    run.progress().hide();
    return true;
}

// Without a printer the report component writes each report to a PDF file and names it.
void PayslipPrinter::noteOutputFile()
{
    QString file;
    try {
        file = Dispatch::property(*m_report, "LastOutputFile").toString();
    } catch (const ComponentError &error) {
        qCInfo(lcPayslips) << "the report component names no output file:" << error.number() << error.description();
        return; // a report component that prints only
    }
    if (!file.isEmpty())
        m_pdfFolder = QFileInfo(file).absolutePath();
}

std::optional<PayslipPrinter::Payslip> PayslipPrinter::latestPayslip(const EmployeeRow &row)
{
    const EmployeeListMode mode = m_window.listMode();
    // Without a payslip in the list's mode there is nothing to report.
    if (mode != EmployeeListMode::FinalSaved && mode != EmployeeListMode::TempSaved)
        return std::nullopt;
    DtEn &dtEn = m_window.session().dtEn();
    const db::Recordset recordset = dtEn.query(
        PayslipSql::printedPayslip(mode == EmployeeListMode::FinalSaved, row.id,
                                   periodDate(dtEn, m_window.beginDate(), QDate(1900, 1, 1)),
                                   periodDate(dtEn, m_window.endDate(), QDate(2100, 1, 1))));
    if (recordset.recordCount() == 0)
        return std::nullopt;
    // The latest BeginDate comes first.
    return Payslip{recordset.field(QStringLiteral("ID")), recordset.field(QStringLiteral("OrdinanceID"))};
}

void PayslipPrinter::handOver(CheckedRowRun &run, const EmployeeRow &row, const QString &filePath,
                              const QVariant &recordId)
{
    QObject &report = *m_report;
    const QString &connection = m_window.session().ActiveConnectionString;
    Dispatch::setProperty(report, "ReportFileName", filePath);
    Dispatch::setProperty(report, "ConnectionText", connection);
    Dispatch::call(report, "ConnectionValue", {connection});
    Dispatch::call(report, "SetRecordFilter", {1, QStringLiteral("ID = ") + QString::number(recordId.toLongLong())});

    run.progress().advance(row.firstName, row.surname);
    // A report takes far longer than a paint: the bar shows each one handed over.
    run.progress().paint();
}

void PayslipPrinter::showReport(qint16 outputMode, QString &stagingFolder)
{
    try {
        Dispatch::call(*m_report, "ShowReport", {QVariant::fromValue(outputMode)});
        if (outputMode == 0)
            noteOutputFile();
    } catch (const ComponentError &error) {
        if (error.number() == ComponentError::ReportFileCannotBeOpened)
            fileAccessFallback(outputMode, stagingFolder);
        else
            tell(error);
    }
}

// The template could not be opened where it is (a share that is read-locked, say): the report
// gets a private copy in this run's dated folder, and this employee is tried once more with
// it. The next employee starts from the catalogued template again.
void PayslipPrinter::fileAccessFallback(qint16 outputMode, QString &stagingFolder)
{
    try {
        QString copy = GetTempReportFile(m_window.session().components(), stagingFolder);
        if (copy.isEmpty())
            return; // no temporary folder, which was told
        copy.chop(3);
        copy += QStringLiteral("rpt");
        const QString source = Dispatch::property(*m_report, "ReportFileName").toString();
        QFile::remove(copy);
        if (!QFile::copy(source, copy)) {
            // Not even a copy can be read: retrying would only name the copy in the message.
            ShowMessage(m_window.session().components(), MessageText::TitleProblem, MessageText::reportFileMissing(source));
            return;
        }
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner); // not the template's own mode
        Dispatch::setProperty(*m_report, "ReportFileName", copy);
        Dispatch::call(*m_report, "ConnectionValue", {QString()});
        Dispatch::call(*m_report, "ShowReport", {QVariant::fromValue(outputMode)});
        if (outputMode == 0)
            noteOutputFile();
    } catch (const ComponentError &error) {
        tell(error);
    }
}

} // namespace oruhr
