#pragma once

#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

namespace oruhr {

// A report template as the report component reads it: an HTML document for Qt's rich-text
// engine whose head carries the SQL of its main record and, optionally, of its detail lines
// in <script type="text/x-sql" id="main"> and id="detail" blocks, and the page in
// <meta name="page" content="A5 landscape"> (A3 to A6, Letter or Legal). A report with more than one list of detail
// lines names the others id="detail:name".
struct ReportTemplate {
    QString body; // the document without its SQL blocks
    QString mainSql;
    QMap<QString, QString> detailSql; // by list name, "" for id="detail"
    QString title;     // of <title>, for the preview window
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;

    // Throws ComponentError 20544 when the file cannot be opened, 20525 when it names no main SQL.
    static ReportTemplate read(const QString &path);
    static ReportTemplate parse(const QString &html, const QString &path = {});
};

} // namespace oruhr
