#pragma once

#include "common/TwipRect.h"

#include <QHash>
#include <QString>

namespace oruhr {

// The payslip window's arrangement, kept apart from the widgets so that it can be checked
// in twips. FormMain converts to pixels when it places its controls.
class FormMainLayout {
public:
    static constexpr int designedWidth = 9705, designedHeight = 7995; // inner size, twips

    // Every control that takes a place, by object name; cmdExit, cmdPrint and cmdView are
    // relative to framePrint.
    static QHash<QString, TwipRect> designedPlaces();

    // Moves and stretches places by the change of (w, h) since baseWidth x baseHeight.
    // Below 8000 twips in either direction nothing moves and the bases stay, so the next
    // layout above the limit makes up the whole change. Returns whether it laid out.
    static bool resize(QHash<QString, TwipRect> &places, int &baseWidth, int &baseHeight, double w, double h);
};

} // namespace oruhr
