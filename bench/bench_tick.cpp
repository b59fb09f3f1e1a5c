// Times the heaviest tick the panels allow: three tones and antenna noise, all seven slots
// switched in, nine stages (four band-pass filters, three mixers, two amplifiers), every one
// of them adding noise and distorting. Reports the share of the 250 ms timer period it takes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"

namespace {

using namespace quorvane;

constexpr double kTimerPeriodSeconds = 0.25;

StageSettings Stage(StageKind kind, std::int16_t index) {
    StageSettings s;
    s.kind = kind;
    s.index = index;
    s.Gain = 10.0;
    s.NF = 3.0;
    s.IP3 = 20.0;
    s.LO_Freq = 6.0 + index;
    s.CentreFreq = 5.0 + index;
    s.Bandwidth = 2.0;
    if (kind == StageKind::Filter) s.Gain = -3.0;
    return s;
}

void Add(SlotSettings& slot, const StageSettings& stage) {
    slot.switchedIn = true;
    slot.stages[static_cast<std::size_t>(slot.stageCount++)] = stage;
}

ChainSnapshot WorstCase() {
    ChainSnapshot snapshot;
    snapshot.oscillators = {OscillatorSettings{5.0, 0.0, 0}, OscillatorSettings{11.0, -10.0, 0},
                            OscillatorSettings{23.0, 10.0, 1}};
    snapshot.noise = {290.0, 1};
    snapshot.first = 1;
    snapshot.second = 8;
    // Seven slots, nine stages: the last two slots hold a second panel each.
    const StageSettings order[] = {
        Stage(StageKind::Filter, 0),    Stage(StageKind::Amplifier, 0), Stage(StageKind::Mixer, 0),
        Stage(StageKind::Filter, 1),    Stage(StageKind::Mixer, 1),     Stage(StageKind::Filter, 2),
        Stage(StageKind::Amplifier, 1), Stage(StageKind::Filter, 3),    Stage(StageKind::Mixer, 2)};
    for (std::size_t n = 0; n < std::size(order); ++n)
        Add(snapshot.chainSlots[std::min<std::size_t>(n, kSlotCount - 1)], order[n]);
    return snapshot;
}

void BM_WorstCaseTick(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    UniformRandom random;
    ReceiverEngine engine(random);
    const ChainSnapshot snapshot = WorstCase();
    const auto start = Clock::now();
    for (auto _ : state) {
        const double watts = engine.RunTick(snapshot, [](std::int16_t, const SignalBuffer& signal) {
            benchmark::DoNotOptimize(signal.data());
        });
        benchmark::DoNotOptimize(watts);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.counters["percent_of_period"] =
        100.0 * seconds / static_cast<double>(state.iterations()) / kTimerPeriodSeconds;
}
BENCHMARK(BM_WorstCaseTick)->Unit(benchmark::kMillisecond);

}  // namespace
