#include "payroll/ExactAmount.h"

#include "platform/automation/ComponentError.h"

namespace oruhr::payroll {
namespace {

__int128 magnitude(__int128 value)
{
    return value < 0 ? -value : value;
}

// std::gcd does not take __int128 in strict standard mode.
__int128 greatestCommonDivisor(__int128 a, __int128 b)
{
    a = magnitude(a);
    b = magnitude(b);
    while (b != 0) {
        const __int128 rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

// Far beyond any payroll: amounts of 10^15 rials over denominators of 10^20.
constexpr __int128 Limit = __int128(1) << 120;

__int128 checked(__int128 value)
{
    if (magnitude(value) > Limit)
        throw ComponentError(ComponentError::CommandFailed, QStringLiteral("مبلغ از حد محاسبه بيرون است."));
    return value;
}

} // namespace

ExactAmount::ExactAmount(__int128 numerator, __int128 denominator)
    : m_numerator(denominator < 0 ? -numerator : numerator)
    , m_denominator(magnitude(denominator))
{
    const __int128 common = greatestCommonDivisor(m_numerator, m_denominator);
    if (common > 1) {
        m_numerator /= common;
        m_denominator /= common;
    }
    checked(m_numerator);
    checked(m_denominator);
}

ExactAmount ExactAmount::operator+(const ExactAmount &other) const
{
    const __int128 common = greatestCommonDivisor(m_denominator, other.m_denominator);
    const __int128 left = other.m_denominator / common, right = m_denominator / common;
    return {checked(m_numerator * left) + checked(other.m_numerator * right), checked(m_denominator * left)};
}

ExactAmount ExactAmount::operator-(const ExactAmount &other) const
{
    return *this + -other;
}

ExactAmount ExactAmount::times(__int128 numerator, __int128 denominator) const
{
    // Reduced crosswise first, so that the products stay small.
    const __int128 a = greatestCommonDivisor(m_numerator, denominator), b = greatestCommonDivisor(numerator, m_denominator);
    return {checked((m_numerator / (a ? a : 1)) * (numerator / (b ? b : 1))),
            checked((m_denominator / (b ? b : 1)) * (denominator / (a ? a : 1)))};
}

ExactAmount ExactAmount::times(const ExactAmount &other) const
{
    return times(other.m_numerator, other.m_denominator);
}

int ExactAmount::compare(const ExactAmount &other) const
{
    const __int128 difference = (*this - other).m_numerator;
    return difference < 0 ? -1 : difference > 0 ? 1 : 0;
}

qint64 ExactAmount::rounded() const
{
    return rounded(m_numerator, m_denominator);
}

qint64 ExactAmount::rounded(__int128 numerator, __int128 denominator)
{
    const __int128 whole = (2 * magnitude(numerator) + denominator) / (2 * denominator);
    return qint64(numerator < 0 ? -whole : whole);
}

} // namespace oruhr::payroll
