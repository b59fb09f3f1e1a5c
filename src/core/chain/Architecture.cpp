#include "chain/Architecture.h"

#include "chain/Layout.h"

namespace quorvane {

namespace {

constexpr StageId Filter(int i) {
    return {StageKind::Filter, i};
}
constexpr StageId Mixer(int i) {
    return {StageKind::Mixer, i};
}
constexpr StageId Amplifier(int i) {
    return {StageKind::Amplifier, i};
}

constexpr Arrangement kHomodyne = {5,
                                   {{
                                       {Filter(0), "Image Filter"},
                                       {Amplifier(0), "LNA"},
                                       {Mixer(0), "1st Mixer"},
                                       {Amplifier(1), "IF Amp"},
                                       {Filter(1), "Baseband Filter"},
                                   }}};

constexpr Arrangement kSingleConversion = {7,
                                           {{
                                               {Filter(0), "Image Filter"},
                                               {Amplifier(0), "LNA"},
                                               {Mixer(0), "1st Mixer"},
                                               {Amplifier(1), "IF Amp"},
                                               {Filter(1), "IF Filter"},
                                               {Mixer(1), "2nd Mixer"},
                                               {Filter(2), "Baseband Filter"},
                                           }}};

// "3nd Mixer" is the caption the program has always shown.
constexpr Arrangement kDualConversion = {7,
                                         {{
                                             {Filter(0), "Image Filter"},
                                             {Mixer(0), "1st Mixer"},
                                             {Filter(1), "1st IF Filter"},
                                             {Mixer(1), "2nd Mixer"},
                                             {Filter(2), "2nd IF Filter"},
                                             {Mixer(2), "3nd Mixer"},
                                             {Filter(3), "Baseband Filter"},
                                         }}};

}  // namespace

Architecture ArchitectureFromText(std::string_view text) {
    if (text == kArchitectureItems[ItemOf(Architecture::Homodyne)]) return Architecture::Homodyne;
    if (text == kArchitectureItems[ItemOf(Architecture::DualConversion)])
        return Architecture::DualConversion;
    return Architecture::SingleConversion;
}

std::string DesignName(StageId stage) {
    const char* kind = stage.kind == StageKind::Filter  ? "FilterControl1"
                       : stage.kind == StageKind::Mixer ? "MixerControl1"
                                                        : "AmplifierControl1";
    return std::string(kind) + "(" + std::to_string(stage.index) + ")";
}

int CandidatePosition(StageId stage) {
    switch (stage.kind) {
        case StageKind::Filter:
            return stage.index;
        case StageKind::Mixer:
            return kFilterCount + stage.index;
        case StageKind::Amplifier:
            return kFilterCount + kMixerCount + stage.index;
    }
    return -1;
}

int SlotAtLeft(int left) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (left == SlotLeft(slot)) return slot;
    }
    return -1;
}

const Arrangement& ArrangementFor(Architecture architecture) {
    switch (architecture) {
        case Architecture::Homodyne:
            return kHomodyne;
        case Architecture::DualConversion:
            return kDualConversion;
        case Architecture::SingleConversion:
            break;
    }
    return kSingleConversion;
}

WindowArrangement ArrangeWindow(Architecture architecture) {
    WindowArrangement window;
    window.lefts.fill(kParkedLeft);
    const Arrangement& arrangement = ArrangementFor(architecture);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        window.switchShown[slot] = slot < arrangement.filledSlots;
        if (slot >= arrangement.filledSlots) continue;
        const SlotAssignment& a = arrangement.assignments[slot];
        window.captions[slot] = a.caption;
        window.lefts[CandidatePosition(a.stage)] = SlotLeft(slot);
    }
    return window;
}

bool PanelShown(int left, const std::array<bool, kSlotCount>& switchShows) {
    const int slot = SlotAtLeft(left);
    return slot >= 0 && switchShows[slot];
}

void JoinSlotAtLeft(ChainSnapshot& snapshot, int left, const StageSettings& stage) {
    const int slot = SlotAtLeft(left);
    if (slot < 0) return;
    SlotSettings& s = snapshot.chainSlots[slot];
    s.stages[s.stageCount++] = stage;
}

namespace {

std::string Indexed(const char* name, int index) {
    return std::string(name) + "(" + std::to_string(index) + ")";
}

}  // namespace

std::vector<std::string> WindowFocusOrder(const std::array<int, kStageCandidates>& lefts) {
    std::vector<std::string> order;
    order.reserve(5 + kSlotCount + kStageCandidates + layout::kTestPointCount + 2 * 6);
    for (int k = 0; k < 3; ++k)
        order.push_back(Indexed("OscillatorControl1", k));
    order.emplace_back("NoiseControl1");
    order.emplace_back("cmbMode");
    std::array<bool, kStageCandidates> inSlot{};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        order.push_back(Indexed("Check1", slot));
        for (int position = 0; position < kStageCandidates; ++position) {
            if (SlotAtLeft(lefts[position]) != slot) continue;
            order.push_back(DesignName(kCandidateOrder[position]));
            inSlot[position] = true;
        }
    }
    for (int position = 0; position < kStageCandidates; ++position) {
        if (!inSlot[position]) order.push_back(DesignName(kCandidateOrder[position]));
    }
    for (int n = 1; n <= layout::kTestPointCount; ++n)
        order.push_back(Indexed("cmdGraph", n));
    for (int g = 0; g < 2; ++g) {
        for (const char* control :
             {"picSignal", "chkFreeze", "hscSignal", "picSpectrum", "hscSpectrum", "hscCentre"})
            order.push_back(Indexed(control, g));
    }
    return order;
}

}  // namespace quorvane
