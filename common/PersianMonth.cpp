#include "common/PersianMonth.h"

#include "platform/controls/PelikDate.h"

namespace oruhr {
namespace {

// The leading number of a text, as the system's numeric reading has it: blanks before it
// are skipped, then an optional sign and digits; no number gives 0.
int leadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    const qsizetype signAt = i;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    const qsizetype digitsAt = i;
    while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
        ++i;
    if (i == digitsAt)
        return 0;
    return text.mid(signAt, i - signAt).toInt();
}

} // namespace

QString FirstDayOfNextMonth(const QString &s)
{
    const int month = leadingNumber(s.mid(5, 2));
    if (month > 11) {
        if (month == 12)
            return QString::number(leadingNumber(s.left(4)) + 1) + QStringLiteral("/01/01");
        return {};
    }
    if (month > 8)
        return s.left(5) + QString::number(month + 1) + QStringLiteral("/01");
    return s.left(5) + QStringLiteral("0") + QString::number(month + 1) + QStringLiteral("/01");
}

void ShowLastDayOfMonth(PelikDate &picker, const QString &s)
{
    picker.setPersianText(FirstDayOfNextMonth(s));
    picker.setEnglishdate(picker.englishdate().addDays(-1));
}

} // namespace oruhr
