#pragma once

#include "platform/components/ReportRecord.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QVariantList>

namespace oruhr {

// Fills a report template's placeholders. {{Column}} is the column's text, HTML-escaped;
// {{Column|number}} a whole number grouped by thousands in Persian digits, negative in
// brackets; {{Column|fa}} the text with Persian digits; {{Column|jalali}} a Gregorian date
// as the Persian date "yyyy/mm/dd" in Persian digits. The part between <!--detail--> and
// <!--/detail--> (<!--detail:name--> and <!--/detail:name--> for a named list) is repeated
// once per line of its list, where {{#}} is the line's number and columns are looked up in
// the line first, then in the main record. A column that is in neither throws
// ComponentError 20515.
class ReportFiller {
public:
    using Details = QMap<QString, QList<ReportRecord>>; // by list name, "" for the unnamed one

    static QString fill(const QString &body, const ReportRecord &main, const Details &details);
    struct BoundSql {
        QString sql;
        QVariantList values;
    };
    // The detail SQL with each {{Column}} as a parameter "?" and the main record's values in
    // order: a value is never part of the statement's text.
    static BoundSql bindSql(const QString &sql, const ReportRecord &main);

    static QString persianDigits(QString text);
    static QString groupedNumber(const QVariant &value);
    static QString jalaliDate(const QVariant &value);
};

} // namespace oruhr
