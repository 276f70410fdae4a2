#pragma once

namespace oruhr {

// A control's place in its parent, in twips; fractions stay as the layout computed them.
struct TwipRect {
    double left = 0, top = 0, width = 0, height = 0;

    friend bool operator==(const TwipRect &, const TwipRect &) = default;
};

// 15 twips a pixel at 96 dpi; a screen that reports no dpi is taken as the usual 96.
inline double twipsToPixels(double twips, double logicalDpi)
{
    return twips / 15 * (logicalDpi > 0 ? logicalDpi : 96) / 96;
}

inline double pixelsToTwips(double pixels, double logicalDpi)
{
    return pixels * 15 * 96 / (logicalDpi > 0 ? logicalDpi : 96);
}

} // namespace oruhr
