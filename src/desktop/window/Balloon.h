#pragma once

#include <QLabel>

namespace quorvane {

// A note over the window that stays until the next mouse click or key press anywhere in the
// program, and then hides.
class Balloon : public QLabel {
    Q_OBJECT

  public:
    explicit Balloon(QWidget* parent);

    // Shows the text with its top-left corner at `at`, in the parent's pixels.
    void ShowText(const QString& text, QPoint at);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quorvane
