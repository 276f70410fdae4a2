#pragma once

#include "common/TwipRect.h"

#include <QHash>
#include <QString>

namespace oruhr {

// The document window's arrangement in twips, kept apart from the widgets so that it can be
// checked as numbers. FormCheckDocs converts to pixels when it places its controls.
class FormCheckDocsLayout {
public:
    static constexpr int designedWidth = 12060, designedHeight = 7995; // inner size, twips

    // Every control that takes a place, by object name; the option buttons are relative to
    // their group.
    static QHash<QString, TwipRect> designedPlaces();

    // Moves and stretches places by the change of (w, h) since baseWidth x baseHeight.
    // At 8000 twips or less in either direction nothing moves and the bases stay, so the
    // next layout above the limit makes up the whole change. Returns whether it laid out.
    static bool resize(QHash<QString, TwipRect> &places, int &baseWidth, int &baseHeight, double w, double h);
};

} // namespace oruhr
