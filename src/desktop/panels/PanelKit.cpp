#include "panels/PanelKit.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "ui/Twips.h"

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

void FollowReadingToolTip(QWidget* control, QLineEdit* edit, BoxKind kind) {
    const auto show = [control, kind](const QString& text) {
        control->setToolTip(QString::fromStdString(BoxToolTip(kind, text.toStdString())));
    };
    QObject::connect(edit, &QLineEdit::textChanged, control, show);
    show(edit->text());
}

void AddSymbol(QWidget* panel, std::span<const SymbolLine> lines,
               std::span<const SymbolOutline> outlines) {
    for (const SymbolOutline& o : outlines) {
        auto* shape = new ShapeControl(o.kind, o.bounds.left, o.bounds.top, o.bounds.width,
                                       o.bounds.height, o.border, panel);
        shape->setObjectName(QString::fromLatin1(o.name));
    }
    for (const SymbolLine& l : lines) {
        auto* line = new LineControl(panel);
        line->setObjectName(QString::fromLatin1(l.name));
        line->SetEnds(static_cast<float>(l.x1), static_cast<float>(l.y1), static_cast<float>(l.x2),
                      static_cast<float>(l.y2));
        line->SetBorderWidth(l.width);
    }
}

void PaintSymbol(QWidget& panel) {
    QPainter painter(&panel);
    // A panel is opaque: nothing behind it, such as the window's signal line or a parked panel,
    // shows through.
    painter.fillRect(panel.rect(), panel.palette().color(QPalette::Button));
    PaintLinesAndShapes(painter, panel, panel.palette());
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
