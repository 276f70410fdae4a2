#pragma once

#include <QString>

namespace oruhr {

class PelikDate;

// The Persian text "yyyy/mm/dd" of the first day of the month after the month of s. The
// month is read from characters 6 and 7 and the year from the first four, by their leading
// number (0 when there is none); a month above 12 gives the empty text.
QString FirstDayOfNextMonth(const QString &s);

// Moves the picker to the last day of the Persian month of s: the first day of the next
// month, one day back, so that the picker's calendar decides the month's length.
void ShowLastDayOfMonth(PelikDate &picker, const QString &s);

} // namespace oruhr
