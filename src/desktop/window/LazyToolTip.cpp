#include "window/LazyToolTip.h"

#include <QEvent>
#include <QWidget>

namespace quorvane {

LazyToolTip::LazyToolTip(QWidget* widget, Source source)
    : QObject(widget), source_(std::move(source)) {}

void LazyToolTip::Install(QWidget* widget, Source source) {
    widget->installEventFilter(new LazyToolTip(widget, std::move(source)));
}

bool LazyToolTip::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        if (auto* widget = qobject_cast<QWidget*>(watched))
            widget->setToolTip(QString::fromStdString(source_()));
    }
    return false;  // the widget shows its tooltip itself
}

}  // namespace quorvane
