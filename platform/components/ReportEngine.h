#pragma once

#include "platform/components/ReportRecord.h"
#include "platform/database/Connection.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>

namespace oruhr {

class ReportPdfQueue;
struct ReportTemplate;

// Stand-in for the host product's report component. It reads a report template (see
// ReportTemplate), restricts the template's main record to the filter, fills the placeholders
// with the record and its detail lines, and shows the result in a print preview (output
// mode 1) or prints it (any other mode): to the default printer, or to a PDF file in
// PdfFolder when no printer is configured. ConnectionValue overrides ConnectionText for the
// report's data; an empty value falls back to ConnectionText. The template's SQL only reads:
// it runs on a read-only connection of the report's own, in a transaction that is always
// rolled back, and a statement that would write fails the report.
class ReportEngine : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString ReportFileName READ reportFileName WRITE setReportFileName)
    Q_PROPERTY(QString ConnectionText MEMBER m_connectionText)
    // Where printed reports go when no printer is configured: ORUHR_REPORT_PDF_FOLDER, or
    // "OruHR reports" in the user's documents folder.
    Q_PROPERTY(QString PdfFolder MEMBER m_pdfFolder)
    // The printer: empty for the default one (ORUHR_REPORT_PRINTER when set), "pdf" for PDF files.
    Q_PROPERTY(QString PrinterName MEMBER m_printerName)
    // The PDF file written by the last ShowReport, empty when it went to a printer or the screen.
    Q_PROPERTY(QString LastOutputFile READ lastOutputFile)
    // When true, a report bound for a PDF file is written there on another core while the
    // caller goes on to the next one; WaitForOutput returns when all are written.
    Q_PROPERTY(bool WritesInBackground MEMBER m_writesInBackground)

public:
    // Known to the payslip window only by this class identifier.
    static constexpr const char *classId = "{6A0C1F43-5B7E-4D2A-9C3E-0F1B2D4E5A70}";
    static constexpr const char *progId = "ReportEngine.Report";

    ReportEngine();
    ~ReportEngine() override;

    QString reportFileName() const { return m_fileName; }
    void setReportFileName(const QString &file) { m_fileName = file; }
    QString lastOutputFile() const { return m_lastOutputFile; }

    Q_INVOKABLE void ConnectionValue(const QVariant &connection);
    // Index 1 restricts the main record ("ID = 42"); the result is always True.
    Q_INVOKABLE QVariant SetRecordFilter(int index, const QString &filter);
    // Throws ComponentError: 20544 when the template cannot be opened, other report numbers
    // (ReportErrors.h) for a bad template, missing data or a failed output.
    Q_INVOKABLE void ShowReport(const QVariant &outputMode);
    // Returns when every PDF file of the reports shown so far is written; throws the failure
    // of one written in the background.
    Q_INVOKABLE void WaitForOutput();

private:
    const ReportTemplate &currentTemplate();
    QString fill(const ReportTemplate &report);
    QList<ReportRecord> read(const QString &sql, const QVariantList &values = {});
    QString pdfFileName() const;
    db::Connection &connection();

    QString m_fileName;
    QString m_connectionText;
    QString m_connectionValue;
    QString m_filter;
    QString m_pdfFolder;
    QString m_printerName;
    QString m_lastOutputFile;
    db::Connection m_connection;
    bool m_writesInBackground = false;
    // The template last read, read again when its file changes.
    std::unique_ptr<ReportTemplate> m_template;
    QString m_templateFile;
    QDateTime m_templateModified;
    qint64 m_templateSize = -1;
    std::unique_ptr<ReportPdfQueue> m_pdfQueue;
};

} // namespace oruhr
