#pragma once

#include <QList>
#include <QWidget>
#include <string>

namespace quorvane {

// Base of every source and stage panel: a fixed-size widget placed by its Left and Top in
// twips. The window places panels by Left, and the tick finds a stage's slot by it, so Left
// keeps the exact twip value it was given (the pixel position is only its rounding).
// For screen readers a panel is a group named by its title ("Tone 2", "Image Filter"), and each
// of its controls is named by the title and the parameter it edits.
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

    // Names the panel and its controls after the title (UTF-8).
    virtual void SetTitle(const std::string& title);
    // The panel's controls in the order keyboard focus moves through them.
    virtual QList<QWidget*> FocusOrder() const { return {}; }

  protected:
    // Chains the controls of FocusOrder() for the Tab key, in that order.
    void ApplyFocusOrder();

  private:
    void Place();

    int left_ = 0;
    int top_ = 0;
};

}  // namespace quorvane
