#pragma once

#include <QList>
#include <QWidget>
#include <string>

#include "panel/PanelGeometry.h"

namespace quorvane {

// Base of every source and stage panel: a fixed-size widget placed by its Left and Top in
// twips, with the symbol of its table drawn on an opaque background. The window places panels
// by Left, and the tick finds a stage's slot by it, so Left keeps the exact twip value it was
// given (the pixel position is only its rounding).
// For screen readers a panel is a group named by its title ("Tone 2", "Image Filter"), and each
// of its controls is named by the title and the parameter it edits.
class StagePanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)

  public:
    // The frame gives the panel's layout area, symbol and focus order.
    explicit StagePanel(const PanelFrame& frame, QWidget* parent = nullptr);

    int Left() const { return left_; }
    int Top() const { return top_; }
    void SetLeft(int twips);
    void SetTop(int twips);
    // Gives the panel the size the window reserves for it (may differ from the layout area).
    void SetSizeTwips(int widthTwips, int heightTwips);

    // Names the panel and its controls after the title (UTF-8).
    virtual void SetTitle(const std::string& title);
    // The panel's controls in the order keyboard focus moves through them.
    QList<QWidget*> FocusOrder() const;

  protected:
    // Places a control by its table entry (PlaceControl); SetTitle names it for screen readers
    // when the entry says what it edits.
    void AddControl(QWidget* control, const ControlPlace& place);
    // Chains the controls of FocusOrder() for the Tab key, in that order; once the controls
    // are made.
    void ApplyFocusOrder();

    void paintEvent(QPaintEvent* event) override;

  private:
    void Move();

    const PanelFrame& frame_;
    QList<QPair<QWidget*, ControlPart>> named_;
    int left_ = 0;
    int top_ = 0;
};

}  // namespace quorvane
