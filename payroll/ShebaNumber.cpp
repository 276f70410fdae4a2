#include "payroll/ShebaNumber.h"

#include <QRegularExpression>

namespace oruhr::payroll {
namespace {

// "I" is 18 and "R" 27 when the country code is read as digits.
const QLatin1String countryAsDigits("1827");

int remainderOf(const QString &digits)
{
    int remainder = 0;
    for (const QChar digit : digits)
        remainder = (remainder * 10 + digit.digitValue()) % 97;
    return remainder;
}

} // namespace

ShebaNumber::Problem ShebaNumber::check(const QString &number)
{
    if (number.trimmed().isEmpty())
        return Problem::Missing;
    static const QRegularExpression form(QStringLiteral("^IR[0-9]{24}$"));
    if (!form.match(number).hasMatch())
        return Problem::Malformed;
    const QString moved = number.mid(4) + countryAsDigits + number.mid(2, 2);
    return remainderOf(moved) == 1 ? Problem::None : Problem::WrongCheckDigits;
}

QString ShebaNumber::describe(Problem problem)
{
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::Missing:
        return QStringLiteral("شماره شبا ندارد");
    case Problem::Malformed:
        return QStringLiteral("شماره شبا بايد IR و 24 رقم باشد");
    case Problem::WrongCheckDigits:
        return QStringLiteral("رقم کنترل شماره شبا درست نيست (رقمي اشتباه نوشته شده است)");
    }
    Q_UNREACHABLE();
}

QString ShebaNumber::withCheckDigits(const QString &account)
{
    const int check = 98 - remainderOf(account + countryAsDigits + QLatin1String("00"));
    return QStringLiteral("IR") + QStringLiteral("%1").arg(check, 2, 10, QLatin1Char('0')) + account;
}

} // namespace oruhr::payroll
