#include "platform/components/ReportEngine.h"

#include "platform/automation/ComponentError.h"
#include "platform/components/BidiText.h"
#include "platform/components/ReportErrors.h"
#include "platform/components/ReportFiller.h"
#include "platform/components/ReportPrinter.h"
#include "platform/components/ReportTemplate.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace oruhr {
namespace {

QString defaultPdfFolder()
{
    const QString configured = qEnvironmentVariable("ORUHR_REPORT_PDF_FOLDER");
    if (!configured.isEmpty())
        return configured;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(QStringLiteral("OruHR reports"));
}

ReportRecord currentRecord(const db::Recordset &records)
{
    const QStringList names = records.fieldNames();
    QVariantList values;
    values.reserve(names.size());
    for (int i = 0; i < names.size(); ++i)
        values.append(records.field(i));
    return {names, values};
}

} // namespace

ReportEngine::ReportEngine()
    : m_pdfFolder(defaultPdfFolder())
    , m_printerName(qEnvironmentVariable("ORUHR_REPORT_PRINTER"))
{
}

ReportEngine::~ReportEngine() = default;

void ReportEngine::ConnectionValue(const QVariant &connection)
{
    m_connectionValue = connection.toString();
}

QVariant ReportEngine::SetRecordFilter(int index, const QString &filter)
{
    if (index == 1)
        m_filter = filter.trimmed();
    return true;
}

db::Connection &ReportEngine::connection()
{
    const QString wanted = m_connectionValue.isEmpty() ? m_connectionText : m_connectionValue;
    if (wanted.isEmpty())
        throw ComponentError(ReportErrors::DataUnavailable, QStringLiteral("اتصال داده هاي گزارش مشخص نيست."));
    // Kept open across the reports of a run.
    if (wanted != m_connection.connectionString())
        m_connection.setConnectionString(wanted);
    return m_connection;
}

QString ReportEngine::fill(const ReportTemplate &report)
{
    connection();
    ReportRecord main;
    ReportFiller::Details details;
    try {
        // Without a filter the report shows the first record.
        QString sql = QStringLiteral("Select * From (") + report.mainSql + QStringLiteral(") ReportRecord");
        if (!m_filter.isEmpty())
            sql += QStringLiteral(" Where ") + m_filter;
        m_records.open(sql);
        if (m_records.recordCount() == 0) {
            m_records.close();
            throw ComponentError(ReportErrors::NoRecord,
                                 QStringLiteral("رکوردي براي گزارش پيدا نشد: ") + leftToRight(m_filter));
        }
        main = currentRecord(m_records);
        m_records.close();
        for (auto list = report.detailSql.cbegin(); list != report.detailSql.cend(); ++list) {
            m_records.open(ReportFiller::bindSql(list.value(), main));
            QList<ReportRecord> &lines = details[list.key()];
            for (m_records.moveFirst(); !m_records.eof(); m_records.moveNext())
                lines.append(currentRecord(m_records));
            m_records.close();
        }
    } catch (const ComponentError &error) {
        m_records.close();
        if (error.number() == ReportErrors::NoRecord || error.number() == ReportErrors::FieldNotInReport)
            throw;
        throw ComponentError(ReportErrors::DataUnavailable,
                             QStringLiteral("داده هاي گزارش خوانده نمي شود: ") + error.description());
    }
    return ReportFiller::fill(report.body, main, details);
}

QString ReportEngine::pdfFileName() const
{
    static const QRegularExpression unsafe(QStringLiteral("[^\\w]+"));
    QString record = m_filter;
    record.replace(unsafe, QStringLiteral("-"));
    const QString base = QFileInfo(m_fileName).completeBaseName();
    return QDir(m_pdfFolder).filePath(record.isEmpty() || record == QLatin1String("-")
                                          ? base + QStringLiteral(".pdf")
                                          : base + QLatin1Char('-') + record + QStringLiteral(".pdf"));
}

void ReportEngine::ShowReport(const QVariant &outputMode)
{
    m_lastOutputFile.clear();
    const ReportTemplate report = ReportTemplate::read(m_fileName);
    ReportPrinter printer(fill(report), report);
    if (outputMode.toInt() == 1)
        printer.preview(report.title.isEmpty() ? QFileInfo(m_fileName).completeBaseName() : report.title);
    else
        m_lastOutputFile = printer.print(m_printerName, pdfFileName());
}

} // namespace oruhr
