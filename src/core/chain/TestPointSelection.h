#pragma once

#include <array>
#include <cstdint>

#include "chain/Layout.h"
#include "plot/Drawing.h"

namespace quorvane {

// The test-point selection is held in the colours of the eight test-point buttons. These
// functions read and change it on plain colour arrays; the window copies the colours to and
// from its buttons.

inline constexpr std::uint32_t kFirstSelectionColour = 0x00C00000;   // blue: plot group 0
inline constexpr std::uint32_t kSecondSelectionColour = 0x00800080;  // purple: plot group 1
// Marks the button just clicked while the click is worked out; never left on a button.
inline constexpr std::uint32_t kClickMarkColour = 0;

// Element n - 1 is the colour of test-point button n.
using ButtonColours = std::array<std::uint32_t, layout::kTestPointCount>;

// Test points shown in plot group 0 (first) and plot group 1 (second); 0 when none.
struct Selection {
    int first = 0;
    int second = 0;
    friend constexpr bool operator==(Selection, Selection) = default;
};

// The tick's reading: any colour but button face counts as selected. first is the lowest
// selected test point; second the highest other one.
Selection ReadSelection(const ButtonColours& colours);

// The selection after a click on button `index` (1..8), given the colours before the click.
// Clicking a selected button deselects it; an unselected one joins the selection, replacing
// one of two selected test points when two already are.
Selection ClickTestPoint(const ButtonColours& before, int index);

// Colours that show a selection: button face everywhere, then the two selection colours.
ButtonColours SelectionColours(Selection selection);

// The line from a selected button's centre to the middle of its plot group's top edge.
// Halves of twips are kept, as the line takes single-precision coordinates.
struct LeaderLine {
    bool visible = false;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int width = 2;
    std::uint32_t colour = 0;
};

// `testPoint` 0 hides the line of that group.
LeaderLine LeaderLineFor(int group, int testPoint, std::uint32_t colour);

// Everything a click on test-point button `index` (1..8) changes: the selection, every button's
// colour, each plot group's leader line (in the colour of the button it leads from), and which
// plot groups are cleared because they show no test point any more.
struct TestPointClick {
    Selection selection;
    ButtonColours colours{};
    std::array<LeaderLine, 2> leaders{};
    std::array<bool, 2> cleared{};
};
TestPointClick ClickOutcome(const ButtonColours& before, int index);

// Which plot groups draw test point `testPoint` during a tick showing `selection`: group 0 the
// first, group 1 the second. Time trace before spectrum, group 0 before group 1.
std::array<bool, 2> GroupsDrawing(int testPoint, Selection selection);

// The buttons to click, in order, to go from showing `shown` to showing `wanted`: the shown test
// points are clicked off, the higher first, then the wanted ones on, the lower first. 0: no click.
std::array<int, 4> SelectionClicks(Selection shown, Selection wanted);

}  // namespace quorvane
