#pragma once

#include <QtGlobal>

namespace oruhr::payroll {

// An exact fraction of a rial. A payslip line sums such parts and is rounded once (half away
// from zero) when it is written, so that a line never carries the rounding of its parts.
class ExactAmount {
public:
    ExactAmount() = default;
    ExactAmount(qint64 rials) // NOLINT: a whole amount is an exact one
        : m_numerator(rials)
    {
    }
    ExactAmount(__int128 numerator, __int128 denominator);

    void add(const ExactAmount &other) { *this = *this + other; }
    qint64 rounded() const;
    bool isZero() const { return m_numerator == 0; }

    ExactAmount operator+(const ExactAmount &other) const;
    ExactAmount operator-(const ExactAmount &other) const;
    ExactAmount operator-() const { return {-m_numerator, m_denominator}; }
    // Scales by numerator / denominator.
    ExactAmount times(__int128 numerator, __int128 denominator = 1) const;
    ExactAmount times(const ExactAmount &other) const;
    friend bool operator<(const ExactAmount &a, const ExactAmount &b) { return a.compare(b) < 0; }
    friend bool operator>(const ExactAmount &a, const ExactAmount &b) { return a.compare(b) > 0; }
    friend bool operator==(const ExactAmount &a, const ExactAmount &b) { return a.compare(b) == 0; }

    // numerator / denominator in whole rials, rounded once.
    static qint64 rounded(__int128 numerator, __int128 denominator);

private:
    int compare(const ExactAmount &other) const;

    __int128 m_numerator = 0;
    __int128 m_denominator = 1;
};

inline const ExactAmount &min(const ExactAmount &a, const ExactAmount &b)
{
    return b < a ? b : a;
}
inline const ExactAmount &max(const ExactAmount &a, const ExactAmount &b)
{
    return a < b ? b : a;
}

} // namespace oruhr::payroll
