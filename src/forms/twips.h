// Layout lengths are given in twips; on screen they are logical pixels at 96 dpi.
#pragma once

#include <QRect>

namespace Twips {

// 15 twips make one logical pixel; a length rounds to the nearest pixel.
constexpr int toPixels(int twips)
{
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

constexpr QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

}  // namespace Twips
