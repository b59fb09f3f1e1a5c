#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "analysis/OriginWords.h"
#include "chain/Architecture.h"
#include "engine/ChainSnapshot.h"
#include "engine/StageModel.h"

namespace quorvane::analysis {

// One stage panel standing in a slot, whether or not the slot is switched in, with the caption
// of its slot (or its kind and number where the architecture leaves the slot unnamed).
struct StageRun {
    bool runs = false;
    StageSettings settings;
    StageParameters parameters;
    std::string caption;
};

// The stages slot by slot, in the engine's order; slotEnds[k] is the number of stages in
// slots 0 .. k.
struct ChainStages {
    std::vector<StageRun> stages;
    std::array<std::size_t, kSlotCount> slotEnds{};
};

ChainStages StagesOf(const ChainSnapshot& snapshot, Architecture architecture);

// The names the read-outs give the tones, the mixers' LOs and the stages of this chain.
Naming NamingOf(const ChainSnapshot& snapshot, const std::vector<StageRun>& stages);

}  // namespace quorvane::analysis
