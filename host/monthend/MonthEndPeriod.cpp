#include "host/monthend/MonthEndPeriod.h"

#include "common/PayrollMonth.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/PelikDate.h"

#include <QCalendar>
#include <QRegularExpression>

namespace oruhr {
namespace {

const QCalendar &jalali()
{
    static const QCalendar calendar(QCalendar::System::Jalali);
    return calendar;
}

MonthEndPeriod throughMonthEnd(QDate begin)
{
    const QCalendar::YearMonthDay parts = jalali().partsFromDate(begin);
    return {begin, jalali().dateFromParts(parts.year, parts.month, jalali().daysInMonth(parts.month, parts.year))};
}

} // namespace

std::optional<MonthEndPeriod> MonthEndPeriod::ofMonth(const QString &yearMonth)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})/(\\d{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(yearMonth.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QDate first = jalali().dateFromParts(match.captured(1).toInt(), match.captured(2).toInt(), 1);
    if (!first.isValid())
        return std::nullopt;
    return throughMonthEnd(first);
}

MonthEndPeriod MonthEndPeriod::ofDatabase(ModMain &session)
{
    const QString start = PayrollMonth::readStartDateText(session);
    const QDate begin = PelikDate::fromPersianText(start);
    if (!begin.isValid())
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("ماه حقوق پايگاه داده (پارامتر 3450: «%1») تاريخ نيست؛ ماه را با --month بدهيد.")
                                 .arg(start));
    return throughMonthEnd(begin);
}

QString MonthEndPeriod::persianMonth() const
{
    return begin.toString(u"yyyy/MM", jalali());
}

} // namespace oruhr
