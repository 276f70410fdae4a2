#pragma once

#include <QtGlobal>

namespace oruhr::embedded {

// A sum of exact fractions of a rial, rounded once (half away from zero) when the line is
// written, so that a line never carries the rounding of its parts.
class ExactAmount {
public:
    void add(__int128 numerator, __int128 denominator);
    void add(qint64 rials) { add(rials, 1); }
    qint64 rounded() const;

    // numerator / denominator in whole rials, rounded once.
    static qint64 rounded(__int128 numerator, __int128 denominator);

private:
    __int128 m_numerator = 0;
    __int128 m_denominator = 1;
};

} // namespace oruhr::embedded
