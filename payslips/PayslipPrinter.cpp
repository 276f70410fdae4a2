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
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/PelikDate.h"
#include "platform/database/SystemIds.h"
#include "shell/ModMain.h"

#include <QFile>
#include <QFileInfo>

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
    ShowMessage(m_window.session().components(), MessageText::errorTitle(error.number()), error.description());
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
    m_pdfFolder.clear();
    PrintRun print{filePath, outputMode, ordinances};
    CheckedRowBatch::Step step;
    step.needsBeginDate = false;
    step.letsMessagesThrough = false;
    step.eachRow = [this, &print](CheckedRowRun &run, const ListItem &item) {
        printRow(run, EmployeeRow::of(item), print);
    };
    step.failed = [this](CheckedRowRun &run, const ComponentError &error) {
        run.restoreCursor();
        tell(error);
        run.progress().hide();
    };
    const bool ticked = m_window.runChecked(step);
    if (print.reported)
        waitForOutput();
    if (print.pending)
        tell(*print.pending);
    // Employees listed without a payslip have none to report; the clerk must not wait for one.
    if (ticked && m_window.listMode() == EmployeeListMode::WithoutPayslip)
        ShowMessage(m_window.session().components(), MessageText::TitleProblem, MessageText::NoPayslipToPrint);
    // Without a printer the reports went to PDF files; the clerk must not believe they were printed.
    if (!m_pdfFolder.isEmpty())
        ShowMessage(m_window.session().components(), MessageText::TitleProblem, MessageText::reportsSavedIn(m_pdfFolder));
}

void PayslipPrinter::printRow(CheckedRowRun &run, const EmployeeRow &row, PrintRun &print)
{
    if (!print.reportMade) {
        m_report = m_window.session().components().create(QString::fromLatin1(ReportEngine::classId));
        print.reportMade = true;
        writeInBackground();
    }
    try {
        const std::optional<Payslip> payslip = latestPayslip(row);
        if (!payslip)
            return;
        const QVariant recordId = print.ordinances ? payslip->ordinanceId : payslip->id;
        // A payslip that names no ordinance has none to print: the employee is skipped like
        // one without a payslip, and the bar does not move for him.
        if (!recordId.isValid() || recordId.isNull())
            return;
        handOver(run, row, print.filePath, recordId);
    } catch (const ComponentError &error) {
        // Before the first report nothing was printed yet: the run stops. After it, the
        // failing employee is passed over and the error kept for the end, unless a later
        // employee gets as far as his report.
        if (!print.reported)
            throw;
        print.pending = error;
        return;
    }
    print.pending.reset();
    print.reported = true;
    showReport(run, print);
}

// PDF files are written on the other cores while the next employee's report is read; a
// component that cannot do so writes each before its ShowReport returns.
void PayslipPrinter::writeInBackground()
{
    try {
        Dispatch::setProperty(*m_report, "WritesInBackground", true);
    } catch (const ComponentError &error) {
        qCInfo(lcPayslips) << "the report component writes each report in turn:" << error.number();
    }
}

// The notices after the run speak of files that are all there.
void PayslipPrinter::waitForOutput()
{
    try {
        Dispatch::call(*m_report, "WaitForOutput");
    } catch (const ComponentError &error) {
        if (error.number() != ComponentError::MemberNotFound)
            tell(error);
    }
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

void PayslipPrinter::showReport(CheckedRowRun &run, PrintRun &print)
{
    try {
        Dispatch::call(*m_report, "ShowReport", {QVariant::fromValue(print.outputMode)});
        if (print.outputMode == 0)
            noteOutputFile();
    } catch (const ComponentError &error) {
        if (error.number() == ComponentError::ReportFileCannotBeOpened)
            fileAccessFallback(run, print);
        else
            run.tell(MessageText::errorTitle(error.number()), error.description());
    }
}

// The template could not be opened where it is (a share that is read-locked, say): the report
// gets a private copy in this run's dated folder, and this employee is tried once more with
// it. The next employee starts from the catalogued template again.
void PayslipPrinter::fileAccessFallback(CheckedRowRun &run, PrintRun &print)
{
    const QVariant outputMode = QVariant::fromValue(print.outputMode);
    try {
        QString copy = GetTempReportFile(m_window.session().components(), print.stagingFolder);
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
        Dispatch::call(*m_report, "ShowReport", {outputMode});
        if (print.outputMode == 0)
            noteOutputFile();
    } catch (const ComponentError &error) {
        run.tell(MessageText::errorTitle(error.number()), error.description());
    }
}

} // namespace oruhr
