#pragma once

#include <QRect>

#include <cmath>

namespace pelquin {

// 1440 twips per inch at 96 device-independent pixels per inch.
inline constexpr int kTwipsPerPixel = 15;

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline double toTwips(int pixels)
{
    return static_cast<double>(pixels) * kTwipsPerPixel;
}

inline QRect toPixelRect(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

// A control's place and size, in twips.
struct TwipsBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Rounding to the nearest whole number with halves to the even neighbour.
inline double roundHalfEven(double value)
{
    return std::nearbyint(value);  // the default rounding mode is to nearest, ties to even
}

}  // namespace pelquin
