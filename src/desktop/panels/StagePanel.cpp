#include "panels/StagePanel.h"

#include "panels/AccessibleControls.h"
#include "panels/PanelKit.h"
#include "texts/ControlNames.h"
#include "ui/Twips.h"

namespace quorvane {

StagePanel::StagePanel(const PanelFrame& frame, QWidget* parent) : QWidget(parent), frame_(frame) {
    InstallAccessibleControls();
    SetSizeTwips(frame.width, frame.height);
    AddSymbol(this, frame);
}

void StagePanel::SetTitle(const std::string& title) {
    setAccessibleName(QString::fromStdString(title));
    for (const auto& [control, part] : named_)
        control->setAccessibleName(QString::fromStdString(PartName(title, part)));
}

void StagePanel::AddControl(QWidget* control, const ControlPlace& place) {
    PlaceControl(control, place);
    if (place.part) named_.append({control, *place.part});
}

QList<QWidget*> StagePanel::FocusOrder() const {
    QList<QWidget*> order;
    for (std::string_view name : frame_.focusOrder)
        order << findChild<QWidget*>(
            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
            Qt::FindDirectChildrenOnly);
    return order;
}

void StagePanel::ApplyFocusOrder() {
    const QList<QWidget*> order = FocusOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void StagePanel::SetLeft(int twips) {
    left_ = twips;
    Move();
}

void StagePanel::SetTop(int twips) {
    top_ = twips;
    Move();
}

void StagePanel::SetSizeTwips(int widthTwips, int heightTwips) {
    setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
}

void StagePanel::Move() {
    move(TwipsToPixels(left_), TwipsToPixels(top_));
}

void StagePanel::paintEvent(QPaintEvent*) {
    PaintSymbol(*this);
}

}  // namespace quorvane
