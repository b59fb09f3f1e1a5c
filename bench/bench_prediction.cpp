// Times one prediction of every test point, as a tooltip asks for it when the chain has
// changed: the heaviest chain the panels allow, and a single-conversion chain with a switching
// mixer whose LO needs its sampled signs resolved.
#include <benchmark/benchmark.h>

#include "WorstCaseChain.h"
#include "analysis/ChainPrediction.h"

namespace {

using namespace quorvane;

void BM_PredictWorstCaseChain(benchmark::State& state) {
    const ChainSnapshot snapshot = bench::WorstCaseChain();
    for (auto _ : state)
        benchmark::DoNotOptimize(PredictChain(snapshot, Architecture::SingleConversion));
}
BENCHMARK(BM_PredictWorstCaseChain)->Unit(benchmark::kMicrosecond);

void BM_PredictSwitchingChain(benchmark::State& state) {
    ChainSnapshot snapshot = bench::WorstCaseChain();
    for (SlotSettings& slot : snapshot.chainSlots) {
        for (StageSettings& stage : slot.stages) {
            stage.Switching = true;
            stage.LO_Freq = 6.1;  // 800 samples to a period of the signs
        }
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(PredictChain(snapshot, Architecture::SingleConversion));
}
BENCHMARK(BM_PredictSwitchingChain)->Unit(benchmark::kMicrosecond);

}  // namespace
