#pragma once

#include <QChar>
#include <QString>

namespace oruhr {

// A path or an SQL piece inside a Persian sentence: kept left to right as a whole, so that a
// leading slash or a trailing number stays in its place.
inline QString leftToRight(const QString &text)
{
    return QChar(0x200E) + text + QChar(0x200E);
}

// The same for a message sentence: isolated (LRI ... PDI), so that neither the path's slashes
// nor the Persian text around it reorder the other.
inline QString isolatedLeftToRight(const QString &text)
{
    return QChar(0x2066) + text + QChar(0x2069);
}

} // namespace oruhr
