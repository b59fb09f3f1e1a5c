#pragma once

#include <QWidget>

namespace quorvane {

// Base of every source and stage panel: a fixed-size widget placed by its Left and Top in
// twips. The window places panels by Left, and the tick finds a stage's slot by it, so Left
// keeps the exact twip value it was given (the pixel position is only its rounding).
class StagePanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)

  public:
    // widthTwips x heightTwips is the panel's layout area.
    StagePanel(int widthTwips, int heightTwips, QWidget* parent = nullptr);

    int Left() const { return left_; }
    int Top() const { return top_; }
    void SetLeft(int twips);
    void SetTop(int twips);
    // Gives the panel the size the window reserves for it (may differ from the layout area).
    void SetSizeTwips(int widthTwips, int heightTwips);

  private:
    void Place();

    int left_ = 0;
    int top_ = 0;
};

}  // namespace quorvane
