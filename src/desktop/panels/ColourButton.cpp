#include "panels/ColourButton.h"

#include <QPainter>
#include <QStyleOptionButton>

#include "ui/Twips.h"

namespace quorvane {

ColourButton::ColourButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCheckable(true);
}

void ColourButton::SetBackColor(std::uint32_t bgr) {
    if (backColor_ == bgr) return;
    backColor_ = bgr;
    setChecked(bgr != kButtonFace);
    update();
}

QSize ColourButton::sizeHint() const {
    return {17, 17};
}

void ColourButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.fillRect(rect(), ColourFromBgr(backColor_, palette()));

    // A raised bevel that sinks while the button is held, so a click is felt as well as seen.
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Shadow);
    painter.setPen(isDown() ? dark : light);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(isDown() ? light : dark);
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

}  // namespace quorvane
