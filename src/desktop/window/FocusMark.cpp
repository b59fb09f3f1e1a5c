#include "window/FocusMark.h"

#include <QApplication>
#include <QComboBox>
#include <QPainter>

namespace quorvane {

FocusMark::FocusMark(QWidget* window) : QFocusFrame(window), window_(window) {
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { Follow(now); });
}

void FocusMark::Follow(QWidget* focus) {
    if (!focus || !window_->isAncestorOf(focus)) {
        setWidget(nullptr);
        return;
    }
    // The line edit of a drop-down list has the focus on the list's behalf: mark the list.
    if (auto* list = qobject_cast<QComboBox*>(focus->parentWidget())) focus = list;
    setWidget(focus);
}

void FocusMark::paintEvent(QPaintEvent*) {
    // The frame's mask leaves only a ring around the control; filling it draws the ring.
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Highlight));
}

}  // namespace quorvane
