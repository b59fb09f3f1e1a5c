#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ChainSnapshot.h"

namespace quorvane {

// The three receiver architectures and where each puts the nine stage panels. The architecture
// lives only in the text of the window's combo; these tables turn that text into positions.

enum class Architecture { Homodyne, SingleConversion, DualConversion };

// The combo's items, in list order.
inline constexpr std::array<std::string_view, 3> kArchitectureItems = {
    "Homodyne", "Single-Conversion Heterodyne", "Dual-Conversion Heterodyne"};
inline constexpr int kStartupItem = 1;

// Exact, case-sensitive comparison; any text that names neither homodyne nor dual conversion
// gives the single-conversion arrangement.
Architecture ArchitectureFromText(std::string_view text);

// The combo item that names an architecture (the enumeration follows the list's order).
constexpr int ItemOf(Architecture architecture) {
    return static_cast<int>(architecture);
}

// One stage panel of the pool: FilterControl1(i), MixerControl1(i) or AmplifierControl1(i).
struct StageId {
    StageKind kind = StageKind::Filter;
    int index = 0;
    friend constexpr bool operator==(StageId, StageId) = default;
};

inline constexpr int kFilterCount = 4;
inline constexpr int kMixerCount = 3;
inline constexpr int kAmplifierCount = 2;

// The order in which the tick tries the panels at every slot: filters, mixers, amplifiers,
// each by ascending index. The window parks them in this order too.
inline constexpr std::array<StageId, kStageCandidates> kCandidateOrder = {{
    {StageKind::Filter, 0},
    {StageKind::Filter, 1},
    {StageKind::Filter, 2},
    {StageKind::Filter, 3},
    {StageKind::Mixer, 0},
    {StageKind::Mixer, 1},
    {StageKind::Mixer, 2},
    {StageKind::Amplifier, 0},
    {StageKind::Amplifier, 1},
}};

// A stage panel's name in the window: "FilterControl1(2)", "MixerControl1(0)".
std::string DesignName(StageId stage);

// Position in kCandidateOrder of a panel.
int CandidatePosition(StageId stage);

inline constexpr int kParkedLeft = 0;

// The slot a panel at this Left belongs to, or -1 when it stands in none (parked or elsewhere).
int SlotAtLeft(int left);

struct SlotAssignment {
    StageId stage;
    std::string_view caption;  // caption of the slot's bypass switch
};

// An arrangement fills slots 0 .. filledSlots - 1; the switches of the slots after those are
// hidden (their captions are left as they were).
struct Arrangement {
    int filledSlots = 0;
    std::array<SlotAssignment, kSlotCount> assignments{};
};

const Arrangement& ArrangementFor(Architecture architecture);

// What choosing an architecture does to the window: every stage panel is parked, then each
// filled slot's panel moves to the slot's Left and the slot's switch takes its caption; every
// switch is shown but those of the slots left empty.
struct WindowArrangement {
    std::array<int, kStageCandidates> lefts{};            // in kCandidateOrder
    std::array<bool, kSlotCount> switchShown{};           // Check1(slot) visible
    std::array<std::string_view, kSlotCount> captions{};  // empty: the caption stays as it was
};
WindowArrangement ArrangeWindow(Architecture architecture);

// Whether a stage panel at `left` is shown: it stands in a slot whose switch is not cleared
// (`switchShows` tells, slot by slot, whether the switch's state shows its panel). A parked
// panel never runs and is never shown. A click on a switch shows or hides its slot's panels by
// the same rule.
bool PanelShown(int left, const std::array<bool, kSlotCount>& switchShows);

// Puts a stage into the slot its panel's Left names; a panel in no slot joins none. Called in
// kCandidateOrder, it gives each slot its panels in the order the tick tries them.
void JoinSlotAtLeft(ChainSnapshot& snapshot, int left, const StageSettings& stage);

// The order the window reads in, by the controls' names: the sources top to bottom, the
// architecture, the slots left to right (each switch, then the panels standing in it), the
// parked panels, the test points, then each plot group (time picture, freeze box, time window,
// spectrum picture, span, centre). A panel's name stands for its own controls in their order.
// `lefts` are the stage panels' Lefts in kCandidateOrder.
std::vector<std::string> WindowFocusOrder(const std::array<int, kStageCandidates>& lefts);

}  // namespace quorvane
