#pragma once

#include "common/TwipRect.h"

#include <QHash>
#include <QSizeF>
#include <QString>

class QWidget;

namespace oruhr {

// The windows are designed in twips; these convert for the screen the window is on.
class TwipPlacement {
public:
    // Puts each named child of the window at its place; names without a child are passed over.
    static void place(QWidget &window, const QHash<QString, TwipRect> &places);
    static void resize(QWidget &window, double width, double height);
    // The window's inner size.
    static QSizeF size(const QWidget &window);
};

} // namespace oruhr
