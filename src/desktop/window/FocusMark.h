#pragma once

#include <QFocusFrame>

namespace quorvane {

// A ring in the palette's highlight colour just outside the control of a window that has keyboard
// focus. It is drawn around the control rather than on it, so it shows on every control alike,
// the small colour buttons and the scroll bars included, and leaves their own colours alone.
class FocusMark : public QFocusFrame {
    Q_OBJECT

  public:
    explicit FocusMark(QWidget* window);

    // The control the ring stands around, or null while no control of the window has focus.
    QWidget* Marked() const { return widget(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Follow(QWidget* focus);

    QWidget* window_;
};

}  // namespace quorvane
