#pragma once

#include <QScrollBar>
#include <functional>

namespace quorvane {

// A scroll bar that tells screen readers what its position means ("-30 dBnW", "1.3 µs") rather
// than the bare position. It has no context menu of its own, so a right-click on it offers what
// the window offers.
class ReadingScrollBar : public QScrollBar {
    Q_OBJECT

  public:
    // The reading of a position.
    using ValueText = std::function<QString(int value)>;

    ReadingScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    void SetValueText(ValueText text) { valueText_ = std::move(text); }
    // The reading of the present position; the bare number without a ValueText.
    QString ValueTextNow() const;

  protected:
    // Left and Right move a horizontal bar the way its own arrow buttons do. QScrollBar inverts
    // its controls so that the wheel scrolls a view naturally, and that turns the arrow keys of
    // a horizontal bar round as well.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    ValueText valueText_;
};

}  // namespace quorvane
