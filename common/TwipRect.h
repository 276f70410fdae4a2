#pragma once

#include "platform/controls/Twips.h"

namespace oruhr {

// A control's place in its parent, in twips; fractions stay as the layout computed them.
struct TwipRect {
    double left = 0, top = 0, width = 0, height = 0;

    friend bool operator==(const TwipRect &, const TwipRect &) = default;
};

} // namespace oruhr
