#include "platform/components/ReportFiller.h"

#include "platform/automation/ComponentError.h"
#include "platform/components/ReportErrors.h"

#include <QCalendar>
#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <cmath>

namespace oruhr {
namespace {

const QRegularExpression placeholder(QStringLiteral(R"(\{\{\s*([^{}|\s]+)\s*(?:\|\s*(\w+)\s*)?\}\})"));

QVariant lookUp(const QString &name, const ReportRecord *line, const ReportRecord &main)
{
    if (line) {
        if (const auto value = line->value(name))
            return *value;
    }
    if (const auto value = main.value(name))
        return *value;
    throw ComponentError(ReportErrors::FieldNotInReport, QStringLiteral("ستون «") + name
                                                             + QStringLiteral("» در داده هاي گزارش نيست."));
}

QString formatted(const QVariant &value, const QString &format)
{
    if (format.compare(QLatin1String("number"), Qt::CaseInsensitive) == 0)
        return ReportFiller::groupedNumber(value);
    if (format.compare(QLatin1String("jalali"), Qt::CaseInsensitive) == 0)
        return ReportFiller::jalaliDate(value);
    const QString text = value.isValid() ? value.toString() : QString();
    if (format.compare(QLatin1String("fa"), Qt::CaseInsensitive) == 0)
        return ReportFiller::persianDigits(text).toHtmlEscaped();
    return text.toHtmlEscaped();
}

QString fillPart(const QString &part, const ReportRecord *line, int lineNumber, const ReportRecord &main)
{
    QString result;
    result.reserve(part.size() + part.size() / 2);
    qsizetype done = 0;
    for (auto it = placeholder.globalMatch(part); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(part).mid(done, match.capturedStart(0) - done);
        const QString name = match.captured(1);
        if (name == QLatin1String("#") && line)
            result += ReportFiller::persianDigits(QString::number(lineNumber));
        else
            result += formatted(lookUp(name, line, main), match.captured(2));
        done = match.capturedEnd(0);
    }
    result += QStringView(part).mid(done);
    return result;
}

} // namespace

QString ReportFiller::fill(const QString &body, const ReportRecord &main, const Details &details)
{
    static const QRegularExpression blockStart(QStringLiteral("<!--detail(?::([\\w-]+))?-->"));
    QString result;
    qsizetype done = 0;
    for (;;) {
        const QRegularExpressionMatch start = blockStart.match(body, done);
        if (!start.hasMatch())
            break;
        const QString name = start.captured(1);
        const QString end = name.isEmpty() ? QStringLiteral("<!--/detail-->")
                                           : QStringLiteral("<!--/detail:") + name + QStringLiteral("-->");
        const qsizetype endAt = body.indexOf(end, start.capturedEnd(0));
        if (endAt < 0)
            break;
        result += fillPart(body.mid(done, start.capturedStart(0) - done), nullptr, 0, main);
        const QString block = body.mid(start.capturedEnd(0), endAt - start.capturedEnd(0));
        const QList<ReportRecord> lines = details.value(name);
        for (int i = 0; i < lines.size(); ++i)
            result += fillPart(block, &lines[i], i + 1, main);
        done = endAt + end.size();
    }
    result += fillPart(body.mid(done), nullptr, 0, main);
    return result;
}

ReportFiller::BoundSql ReportFiller::bindSql(const QString &sql, const ReportRecord &main)
{
    BoundSql result;
    qsizetype done = 0;
    for (auto it = placeholder.globalMatch(sql); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result.sql += QStringView(sql).mid(done, match.capturedStart(0) - done);
        result.sql += QLatin1Char('?');
        result.values.append(lookUp(match.captured(1), nullptr, main));
        done = match.capturedEnd(0);
    }
    result.sql += QStringView(sql).mid(done);
    return result;
}

QString ReportFiller::persianDigits(QString text)
{
    for (QChar &c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            c = QChar(0x06F0 + (c.unicode() - '0'));
    }
    return text;
}

QString ReportFiller::groupedNumber(const QVariant &value)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!value.isValid() || !ok)
        return value.isValid() ? value.toString().toHtmlEscaped() : QString();
    const qint64 whole = qint64(std::llround(std::fabs(number)));
    QString digits = QString::number(whole);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QChar(0x066C)); // the Arabic thousands separator
    // Negative amounts in brackets, as accountants write them; a minus sign would wander
    // to either side of the number in right-to-left text.
    if (number < 0 && whole != 0)
        return QLatin1Char('(') + persianDigits(digits) + QLatin1Char(')');
    return persianDigits(digits);
}

QString ReportFiller::jalaliDate(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    // SQLite gives ISO text, SQL Server a date and time.
    QDate date = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
    if (!date.isValid())
        date = QDate::fromString(value.toString().left(10), Qt::ISODate);
    if (!date.isValid())
        return value.toString().toHtmlEscaped();
    return persianDigits(date.toString(u"yyyy/MM/dd", QCalendar(QCalendar::System::Jalali)));
}

} // namespace oruhr
