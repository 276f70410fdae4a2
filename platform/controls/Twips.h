#pragma once

namespace oruhr {

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
