#include "panels/LineControl.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "ui/Twips.h"

namespace quorvane {

namespace {

QColor OutlineColour(std::uint32_t bgr, const QPalette& palette) {
    if (bgr == kWindowTextColour) return palette.color(QPalette::WindowText);
    return ColourFromBgr(bgr, palette);
}

// A stroke of odd width is crisp only when it runs through pixel centres, one of even width
// only when it runs along pixel edges.
double Snap(double pixels, int width) {
    return width % 2 ? std::floor(pixels) + 0.5 : std::round(pixels);
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
    QPointF from = TwipPoint(x1_, y1_);
    QPointF to = TwipPoint(x2_, y2_);
    if (y1_ == y2_) from.ry() = to.ry() = Snap(from.y(), width_);
    if (x1_ == x2_) from.rx() = to.rx() = Snap(from.x(), width_);
    QPen pen(OutlineColour(colour_, palette));
    pen.setWidth(width_);
    // Round ends close the corners where two thick strokes meet.
    pen.setCapStyle(width_ > 1 ? Qt::RoundCap : Qt::SquareCap);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.drawLine(from, to);
}

void ShapeControl::Paint(QPainter& painter, const QPalette& palette) const {
    QRectF bounds(TwipPoint(left_, top_), TwipPoint(left_ + width_, top_ + height_));
    if (kind_ == Kind::Circle) {
        const double side = std::min(bounds.width(), bounds.height());
        const QPointF centre = bounds.center();
        bounds = QRectF(centre.x() - side / 2, centre.y() - side / 2, side, side);
    }
    const double inset = borderWidth_ / 2.0;
    bounds.adjust(inset, inset, -inset, -inset);
    QPen pen(OutlineColour(BorderColor(), palette));
    pen.setWidth(borderWidth_);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (kind_ == Kind::Circle)
        painter.drawEllipse(bounds);
    else
        painter.drawRect(bounds);
}

void PaintLinesAndShapes(QPainter& painter, const QObject& owner, const QPalette& palette) {
    for (const ShapeControl* shape :
         owner.findChildren<const ShapeControl*>(Qt::FindDirectChildrenOnly))
        shape->Paint(painter, palette);
    for (const LineControl* line :
         owner.findChildren<const LineControl*>(Qt::FindDirectChildrenOnly))
        line->Paint(painter, palette);
}

}  // namespace quorvane
