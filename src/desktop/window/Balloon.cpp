#include "window/Balloon.h"

#include <QApplication>
#include <QEvent>
#include <QToolTip>

namespace quorvane {

Balloon::Balloon(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("Balloon"));
    setWordWrap(true);
    setFrameShape(QFrame::Box);
    setMargin(6);
    setAutoFillBackground(true);
    setPalette(QToolTip::palette());
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void Balloon::ShowText(const QString& text, QPoint at) {
    setText(text);
    setFixedWidth(parentWidget()->width() / 3);
    adjustSize();
    move(at);
    raise();
    show();
    qApp->installEventFilter(this);
}

bool Balloon::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) {
        hide();
        qApp->removeEventFilter(this);
    }
    return false;
}

}  // namespace quorvane
