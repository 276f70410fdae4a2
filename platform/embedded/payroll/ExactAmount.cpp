#include "platform/embedded/payroll/ExactAmount.h"

namespace oruhr::embedded {
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

} // namespace

void ExactAmount::add(__int128 numerator, __int128 denominator)
{
    if (denominator == m_denominator) {
        m_numerator += numerator;
    } else {
        m_numerator = m_numerator * denominator + numerator * m_denominator;
        m_denominator *= denominator;
    }
    const __int128 common = greatestCommonDivisor(m_numerator, m_denominator);
    if (common > 1) {
        m_numerator /= common;
        m_denominator /= common;
    }
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

} // namespace oruhr::embedded
