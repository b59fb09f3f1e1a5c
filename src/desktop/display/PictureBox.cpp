#include "display/PictureBox.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "panels/AccessibleControls.h"
#include "ui/Twips.h"

namespace quorvane {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    InstallAccessibleControls();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copyPicture = new QAction(Text(kCopyPictureText), this);
    connect(copyPicture, &QAction::triggered, this, &PictureBox::CopyPicture);
    addAction(copyPicture);
    auto* copyData = new QAction(Text(kCopyDataText), this);
    connect(copyData, &QAction::triggered, this, &PictureBox::CopyData);
    addAction(copyData);
}

void PictureBox::CopyPicture() {
    // grab() renders at the device pixel ratio of the screen the picture is on.
    QGuiApplication::clipboard()->setImage(picture_ ? picture_() : grab().toImage());
}

void PictureBox::CopyData() {
    if (data_) QGuiApplication::clipboard()->setText(QString::fromStdString(data_()));
}

int PictureBox::ScaleWidth() const {
    return width() * kTwipsPerPixel;
}
int PictureBox::ScaleHeight() const {
    return height() * kTwipsPerPixel;
}

void PictureBox::Show(Drawing drawing) {
    drawing_ = std::move(drawing);
    update();
    // The plots redraw four times a second; a read-out on show follows the new scale.
    if (pointerInside_ && QToolTip::isVisible()) ShowHoverText();
}

void PictureBox::Cls() {
    drawing_.lines.clear();
    update();
    if (pointerInside_ && QToolTip::isVisible()) ShowHoverText();
}

void PictureBox::SetHoverTextProvider(HoverTextProvider provider) {
    hoverText_ = std::move(provider);
    setMouseTracking(static_cast<bool>(hoverText_));
}

QString PictureBox::HoverTextAt(QPointF pixel) const {
    if (!hoverText_) return {};
    return QString::fromStdString(
        hoverText_(pixel.x() * kTwipsPerPixel, pixel.y() * kTwipsPerPixel));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    pointer_ = event->position();
    pointerInside_ = true;
    ShowHoverText();
    QWidget::mouseMoveEvent(event);
}

void PictureBox::leaveEvent(QEvent* event) {
    pointerInside_ = false;
    QWidget::leaveEvent(event);
}

void PictureBox::ShowHoverText() {
    const QString text = HoverTextAt(pointer_);
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(mapToGlobal(pointer_.toPoint()), text, this, rect());
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    PaintDrawing(painter, drawing_, palette());
}

void PaintDrawing(QPainter& painter, const Drawing& drawing, const QPalette& palette) {
    if (drawing.lines.empty()) return;
    // One logical pixel wide; the plots thicken their traces themselves with a copy one pixel
    // lower. Twips map to pixel centres so a 1-pixel line covers exactly one row.
    QPen pen(ColourFromBgr(drawing.colour, palette));
    pen.setWidthF(1.0);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QList<QLineF> lines;
    lines.reserve(static_cast<qsizetype>(drawing.lines.size()));
    for (const TwipLine& line : drawing.lines) {
        lines.append(QLineF(TwipPoint(line.x1, line.y1), TwipPoint(line.x2, line.y2)));
    }
    painter.drawLines(lines);
}

}  // namespace quorvane
