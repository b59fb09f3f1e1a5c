#include "window/LineControl.h"

#include <QPainter>
#include <QPalette>

#include "panels/Twips.h"

namespace quorvane {

namespace {

QColor OutlineColour(std::uint32_t bgr, const QPalette& palette) {
    if (bgr == kWindowTextColour) return palette.color(QPalette::WindowText);
    return ColourFromBgr(bgr, palette);
}

}  // namespace

void LineControl::SetX1(float twips) {
    SetEnds(twips, y1_, x2_, y2_);
}
void LineControl::SetY1(float twips) {
    SetEnds(x1_, twips, x2_, y2_);
}
void LineControl::SetX2(float twips) {
    SetEnds(x1_, y1_, twips, y2_);
}
void LineControl::SetY2(float twips) {
    SetEnds(x1_, y1_, x2_, twips);
}

void LineControl::SetEnds(float x1, float y1, float x2, float y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Q_EMIT Changed();
}

void LineControl::SetBorderWidth(int pixels) {
    width_ = pixels;
    Q_EMIT Changed();
}

void LineControl::SetBorderColor(std::uint32_t bgr) {
    colour_ = bgr;
    Q_EMIT Changed();
}

void LineControl::SetVisible(bool visible) {
    visible_ = visible;
    Q_EMIT Changed();
}

void LineControl::Paint(QPainter& painter, const QPalette& palette) const {
    if (!visible_) return;
    QPen pen(OutlineColour(colour_, palette));
    pen.setWidth(width_);
    pen.setCapStyle(width_ > 1 ? Qt::RoundCap : Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(TwipPoint(x1_, y1_), TwipPoint(x2_, y2_));
}

void ShapeControl::Paint(QPainter& painter, const QPalette& palette) const {
    QPen pen(OutlineColour(BorderColor(), palette));
    pen.setWidth(BorderWidth());
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRect box = TwipRect(left_, top_, width_, height_);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

}  // namespace quorvane
