// Times the heaviest tick the panels allow: three tones and antenna noise, all seven slots
// switched in, nine stages (four band-pass filters, three mixers, two amplifiers), every one
// of them adding noise and distorting. Reports the share of the 250 ms timer period it takes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#include "WorstCaseChain.h"
#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"

namespace {

using namespace quorvane;

void BM_WorstCaseTick(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    UniformRandom random;
    ReceiverEngine engine(random);
    const ChainSnapshot snapshot = bench::WorstCaseChain();
    const auto start = Clock::now();
    for (auto _ : state) {
        const double watts = engine.RunTick(snapshot, [](std::int16_t, const SignalBuffer& signal) {
            benchmark::DoNotOptimize(signal.data());
        });
        benchmark::DoNotOptimize(watts);
    }
    bench::ReportShareOfPeriod(state, Clock::now() - start);
}
BENCHMARK(BM_WorstCaseTick)->Unit(benchmark::kMillisecond);

}  // namespace
