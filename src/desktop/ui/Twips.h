#pragma once

#include <QColor>
#include <QPalette>
#include <QPointF>
#include <QRect>
#include <cmath>
#include <cstdint>

#include "plot/Drawing.h"

namespace quorvane {

// The widgets' units and colours. The layout is kept in twips and drawn at kTwipsPerPixel
// twips per logical pixel; Qt's high-DPI scaling maps logical pixels to the screen, so every line
// stays crisp.
inline int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline QPointF TwipPoint(double x, double y) {
    return {x / kTwipsPerPixel, y / kTwipsPerPixel};
}

// A rectangle given as left, top, width, height in twips. Edges are rounded separately so that
// neighbouring controls that touch in twips also touch in pixels.
inline QRect TwipRect(int left, int top, int width, int height) {
    const int x0 = TwipsToPixels(left);
    const int y0 = TwipsToPixels(top);
    return {x0, y0, TwipsToPixels(left + width) - x0, TwipsToPixels(top + height) - y0};
}

// A 0x00BBGGRR colour, or the palette's button face for kButtonFace.
inline QColor ColourFromBgr(std::uint32_t bgr, const QPalette& palette) {
    if (bgr & 0x80000000u) return palette.color(QPalette::Button);
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace quorvane
