#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <functional>
#include <string>

#include "panel/PanelBoxes.h"
#include "panel/PanelGeometry.h"
#include "texts/ToolTips.h"

class QFont;
class QLabel;
class QLineEdit;
class QWidget;

namespace quorvane {

// The pixels of a place in twips.
QRect Pixels(const TwipBox& box);

// The sans-serif face of the panels at a size in points, fixed to the panels' 15 twips per
// pixel so that texts keep their size relative to the boxes on every screen.
QFont PanelFont(double points);

// Gives a child control its design name, its place, its font and its tooltip: the fixed one, or
// for a text box the one that follows what its text reads as.
void PlaceControl(QWidget* control, const ControlPlace& place);

// A transparent label in the panel carrying the place's text, at the top, aligned as the place
// says.
QLabel* MakeLabel(QWidget* panel, const ControlPlace& place);

// Keeps the tooltip of `control` on the explanation of its kind of box, ending with what the
// text of `edit` (the control itself, or the line edit of a drop-down list) reads as now.
void FollowReadingToolTip(QWidget* control, QLineEdit* edit, BoxKind kind);

// Makes the panel's symbol, its LineControl and ShapeControl children (so each carries its
// name). PaintSymbol fills the whole panel with the button face, as the window's background,
// and draws them on it.
void AddSymbol(QWidget* panel, const PanelFrame& frame);
void PaintSymbol(QWidget& panel);

// Shows a panel state's box in a line edit and forwards what is typed into it. Every change of
// the text the user makes goes to `typed`; Show() puts the state's text into the edit after each
// write by the panel (an unchanged text too), and never while the user types.
class BoxView : public QObject {
    Q_OBJECT

  public:
    using Typed = std::function<void(const std::string& text)>;
    BoxView(QLineEdit* edit, Typed typed);

    void Show(const ShownText& shown);
    // Puts the state's text into the edit whatever was shown before, as a write by the panel
    // leaves it (the cursor at the end), for a state changed behind the view's back.
    void ShowAgain(const ShownText& shown);
    // Shows a text the user picked from a list and forwards it like typed text.
    void Pick(const QString& text);

  private:
    QLineEdit* edit_;
    Typed typed_;
    bool showing_ = false;
    unsigned shownWrites_ = 0;
    bool shownOnce_ = false;
};

}  // namespace quorvane
