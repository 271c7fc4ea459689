#pragma once

#include <QRect>

namespace quenzar::twips {

// Every position and size of the forms is given in twips; at 96 dpi fifteen make one logical
// pixel. This is the one place that knows it.
inline constexpr int perPixel = 15;

constexpr int toPixels(int twips)
{
    return twips >= 0 ? (twips + perPixel / 2) / perPixel : -((-twips + perPixel / 2) / perPixel);
}

constexpr double fromPixels(double pixels)
{
    return pixels * perPixel;
}

struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline QRect toPixels(const Rect& r)
{
    return QRect(toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height));
}

inline QSize toPixels(int width, int height)
{
    return QSize(toPixels(width), toPixels(height));
}

} // namespace quenzar::twips
