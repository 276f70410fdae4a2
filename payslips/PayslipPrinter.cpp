#include "payslips/PayslipPrinter.h"

#include "common/BusyCursor.h"
#include "common/MessageText.h"
#include "common/Messages.h"
#include "common/ReportFiles.h"
#include "payslips/FormMain.h"
#include "payslips/FormPrint.h"
#include "payslips/PayslipSql.h"
#include "platform/automation/ComponentError.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"
#include "platform/components/ReportEngine.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/PelikDate.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>

namespace oruhr {
namespace {

constexpr qint32 OrdinanceTemplates = 1401;
constexpr qint32 PayslipTemplates = 1402;

QString periodDate(const PelikDate &picker, const QDate &whenEmpty)
{
    return DtEn::instance().connection().dateLiteral(picker.isEmpty() ? whenEmpty : picker.englishdate());
}

} // namespace

PayslipPrinter::PayslipPrinter(FormMain &form)
    : m_form(form)
    , m_progress(form, *form.pgb, *form.lblProgress)
{
}

PayslipPrinter::~PayslipPrinter() = default;

void PayslipPrinter::tell(const ComponentError &error)
{
    // The message is answered with the usual pointer, even in the middle of a run.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::restoreOverrideCursor();
    ShowMessage(MessageText::errorTitle(error.number()), error.description());
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void PayslipPrinter::PrintSelectedPayslips(bool view)
{
    // Employees without a payslip have nothing to print: no template is asked for.
    const EmployeeListMode mode = m_form.listMode();
    if (mode != EmployeeListMode::FinalSaved && mode != EmployeeListMode::TempSaved)
        return;
    const bool ordinances = m_form.chkOrdinancePrint->isChecked();
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
        ShowMessage(MessageText::TitleProblem, MessageText::reportFileMissing(filePath));
        return;
    }
    printChecked(filePath, view ? 1 : 0, ordinances);
}

QString PayslipPrinter::chooseTemplate(bool ordinances)
{
    FormPrint &dialog = FormPrint::instance();
    dialog.setFormTypeID(ordinances ? OrdinanceTemplates : PayslipTemplates);
    if (FillReportTemplates(dialog))
        dialog.exec();
    return dialog.FilePath().toString();
}

// Templates are catalogued with full paths or relative to the application folder.
QString PayslipPrinter::resolvedPath(const QString &stored)
{
    return QFileInfo::exists(stored) ? stored : ModMain::ApplicationFolder + stored;
}

void PayslipPrinter::printChecked(const QString &filePath, qint16 outputMode, bool ordinances)
{
    BusyCursor busy;
    m_form.setEnabled(false);
    const int checked = m_form.employees().checkedCount();
    std::optional<ComponentError> pending;
    if (checked == 0) {
        busy.restore();
        ShowMessage(MessageText::TitleProblem, MessageText::NoEmployeeChecked);
    } else {
        m_progress.start(checked);

        bool reported = false; // a ShowReport was reached in this run
        QString stagingFolder;
        try {
            m_report = ComponentRegistry::instance().create(QString::fromLatin1(ReportEngine::classId));
            for (int row = 0; row < m_form.employees().rowCount(); ++row) {
                const ListItem &item = m_form.employees().item(row);
                if (!item.checked)
                    continue;
                try {
                    const std::optional<Payslip> payslip = latestPayslip(item);
                    if (!payslip)
                        continue;
                    const QVariant recordId = ordinances ? payslip->ordinanceId : payslip->id;
                    // A payslip that names no ordinance has none to print: the employee is
                    // skipped like one without a payslip, and the bar does not move for him.
                    if (!recordId.isValid() || recordId.isNull())
                        continue;
                    handOver(item, filePath, recordId);
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
            busy.restore();
            tell(error);
        }
        DtEn::instance().rssqlCommon().close();
        m_progress.hide();
    }
    busy.restore();
    m_form.setEnabled(true);
    if (pending)
        tell(*pending);
    if (outputMode == 0)
        tellWherePdfFilesWent();
}

// Without a printer the report component writes each report to a PDF file; the clerk must
// not believe the payslips were printed.
void PayslipPrinter::tellWherePdfFilesWent() const
{
    if (!m_report)
        return;
    QString lastFile;
    try {
        lastFile = Dispatch::property(*m_report, "LastOutputFile").toString();
    } catch (const ComponentError &) {
        return; // a report component that prints only
    }
    if (!lastFile.isEmpty())
        ShowMessage(MessageText::TitleProblem, QStringLiteral("چاپگري تعريف نشده است؛ گزارش‌ها در پوشه «")
                                                   + QFileInfo(lastFile).absolutePath()
                                                   + QStringLiteral("» ذخيره شد."));
}

std::optional<PayslipPrinter::Payslip> PayslipPrinter::latestPayslip(const ListItem &row)
{
    const EmployeeListMode mode = m_form.listMode();
    // Without a payslip in the list's mode there is nothing to report.
    if (mode != EmployeeListMode::FinalSaved && mode != EmployeeListMode::TempSaved)
        return std::nullopt;
    db::Recordset &recordset = DtEn::instance().rssqlCommon();
    recordset.close();
    const qint32 employeeId = row.key.mid(1).toInt();
    recordset.open(PayslipSql::printedPayslip(mode == EmployeeListMode::FinalSaved, employeeId,
                                              periodDate(*m_form.datBeginDate, QDate(1900, 1, 1)),
                                              periodDate(*m_form.datEndDate, QDate(2100, 1, 1))));
    std::optional<Payslip> payslip;
    if (recordset.recordCount() > 0) {
        recordset.moveFirst(); // the latest BeginDate first
        payslip = Payslip{recordset.field(QStringLiteral("ID")), recordset.field(QStringLiteral("OrdinanceID"))};
    }
    recordset.close();
    return payslip;
}

void PayslipPrinter::handOver(const ListItem &row, const QString &filePath, const QVariant &recordId)
{
    QObject &report = *m_report;
    Dispatch::setProperty(report, "ReportFileName", filePath);
    Dispatch::setProperty(report, "ConnectionText", ModMain::ActiveConnectionString);
    Dispatch::call(report, "ConnectionValue", {ModMain::ActiveConnectionString});
    Dispatch::call(report, "SetRecordFilter", {1, QStringLiteral("ID = ") + QString::number(recordId.toLongLong())});

    m_progress.advance(row.texts.value(2), row.texts.value(3));
    // A report takes far longer than a paint: the bar shows each one handed over.
    m_progress.paint();
}

void PayslipPrinter::showReport(qint16 outputMode, QString &stagingFolder)
{
    try {
        Dispatch::call(*m_report, "ShowReport", {QVariant::fromValue(outputMode)});
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
        QString copy = GetTempReportFile(stagingFolder);
        if (copy.isEmpty())
            return; // no temporary folder, which was told
        copy.chop(3);
        copy += QStringLiteral("rpt");
        const QString source = Dispatch::property(*m_report, "ReportFileName").toString();
        QFile::remove(copy);
        if (!QFile::copy(source, copy)) {
            // Not even a copy can be read: retrying would only name the copy in the message.
            ShowMessage(MessageText::TitleProblem, MessageText::reportFileMissing(source));
            return;
        }
        Dispatch::setProperty(*m_report, "ReportFileName", copy);
        Dispatch::call(*m_report, "ConnectionValue", {QString()});
        Dispatch::call(*m_report, "ShowReport", {QVariant::fromValue(outputMode)});
    } catch (const ComponentError &error) {
        tell(error);
    }
}

} // namespace oruhr
