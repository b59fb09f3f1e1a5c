#include "panels/ReadingScrollBar.h"

#include <QKeyEvent>

#include "panels/AccessibleControls.h"

namespace quorvane {

ReadingScrollBar::ReadingScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
    InstallAccessibleControls();
    setContextMenuPolicy(Qt::NoContextMenu);
}

QString ReadingScrollBar::ValueTextNow() const {
    return valueText_ ? valueText_(value()) : QString::number(value());
}

void ReadingScrollBar::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (orientation() != Qt::Horizontal || (key != Qt::Key_Left && key != Qt::Key_Right) ||
        event->modifiers() != Qt::NoModifier) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    // The left arrow button lowers the value, and stands on the right in a right-to-left layout.
    const bool lower = (key == Qt::Key_Left) != isRightToLeft();
    triggerAction(lower ? SliderSingleStepSub : SliderSingleStepAdd);
    event->accept();
}

}  // namespace quorvane
