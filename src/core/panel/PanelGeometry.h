#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "panel/PanelBoxes.h"
#include "texts/ControlNames.h"
#include "texts/ToolTips.h"

namespace quorvane {

// Where everything on the source and stage panels stands, in twips (1/1440 inch) from the
// panel's top left corner, y growing downwards, with the texts the labels carry and the items
// the lists offer. Any front end lays its panels out from these tables alone.

// Font sizes in points: boxes, unit labels and other texts, and the symbol letters beside a box.
inline constexpr double kBoxPoints = 12.0;
inline constexpr double kSymbolPoints = 13.5;

// Left, top, width and height of a control.
struct TwipBox {
    int left, top, width, height;
};

// The outlines a symbol is drawn with. A circle takes the smaller side of its bounds as its
// diameter, centred; the border lies inside the bounds.
enum class ShapeKind { Rectangle = 0, Circle = 3 };

// The fixed drawing of a panel's symbol: named straight lines and outlines, widths in pixels,
// in the window-text colour. No state of a panel changes them.
struct SymbolLine {
    std::string_view name;
    int x1, y1, x2, y2, width;
};
struct SymbolOutline {
    std::string_view name;
    ShapeKind kind;
    TwipBox bounds;
    int border;
};

enum class TextAlign { Left, Right };

// A control: its design name, its place, the fixed text a label carries (or the unit a unit
// label starts with), its font size, and how it is explained: a fixed tooltip, or for a text
// box a tooltip that tells what its text reads as, and the name a screen reader gives it after
// the panel's title. Labels keep their text at the top.
struct ControlPlace {
    std::string_view name;
    TwipBox box;
    std::string_view text = {};
    double points = kBoxPoints;
    TextAlign align = TextAlign::Left;
    std::optional<Tip> tip = std::nullopt;
    std::optional<BoxKind> reads = std::nullopt;
    std::optional<ControlPart> part = std::nullopt;
};

// What every panel has: its layout area, its symbol, and the order in which keyboard focus moves
// through its controls (design names).
struct PanelFrame {
    int width, height;
    std::span<const SymbolLine> lines;
    std::span<const SymbolOutline> outlines;
    std::span<const std::string_view> focusOrder;
};

// One parameter of a chain stage: a symbol label, an editable drop-down list offering fixed
// items (any text may be typed), and a unit label, side by side. The labels are elements of the
// panel's label array Label1.
struct ParameterRowPlace {
    StageBox box;
    ControlPlace symbol;
    ControlPlace list;
    std::span<const std::string_view> items;
    ControlPlace unit;
    BoxKind tip;       // what the box's tooltip explains
    ControlPart part;  // what a screen reader calls the box, after the panel's title
};

// The noise-figure, gain and (amplifier and mixer) intercept rows, 480 twips apart.
struct GainRowsPlaces {
    ParameterRowPlace noise;
    ParameterRowPlace gain;
    std::optional<ParameterRowPlace> intercept;
};

struct OscillatorGeometry {
    PanelFrame frame;
    ControlPlace cmdInvert, text1, txtFreq, txtPower, vscPower, cmdWorking;
};

struct NoiseGeometry {
    PanelFrame frame;
    ControlPlace text1, txtNoise, cmdWorking, label1;
};

struct AmplifierGeometry {
    PanelFrame frame;
    GainRowsPlaces rows;
};

struct MixerGeometry {
    PanelFrame frame;
    GainRowsPlaces rows;
    ParameterRowPlace lo;
    ControlPlace chkSwitching;
};

struct FilterGeometry {
    PanelFrame frame;
    GainRowsPlaces rows;
    ParameterRowPlace centre;
    ParameterRowPlace range;
};

const OscillatorGeometry& OscillatorPanelGeometry();
const NoiseGeometry& NoisePanelGeometry();
const AmplifierGeometry& AmplifierPanelGeometry();
const MixerGeometry& MixerPanelGeometry();
const FilterGeometry& FilterPanelGeometry();

}  // namespace quorvane
