#include "panels/ReadingScrollBar.h"

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

}  // namespace quorvane
