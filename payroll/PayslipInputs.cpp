#include "payroll/PayslipInputs.h"

#include "platform/automation/ComponentError.h"

#include <QCalendar>
#include <QRegularExpression>

#include <algorithm>

namespace oruhr::payroll {

// More than four decimals would be a fraction the payroll cannot pay exactly.
qint64 EnteredValue::scaled(const QString &text, qint64 functionId)
{
    static const QRegularExpression decimal(QStringLiteral("^(-?)(\\d{1,12})(?:\\.(\\d{0,4})0*)?$"));
    const QRegularExpressionMatch match = decimal.match(text.trimmed());
    if (!match.hasMatch())
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("مقدار «%1» وارد شده براي عامل حقوقي %2 عدد معتبري با حداکثر چهار رقم "
                                            "اعشار نيست.")
                                 .arg(text)
                                 .arg(functionId));
    const qint64 value =
        match.captured(2).toLongLong() * Scale + match.captured(3).leftJustified(4, u'0').toLongLong();
    return match.captured(1).isEmpty() ? value : -value;
}

qint64 PayslipInputs::coveredDays(QDate from, QDate to, const std::function<bool(int)> &paying) const
{
    qint64 days = 0;
    for (qint64 day = std::max<qint64>(0, begin.daysTo(from)); day <= begin.daysTo(to) && day < payingOrdinance.size();
         ++day)
        days += paying(payingOrdinance[day]);
    return days;
}

qint64 PayslipInputs::coveredDays(QDate from, QDate to) const
{
    return coveredDays(from, to, [](int ordinance) { return ordinance >= 0; });
}

qint64 PayslipInputs::coveredDays(QDate from, QDate to, int ordinance) const
{
    return coveredDays(from, to, [ordinance](int paying) { return paying == ordinance; });
}

void PayslipInputs::setOrdinances(const QList<DatedOrdinance> &dated)
{
    const QCalendar jalali(QCalendar::System::Jalali);
    const QCalendar::YearMonthDay parts = jalali.partsFromDate(begin);
    monthDays = jalali.daysInMonth(parts.month, parts.year);
    ordinances.clear();
    payingOrdinance.clear();
    for (const DatedOrdinance &ordinance : dated)
        ordinances.append(ordinance.paying);
    for (QDate day = begin; day <= end; day = day.addDays(1)) {
        int found = -1;
        for (qsizetype i = dated.size() - 1; i >= 0 && found < 0; --i)
            if (dated[i].begin <= day && day <= dated[i].end)
                found = int(i);
        payingOrdinance.append(found);
    }
    // The payslip rests on the ordinance in force on its last day, or on the last one before it.
    const auto inForce = std::find_if(dated.crbegin(), dated.crend(), [this](const DatedOrdinance &ordinance) {
        return ordinance.begin <= end && end <= ordinance.end;
    });
    const DatedOrdinance *resting = inForce != dated.crend() ? &*inForce : dated.isEmpty() ? nullptr : &dated.last();
    ordinanceId = resting ? resting->paying.id : 0;
    ordinanceInForce = resting ? resting->paying.items : QList<FactorAmount>();
}

} // namespace oruhr::payroll
