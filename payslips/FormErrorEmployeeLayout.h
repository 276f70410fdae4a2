#pragma once

#include "common/TwipRect.h"

namespace oruhr {

// The missing-factor window's arrangement in twips: the grid fills the window, the
// confirm button sits under it.
class FormErrorEmployeeLayout {
public:
    struct Places {
        TwipRect flxError;
        TwipRect cmdOK;

        friend bool operator==(const Places &, const Places &) = default;
    };

    static constexpr int designedWidth = 10500, designedHeight = 6300; // inner size, twips

    static Places designedPlaces();

    // Lays the places out for an inner size of w x h. A step that would give a negative
    // width or height is skipped and keeps the old value; later steps read what is there.
    static void resize(Places &places, double w, double h);
};

} // namespace oruhr
