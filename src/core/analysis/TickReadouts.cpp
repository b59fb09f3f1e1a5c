#include "analysis/TickReadouts.h"

#include "analysis/PredictionCache.h"
#include "analysis/Readouts.h"
#include "chain/TestPointNames.h"

namespace quorvane {

TickReadouts::TickReadouts() : predictions_(std::make_unique<PredictionCache>()) {}

TickReadouts::~TickReadouts() = default;

bool TickReadouts::BeginTick(const ChainSnapshot& chain) {
    const bool chainChanged = !SameChain(chain, tickChain_);
    if (chainChanged) tickChain_ = chain;
    tickSelection_ = {chain.first, chain.second};
    return chainChanged;
}

void TickReadouts::EndTick(double watts, bool chainChanged) {
    powerHistory_.Add(watts, chainChanged);
}

const ChainPrediction& TickReadouts::Prediction(Architecture architecture) {
    return predictions_->For(tickChain_, architecture);
}

std::string TickReadouts::TestPoint(int testPoint, Architecture architecture) {
    return TestPointReadout(testPoint, architecture, Prediction(architecture),
                            predictions_->CascadeFor(tickChain_, architecture));
}

std::string TickReadouts::PowerOut(Architecture architecture) {
    // Nothing to explain before the first refresh, and nothing to predict for it either.
    if (powerHistory_.Count() == 0) return {};
    return PowerOutReadout(powerHistory_, Prediction(architecture));
}

std::string TickReadouts::SpectrumLine(int group, double mhz, double toleranceMHz,
                                       Architecture architecture) {
    const int testPoint = group == 0 ? tickSelection_.first : tickSelection_.second;
    if (testPoint == 0) return {};
    return LineReadout(Prediction(architecture).At(testPoint), mhz, toleranceMHz);
}

std::string TickReadouts::GroupTitle(int group, Architecture architecture) const {
    const int testPoint = group == 0 ? tickSelection_.first : tickSelection_.second;
    return testPoint == 0 ? std::string() : TestPointTitle(testPoint, architecture);
}

}  // namespace quorvane
