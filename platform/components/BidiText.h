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

} // namespace oruhr
