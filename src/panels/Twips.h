#pragma once

#include <QColor>
#include <QPalette>
#include <QPointF>
#include <QRect>
#include <cmath>
#include <cstdint>

namespace quorvane {

// The layout is kept in twips (1/1440 inch) and drawn at 15 twips per logical pixel; Qt's
// high-DPI scaling maps logical pixels to the screen, so every line stays crisp.
inline constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline double TwipsToPixelsF(double twips) {
    return twips / kTwipsPerPixel;
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

// Colours are 0x00BBGGRR; a value with the top bit set names a system colour, of which the
// program uses only 0x8000000F, the button face.
inline constexpr std::uint32_t kButtonFace = 0x8000000F;

inline QColor ColourFromBgr(std::uint32_t bgr, const QPalette& palette) {
    if (bgr & 0x80000000u) return palette.color(QPalette::Button);
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace quorvane
