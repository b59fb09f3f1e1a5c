#include "display/PictureBox.h"

#include <QPainter>

#include "panels/Twips.h"

namespace quorvane {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int PictureBox::ScaleWidth() const { return width() * kTwipsPerPixel; }
int PictureBox::ScaleHeight() const { return height() * kTwipsPerPixel; }

void PictureBox::Show(Drawing drawing) {
    drawing_ = std::move(drawing);
    update();
}

void PictureBox::Cls() {
    drawing_.lines.clear();
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    if (drawing_.lines.empty()) return;

    // One logical pixel wide; the plots thicken their traces themselves with a copy one pixel
    // lower. Twips map to pixel centres so a 1-pixel line covers exactly one row.
    QPen pen(ColourFromBgr(drawing_.colour, palette()));
    pen.setWidthF(1.0);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const TwipLine& line : drawing_.lines) {
        painter.drawLine(TwipPoint(line.x1, line.y1), TwipPoint(line.x2, line.y2));
    }
}

}  // namespace quorvane
