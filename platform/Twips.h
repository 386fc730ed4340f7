#pragma once
// Geometry is kept in twips, as the windows were designed; the screen works in pixels.
// 15 twips make one pixel at 96 dpi. This is the one place where they are converted.
#include <cmath>

constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(int twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

inline int PixelsToTwips(int px)
{
    return px * kTwipsPerPixel;
}
