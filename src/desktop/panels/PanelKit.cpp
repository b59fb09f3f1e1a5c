#include "panels/PanelKit.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QWidget>
#include <cmath>

#include "panels/LineControl.h"
#include "ui/Twips.h"

namespace quorvane {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QRect Pixels(const TwipBox& box) {
    return TwipRect(box.left, box.top, box.width, box.height);
}

QFont PanelFont(double points) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    // A point is 20 twips.
    font.setPixelSize(static_cast<int>(std::lround(points * 20.0 / kTwipsPerPixel)));
    font.setStretch(QFont::SemiCondensed);
    return font;
}

void PlaceControl(QWidget* control, const ControlPlace& place) {
    control->setObjectName(Text(place.name));
    control->setGeometry(Pixels(place.box));
    control->setFont(PanelFont(place.points));
    if (place.tip) control->setToolTip(QString::fromStdString(ToolTip(*place.tip)));
    if (auto* edit = qobject_cast<QLineEdit*>(control); edit && place.reads)
        FollowReadingToolTip(edit, edit, *place.reads);
}

QLabel* MakeLabel(QWidget* panel, const ControlPlace& place) {
    auto* label = new QLabel(Text(place.text), panel);
    PlaceControl(label, place);
    const Qt::Alignment horizontal =
        place.align == TextAlign::Right ? Qt::AlignRight : Qt::AlignLeft;
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

void AddSymbol(QWidget* panel, const PanelFrame& frame) {
    for (const SymbolOutline& o : frame.outlines) {
        auto* shape = new ShapeControl(o.kind, o.bounds.left, o.bounds.top, o.bounds.width,
                                       o.bounds.height, o.border, panel);
        shape->setObjectName(Text(o.name));
    }
    for (const SymbolLine& l : frame.lines) {
        auto* line = new LineControl(panel);
        line->setObjectName(Text(l.name));
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

BoxView::BoxView(QLineEdit* edit, Typed typed)
    : QObject(edit), edit_(edit), typed_(std::move(typed)) {
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!showing_) typed_(text.toStdString());
    });
}

void BoxView::Show(const ShownText& shown) {
    if (shownOnce_ && shown.writes == shownWrites_) return;
    shownOnce_ = true;
    shownWrites_ = shown.writes;
    showing_ = true;
    edit_->setText(QString::fromStdString(shown.text));
    showing_ = false;
}

void BoxView::ShowAgain(const ShownText& shown) {
    shownOnce_ = false;
    Show(shown);
}

void BoxView::Pick(const QString& text) {
    showing_ = true;
    edit_->setText(text);
    showing_ = false;
    typed_(text.toStdString());
}

}  // namespace quorvane
