#include "panels/PanelKit.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPen>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "panels/Twips.h"

namespace quorvane {

QRect TwipBox::Pixels() const {
    return TwipRect(left, top, width, height);
}

QFont PanelFont(double points) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    // A point is 20 twips.
    font.setPixelSize(static_cast<int>(std::lround(points * 20.0 / kTwipsPerPixel)));
    font.setStretch(QFont::SemiCondensed);
    return font;
}

void PlaceControl(QWidget* control, const QString& name, const TwipBox& box, double points) {
    control->setObjectName(name);
    control->setGeometry(box.Pixels());
    control->setFont(PanelFont(points));
}

QLabel* MakeLabel(QWidget* panel, const QString& name, const QString& text, const TwipBox& box,
                  double points, Qt::Alignment horizontal) {
    auto* label = new QLabel(text, panel);
    PlaceControl(label, name, box, points);
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setMargin(0);
    label->setIndent(0);
    // Labels lie behind the boxes they overlap, as the unit beside a box does.
    label->lower();
    return label;
}

QString ArrayName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

namespace {

// A pixel-wide line of odd width is crisp only when it runs through pixel centres.
double Snap(double pixels, int width) {
    return width % 2 ? std::floor(pixels) + 0.5 : std::round(pixels);
}

void DrawLine(QPainter& painter, const SymbolLine& line) {
    QPointF from = TwipPoint(line.x1, line.y1);
    QPointF to = TwipPoint(line.x2, line.y2);
    if (line.y1 == line.y2) from.ry() = to.ry() = Snap(from.y(), line.width);
    if (line.x1 == line.x2) from.rx() = to.rx() = Snap(from.x(), line.width);
    QPen pen = painter.pen();
    pen.setWidth(line.width);
    painter.setPen(pen);
    painter.drawLine(from, to);
}

void DrawOutline(QPainter& painter, const SymbolOutline& outline) {
    const TwipBox& b = outline.bounds;
    QRectF bounds(TwipPoint(b.left, b.top), TwipPoint(b.left + b.width, b.top + b.height));
    if (outline.kind == SymbolOutline::Kind::Circle) {
        const double side = std::min(bounds.width(), bounds.height());
        const QPointF centre = bounds.center();
        bounds = QRectF(centre.x() - side / 2, centre.y() - side / 2, side, side);
    }
    // The border lies inside the bounds.
    const double inset = outline.border / 2.0;
    bounds.adjust(inset, inset, -inset, -inset);
    QPen pen = painter.pen();
    pen.setWidth(outline.border);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (outline.kind == SymbolOutline::Kind::Circle)
        painter.drawEllipse(bounds);
    else
        painter.drawRect(bounds);
}

}  // namespace

void PaintSymbol(QWidget& panel, std::span<const SymbolLine> lines,
                 std::span<const SymbolOutline> outlines) {
    QPainter painter(&panel);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(panel.palette().color(QPalette::WindowText));
    // Round ends close the corners where two strokes of a symbol meet.
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    for (const SymbolOutline& outline : outlines)
        DrawOutline(painter, outline);
    for (const SymbolLine& line : lines)
        DrawLine(painter, line);
}

TextRule::TextRule(QLineEdit* edit, Rule rule)
    : QObject(edit), edit_(edit), rule_(std::move(rule)) {
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!writing_) rule_(text);
    });
}

void TextRule::Write(const QString& text) {
    writing_ = true;
    edit_->setText(text);
    writing_ = false;
    Run();
}

void TextRule::Run() {
    rule_(edit_->text());
}

}  // namespace quorvane
