// Times the prediction on the random-chain test's own draws: per seed, the median and the worst
// processor time of one chain's prediction (the tooltips ask for one whenever the chain changes),
// and which chain was the worst. Processor time, as other work on a shared machine does not add
// to it. BM_PredictRandomChain/seed/chain repeats one chain, for a profiler.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "RandomChainDraw.h"
#include "analysis/ChainPrediction.h"

namespace {

using namespace quorvane;

std::vector<test::DrawnChain> DrawnChains(std::int64_t seed) {
    test::Draw draw(static_cast<std::uint64_t>(seed));
    std::vector<test::DrawnChain> chains;
    for (int n = 0; n < test::kRandomChains; ++n)
        chains.push_back(test::DrawChain(draw));
    return chains;
}

void BM_PredictRandomChains(benchmark::State& state) {
    const std::vector<test::DrawnChain> chains = DrawnChains(state.range(0));
    std::vector<double> worst(chains.size(), 0.0), fastest(chains.size(), 1e300);
    for (auto _ : state) {
        for (std::size_t n = 0; n < chains.size(); ++n) {
            const std::clock_t start = std::clock();
            benchmark::DoNotOptimize(PredictChain(chains[n].snapshot, chains[n].architecture));
            const double ms = 1e3 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
            worst[n] = std::max(worst[n], ms);
            fastest[n] = std::min(fastest[n], ms);
        }
    }
    // Each chain at its fastest over the repetitions.
    const auto slowest = std::max_element(fastest.begin(), fastest.end());
    state.counters["worst_ms"] = *slowest;
    state.counters["worst_chain"] = static_cast<double>(slowest - fastest.begin());
    std::vector<double> sorted = fastest;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    state.counters["median_ms"] = sorted[sorted.size() / 2];
    state.counters["worst_once_ms"] = *std::max_element(worst.begin(), worst.end());
}
BENCHMARK(BM_PredictRandomChains)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_PredictRandomChain(benchmark::State& state) {
    const std::vector<test::DrawnChain> chains = DrawnChains(state.range(0));
    const test::DrawnChain& chain = chains[static_cast<std::size_t>(
        std::clamp<std::int64_t>(state.range(1), 0, test::kRandomChains - 1))];
    for (auto _ : state)
        benchmark::DoNotOptimize(PredictChain(chain.snapshot, chain.architecture));
}
// The slowest chains of each seed.
BENCHMARK(BM_PredictRandomChain)
    ->Args({1, 177})
    ->Args({2, 34})
    ->Args({3, 247})
    ->Unit(benchmark::kMillisecond);

}  // namespace
