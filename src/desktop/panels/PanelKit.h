#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <functional>
#include <span>

#include "panels/LineControl.h"
#include "texts/ToolTips.h"
#include "ui/ArrayName.h"

class QFont;
class QLabel;
class QLineEdit;
class QWidget;

namespace quorvane {

// Left, top, width and height of a control in twips, from its panel's top left corner.
struct TwipBox {
    int left, top, width, height;
    QRect Pixels() const;
};

// The sans-serif face of the panels at a size in points, fixed to the panels' 15 twips per
// pixel so that texts keep their size relative to the boxes on every screen.
QFont PanelFont(double points);

inline constexpr double kBoxPoints = 12.0;     // boxes, unit labels and other texts
inline constexpr double kSymbolPoints = 13.5;  // the symbol letters beside a box

// Gives a child control its design name, its place and its font.
void PlaceControl(QWidget* control, const QString& name, const TwipBox& box, double points);

// A transparent label in the panel, text at the top, left- or right-aligned.
QLabel* MakeLabel(QWidget* panel, const QString& name, const QString& text, const TwipBox& box,
                  double points, Qt::Alignment horizontal = Qt::AlignLeft);

// Keeps the tooltip of `control` on the explanation of its kind of box, ending with what the
// text of `edit` (the control itself, or the line edit of a drop-down list) reads as now.
void FollowReadingToolTip(QWidget* control, QLineEdit* edit, BoxKind kind);

// The fixed drawing of a panel's symbol: named straight lines and outlines in twips, with
// widths in pixels, in the window-text colour. AddSymbol makes them the panel's LineControl
// and ShapeControl children (so each carries its name); PaintSymbol fills the whole panel with
// the button face, as the window's background, and draws them on it.
struct SymbolLine {
    const char* name;
    int x1, y1, x2, y2, width;
};
struct SymbolOutline {
    const char* name;
    ShapeControl::Kind kind;
    TwipBox bounds;
    int border;
};
void AddSymbol(QWidget* panel, std::span<const SymbolLine> lines,
               std::span<const SymbolOutline> outlines = {});
void PaintSymbol(QWidget& panel);

// What a toggle button makes of a 16-bit flag: 1 - value, held inside the 16-bit range (the
// flag may have been written as -32768, whose toggle would not fit).
inline short ToggledFlag(short value) {
    const int toggled = 1 - static_cast<int>(value);
    return static_cast<short>(toggled > 32767 ? 32767 : toggled);
}

// Ties a text box to its rule. Every change of the text runs the rule, whether typed or written
// by the panel; Write() runs it exactly once even when the new text equals the shown one (the
// box raises no change then), so a field always ends as the value read from what is shown.
class TextRule : public QObject {
    Q_OBJECT

  public:
    using Rule = std::function<void(const QString&)>;
    TextRule(QLineEdit* edit, Rule rule);

    void Write(const QString& text);
    // Reads the shown text again.
    void Run();

  private:
    QLineEdit* edit_;
    Rule rule_;
    bool writing_ = false;
};

}  // namespace quorvane
