#include "chain/TestPointSelection.h"

#include <utility>

namespace quorvane {

namespace {

bool IsTestPoint(int n) {
    return n >= 1 && n <= layout::kTestPointCount;
}

// Scans buttons 1 to 8: the first counted is the first selection, and every further one counted
// overwrites the second, which so ends as the highest other one.
template <class Counts>
Selection SelectedBy(const ButtonColours& colours, Counts counts) {
    Selection s;
    for (int n = 1; n <= layout::kTestPointCount; ++n) {
        if (!counts(colours[n - 1])) continue;
        (s.first == 0 ? s.first : s.second) = n;
    }
    return s;
}

// Two test points were selected (first < second) and `added` is neither: it replaces the
// nearer-ranked one. Below the first it pushes the first out, above the second the second;
// between them it takes the first's place only as the first's immediate right neighbour
// (which can never lie above the second), and otherwise the second's.
void ReplaceOne(Selection& s, int added) {
    if (added < s.first || added == s.first + 1) {
        s.first = added;
    } else {
        s.second = added;
    }
}

}  // namespace

Selection ReadSelection(const ButtonColours& colours) {
    return SelectedBy(colours, [](std::uint32_t c) { return c != kButtonFace; });
}

Selection ClickTestPoint(const ButtonColours& before, int index) {
    ButtonColours colours = before;
    int added = 0;
    if (IsTestPoint(index)) {
        const bool wasSelected = colours[index - 1] != kButtonFace;
        colours[index - 1] = wasSelected ? kButtonFace : kClickMarkColour;
        if (!wasSelected) added = index;
    }

    // The previous selection, not counting the button just clicked.
    Selection s = SelectedBy(
        colours, [](std::uint32_t c) { return c != kClickMarkColour && c != kButtonFace; });

    if (added > 0) {
        if (s.first == 0) {
            s.first = added;
        } else if (s.second == 0) {
            s.second = added;
        } else {
            ReplaceOne(s, added);
        }
    }

    if (s.first == s.second) s.second = 0;
    if (s.second > 0 && s.first > s.second) std::swap(s.first, s.second);
    return s;
}

ButtonColours SelectionColours(Selection selection) {
    ButtonColours colours{};
    colours.fill(kButtonFace);
    if (IsTestPoint(selection.first)) colours[selection.first - 1] = kFirstSelectionColour;
    if (IsTestPoint(selection.second)) colours[selection.second - 1] = kSecondSelectionColour;
    return colours;
}

LeaderLine LeaderLineFor(int group, int testPoint, std::uint32_t colour) {
    LeaderLine line;
    if (!IsTestPoint(testPoint) || group < 0 || group > 1) return line;
    const layout::Place& frame = layout::kPlotGroups[group].shpGraphs;
    const float half = static_cast<float>(layout::kButtonSize) / 2.0f;
    line.visible = true;
    line.x1 = static_cast<float>(layout::kButtonLeft[testPoint - 1]) + half;
    line.y1 = static_cast<float>(layout::kButtonTop) + half;
    line.x2 = static_cast<float>(frame.left) + static_cast<float>(frame.width) / 2.0f;
    line.y2 = static_cast<float>(frame.top);
    line.colour = colour;
    return line;
}

TestPointClick ClickOutcome(const ButtonColours& before, int index) {
    TestPointClick click;
    click.selection = ClickTestPoint(before, index);
    click.colours = SelectionColours(click.selection);
    const std::array<int, 2> shown = {click.selection.first, click.selection.second};
    for (int g = 0; g < 2; ++g) {
        const int n = shown[g];
        click.leaders[g] = LeaderLineFor(g, n, n > 0 ? click.colours[n - 1] : 0);
        click.cleared[g] = n == 0;
    }
    return click;
}

std::array<bool, 2> GroupsDrawing(int testPoint, Selection selection) {
    if (!IsTestPoint(testPoint)) return {};
    return {testPoint == selection.first, testPoint == selection.second};
}

std::array<int, 4> SelectionClicks(Selection shown, Selection wanted) {
    return {shown.second, shown.first, wanted.first, wanted.second};
}

}  // namespace quorvane
