#include "analysis/ChainStages.h"

#include <algorithm>

#include "analysis/Lines.h"

namespace quorvane::analysis {

namespace {

StageParameters ParametersOf(const StageSettings& s) {
    switch (s.kind) {
        case StageKind::Filter:
            return FilterParameters(s);
        case StageKind::Mixer:
            return MixerParameters(s);
        case StageKind::Amplifier:
            break;
    }
    return AmplifierParameters(s);
}

std::string KindName(const StageSettings& s) {
    const char* kind = s.kind == StageKind::Filter
                           ? "Filter"
                           : (s.kind == StageKind::Mixer ? "Mixer" : "Amplifier");
    return std::string(kind) + " " + std::to_string(s.index + 1);
}

}  // namespace

ChainStages StagesOf(const ChainSnapshot& snapshot, Architecture architecture) {
    const Arrangement& arrangement = ArrangementFor(architecture);
    ChainStages chain;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const SlotSettings& s = snapshot.chainSlots[static_cast<std::size_t>(slot)];
        const std::string caption =
            slot < arrangement.filledSlots
                ? std::string(arrangement.assignments[static_cast<std::size_t>(slot)].caption)
                : std::string();
        const int count = std::clamp(s.stageCount, 0, kStageCandidates);
        for (int n = 0; n < count; ++n) {
            const StageSettings& settings = s.stages[static_cast<std::size_t>(n)];
            chain.stages.push_back({s.switchedIn, settings, ParametersOf(settings),
                                    caption.empty() ? KindName(settings) : caption});
        }
        chain.slotEnds[static_cast<std::size_t>(slot)] = chain.stages.size();
    }
    return chain;
}

Naming NamingOf(const ChainSnapshot& snapshot, const std::vector<StageRun>& stages) {
    Naming naming;
    for (int k = 0; k < kToneBases; ++k) {
        naming.baseNames[static_cast<std::size_t>(k)] = "tone " + std::to_string(k + 1);
        naming.baseMHz[static_cast<std::size_t>(k)] =
            snapshot.oscillators[static_cast<std::size_t>(k)].Frequency;
    }
    for (int m = 0; m < kLoBases; ++m)
        naming.baseNames[static_cast<std::size_t>(LoBase(m))] =
            "Mixer " + std::to_string(m + 1) + " LO";
    for (const StageRun& run : stages) {
        naming.stageNames.push_back(run.caption);
        if (run.settings.kind != StageKind::Mixer) continue;
        const auto base =
            static_cast<std::size_t>(LoBase(std::clamp<int>(run.settings.index, 0, kLoBases - 1)));
        naming.baseNames[base] = run.caption + " LO";
        naming.baseMHz[base] = run.settings.LO_Freq;
    }
    return naming;
}

}  // namespace quorvane::analysis
