#include "panels/SteppingComboBox.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QWheelEvent>

#include "panel/ListStep.h"
#include "panels/AccessibleControls.h"

namespace quorvane {

SteppingComboBox::SteppingComboBox(ValueReader read, QWidget* parent)
    : QComboBox(parent), read_(std::move(read)) {
    InstallAccessibleControls();
    setEditable(true);
    // Only a click or Tab gives the box focus, so a wheel turned over it in passing leaves it be.
    setFocusPolicy(Qt::StrongFocus);
}

std::vector<double> SteppingComboBox::ItemValues() const {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(count()));
    for (int i = 0; i < count(); ++i)
        values.push_back(read_(itemText(i)));
    return values;
}

int SteppingComboBox::CurrentItem() const {
    return MatchingItem(ItemValues(), read_(currentText()));
}

void SteppingComboBox::Step(int direction) {
    const int item = SteppedItem(ItemValues(), read_(currentText()), direction);
    if (item < 0) return;
    setCurrentIndex(item);
    Q_EMIT activated(item);
    Q_EMIT textActivated(itemText(item));
}

void SteppingComboBox::keyPressEvent(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier));
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_PageUp:
            if (!plain) break;
            Step(-1);
            event->accept();
            return;
        case Qt::Key_Down:
        case Qt::Key_PageDown:
            if (!plain) break;
            Step(+1);
            event->accept();
            return;
        default:
            break;
    }
    QComboBox::keyPressEvent(event);
}

void SteppingComboBox::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    const int turn = event->angleDelta().y();
    if (turn != 0) Step(turn > 0 ? -1 : +1);
    event->accept();
}

void SteppingComboBox::showPopup() {
    QComboBox::showPopup();
    // The opened list marks the item the box shows, or none, whatever item was picked last.
    QAbstractItemView* list = view();
    const int item = CurrentItem();
    if (item >= 0) {
        list->setCurrentIndex(model()->index(item, modelColumn(), rootModelIndex()));
    } else {
        list->selectionModel()->clear();
    }
}

}  // namespace quorvane
