#pragma once

// The heaviest chain the panels allow, shared by the tick benchmarks: three tones and antenna
// noise, all seven slots switched in, nine stages (four band-pass filters, three mixers, two
// amplifiers), every one of them adding noise and distorting; test points 1 and 8 selected.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "engine/ChainSnapshot.h"

namespace quorvane::bench {

inline constexpr double kTimerPeriodSeconds = 0.25;

inline StageSettings WorstCaseStage(StageKind kind, std::int16_t index) {
    StageSettings s;
    s.kind = kind;
    s.index = index;
    s.Gain = kind == StageKind::Filter ? -3.0 : 10.0;
    s.NF = 3.0;
    s.IP3 = 20.0;
    s.LO_Freq = 6.0 + index;
    s.CentreFreq = 5.0 + index;
    s.Bandwidth = 2.0;
    return s;
}

inline ChainSnapshot WorstCaseChain() {
    ChainSnapshot snapshot;
    snapshot.oscillators = {OscillatorSettings{5.0, 0.0, 0}, OscillatorSettings{11.0, -10.0, 0},
                            OscillatorSettings{23.0, 10.0, 1}};
    snapshot.noise = {290.0, 1};
    snapshot.first = 1;
    snapshot.second = 8;
    // Seven slots, nine stages: the last slot holds three panels.
    const StageSettings order[] = {
        WorstCaseStage(StageKind::Filter, 0),    WorstCaseStage(StageKind::Amplifier, 0),
        WorstCaseStage(StageKind::Mixer, 0),     WorstCaseStage(StageKind::Filter, 1),
        WorstCaseStage(StageKind::Mixer, 1),     WorstCaseStage(StageKind::Filter, 2),
        WorstCaseStage(StageKind::Amplifier, 1), WorstCaseStage(StageKind::Filter, 3),
        WorstCaseStage(StageKind::Mixer, 2)};
    for (std::size_t n = 0; n < std::size(order); ++n) {
        SlotSettings& slot = snapshot.chainSlots[std::min<std::size_t>(n, kSlotCount - 1)];
        slot.switchedIn = true;
        slot.stages[static_cast<std::size_t>(slot.stageCount++)] = order[n];
    }
    return snapshot;
}

// Adds the mean time of one iteration as a share of the 250 ms timer period.
inline void ReportShareOfPeriod(benchmark::State& state,
                                std::chrono::steady_clock::duration spent) {
    const double seconds = std::chrono::duration<double>(spent).count();
    state.counters["percent_of_period"] =
        100.0 * seconds / static_cast<double>(state.iterations()) / kTimerPeriodSeconds;
}

}  // namespace quorvane::bench
