#include "platform/components/ReportEngine.h"

#include "platform/automation/ComponentError.h"
#include "platform/components/BidiText.h"
#include "platform/components/ReportErrors.h"
#include "platform/components/ReportFiller.h"
#include "platform/components/ReportPdfQueue.h"
#include "platform/components/ReportPrinter.h"
#include "platform/components/ReportTemplate.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
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

// A report reads in one transaction, whatever its SQL tries: the transaction is rolled
// back at the end, so even where the server let a statement write, nothing of it stays.
class ReadingTransaction {
public:
    explicit ReadingTransaction(db::Connection &connection)
        : m_database(connection.database())
        , m_dialect(connection.dialect())
    {
        QSqlQuery begin(m_database);
        bool started = false;
        if (m_dialect == db::SqlDialect::SQLite)
            started = begin.exec(QStringLiteral("BEGIN"));
        else if (m_dialect == db::SqlDialect::PostgreSQL)
            started = begin.exec(QStringLiteral("START TRANSACTION READ ONLY"));
        else
            started = m_database.transaction();
        if (!started) {
            connection.noteFailure();
            throw ComponentError(ComponentError::CommandFailed,
                                 m_dialect == db::SqlDialect::SqlServer ? m_database.lastError().text()
                                                                        : begin.lastError().text());
        }
    }
    ~ReadingTransaction()
    {
        if (m_dialect == db::SqlDialect::SqlServer)
            m_database.rollback();
        else
            QSqlQuery(m_database).exec(QStringLiteral("ROLLBACK"));
    }
    ReadingTransaction(const ReadingTransaction &) = delete;
    ReadingTransaction &operator=(const ReadingTransaction &) = delete;

private:
    QSqlDatabase &m_database;
    db::SqlDialect m_dialect;
};

// The server refused a write because the connection or the transaction is read-only.
bool refusedWrite(const QSqlError &error, db::SqlDialect dialect)
{
    if (dialect == db::SqlDialect::PostgreSQL)
        return error.nativeErrorCode() == QLatin1String("25006");
    if (dialect == db::SqlDialect::SQLite) {
        bool number = false;
        const int code = error.nativeErrorCode().toInt(&number);
        return (number && (code & 0xff) == 8) // SQLITE_READONLY and its extended codes
               || error.databaseText().contains(QLatin1String("readonly"), Qt::CaseInsensitive);
    }
    return false;
}

} // namespace

ReportEngine::ReportEngine()
    : m_pdfFolder(defaultPdfFolder())
    , m_printerName(qEnvironmentVariable("ORUHR_REPORT_PRINTER"))
{
    m_connection.setReadOnly(true);
}

ReportEngine::~ReportEngine()
{
    if (m_pdfQueue) {
        try {
            m_pdfQueue->waitForAll();
        } catch (const ComponentError &) {
            // Nobody is left to tell; the queue's own failure was the report's.
        }
    }
}

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

QList<ReportRecord> ReportEngine::read(const QString &sql, const QVariantList &values)
{
    const db::SqlDialect dialect = m_connection.dialect();
    QSqlQuery query(m_connection.database());
    query.setForwardOnly(true);
    bool ran = query.prepare(m_connection.nativeSql(sql));
    if (ran) {
        for (const QVariant &value : values)
            query.addBindValue(value);
        ran = query.exec();
    }
    // Only a SELECT is a report's: anything else is refused, and rolled back where it ran.
    if ((!ran && refusedWrite(query.lastError(), dialect)) || (ran && !query.isSelect()))
        throw ComponentError(ReportErrors::SqlWouldWrite,
                             QStringLiteral("SQL قالب گزارش داده ها را تغيير مي دهد و اجرا نشد؛ گزارش فقط مي تواند "
                                            "داده ها را بخواند: ")
                                 + leftToRight(m_fileName));
    if (!ran) {
        m_connection.noteFailure();
        throw ComponentError(ComponentError::CommandFailed, query.lastError().text());
    }
    QList<ReportRecord> rows;
    const QSqlRecord record = query.record();
    QStringList names;
    for (int c = 0; c < record.count(); ++c)
        names << record.fieldName(c);
    while (query.next()) {
        QVariantList row;
        row.reserve(names.size());
        for (int c = 0; c < names.size(); ++c)
            row.append(query.isNull(c) ? QVariant() : query.value(c));
        rows.append({names, row});
    }
    if (query.lastError().isValid())
        throw ComponentError(ComponentError::CommandFailed, query.lastError().text());
    return rows;
}

QString ReportEngine::fill(const ReportTemplate &report)
{
    connection();
    ReportRecord main;
    ReportFiller::Details details;
    try {
        const ReadingTransaction transaction(m_connection);
        // Without a filter the report shows the first record.
        QString sql = QStringLiteral("Select * From (") + report.mainSql + QStringLiteral(") ReportRecord");
        if (!m_filter.isEmpty())
            sql += QStringLiteral(" Where ") + m_filter;
        const QList<ReportRecord> records = read(sql);
        if (records.isEmpty())
            throw ComponentError(ReportErrors::NoRecord,
                                 QStringLiteral("رکوردي براي گزارش پيدا نشد: ") + leftToRight(m_filter));
        main = records.first();
        for (auto list = report.detailSql.cbegin(); list != report.detailSql.cend(); ++list) {
            const ReportFiller::BoundSql bound = ReportFiller::bindSql(list.value(), main);
            details[list.key()] = read(bound.sql, bound.values);
        }
    } catch (const ComponentError &error) {
        if (error.number() == ReportErrors::NoRecord || error.number() == ReportErrors::FieldNotInReport
            || error.number() == ReportErrors::SqlWouldWrite)
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

// A run prints one template many times: it is parsed once, and again when its file changes.
const ReportTemplate &ReportEngine::currentTemplate()
{
    const QFileInfo file(m_fileName);
    if (m_template && m_fileName == m_templateFile && file.isReadable() && file.lastModified() == m_templateModified
        && file.size() == m_templateSize)
        return *m_template;
    m_template.reset();
    auto report = std::make_unique<ReportTemplate>(ReportTemplate::read(m_fileName));
    m_templateFile = m_fileName;
    m_templateModified = file.lastModified();
    m_templateSize = file.size();
    m_template = std::move(report);
    return *m_template;
}

void ReportEngine::ShowReport(const QVariant &outputMode)
{
    m_lastOutputFile.clear();
    const ReportTemplate &report = currentTemplate();
    const QString html = fill(report);
    if (outputMode.toInt() != 1 && m_writesInBackground && ReportPrinter::printsToPdf(m_printerName)) {
        if (!m_pdfQueue)
            m_pdfQueue = std::make_unique<ReportPdfQueue>();
        const QString file = pdfFileName();
        m_pdfQueue->add(html, report, file);
        m_lastOutputFile = file;
        return;
    }
    ReportPrinter printer(html, report);
    if (outputMode.toInt() == 1)
        printer.preview(report.title.isEmpty() ? QFileInfo(m_fileName).completeBaseName() : report.title);
    else
        m_lastOutputFile = printer.print(m_printerName, pdfFileName());
}

void ReportEngine::WaitForOutput()
{
    if (m_pdfQueue)
        m_pdfQueue->waitForAll();
}

} // namespace oruhr
