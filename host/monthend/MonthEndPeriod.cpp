#include "host/monthend/MonthEndPeriod.h"

#include "common/PayrollMonth.h"
#include "common/PersianMonth.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/PelikDate.h"

#include <QRegularExpression>

namespace oruhr {
namespace {

// From the start text to the last day of its month, by the windows' own rule.
std::optional<MonthEndPeriod> fromStart(const QString &start)
{
    const QDate begin = PelikDate::fromPersianText(start);
    const QDate end = PelikDate::fromPersianText(FirstDayOfNextMonth(start)).addDays(-1);
    if (!begin.isValid() || !end.isValid())
        return std::nullopt;
    return MonthEndPeriod{begin, end};
}

} // namespace

std::optional<MonthEndPeriod> MonthEndPeriod::ofMonth(const QString &yearMonth)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})/(\\d{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(yearMonth.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    return fromStart(QStringLiteral("%1/%2/01").arg(match.captured(1)).arg(match.captured(2).toInt(), 2, 10, QLatin1Char('0')));
}

MonthEndPeriod MonthEndPeriod::ofDatabase(ModMain &session)
{
    const QString start = PayrollMonth::readStartDateText(session);
    if (const std::optional<MonthEndPeriod> period = fromStart(start))
        return *period;
    throw ComponentError(ComponentError::CommandFailed,
                         QStringLiteral("ماه حقوق پايگاه داده (پارامتر 3450: «%1») تاريخ نيست؛ ماه را با --month بدهيد.")
                             .arg(start));
}

QString MonthEndPeriod::persianMonth() const
{
    return PelikDate::toPersianText(begin).left(7);
}

} // namespace oruhr
