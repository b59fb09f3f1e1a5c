#pragma once

#include <memory>
#include <string>

#include "analysis/PowerHistory.h"
#include "chain/Architecture.h"
#include "chain/TestPointSelection.h"
#include "engine/ChainSnapshot.h"

namespace quorvane {

class PredictionCache;
struct ChainPrediction;

// What the read-outs explain: the chain of the last tick, the test points its plot groups
// showed, the output power of the last ticks of that chain, and the prediction, worked out only
// when a read-out asks for it. Every front end keeps one beside its receiver and tells it about
// each tick; the architecture asked with is the one shown at the moment of asking.
class TickReadouts {
  public:
    TickReadouts();
    ~TickReadouts();
    TickReadouts(const TickReadouts&) = delete;
    TickReadouts& operator=(const TickReadouts&) = delete;

    // Before a tick runs: its chain, with the test points shown. Only a copy and a comparison;
    // returns whether the chain differs from the last tick's.
    bool BeginTick(const ChainSnapshot& chain);
    // After it: the output power it measured.
    void EndTick(double watts, bool chainChanged);

    // A test-point button's tooltip.
    std::string TestPoint(int testPoint, Architecture architecture);
    // The output power's tooltip: empty before the first refresh.
    std::string PowerOut(Architecture architecture);
    // What the spectrum of plot group `group` says about the predicted line under the pointer.
    std::string SpectrumLine(int group, double mhz, double toleranceMHz, Architecture architecture);
    // The title of the test point plot group `group` showed at the last tick ("" when none).
    std::string GroupTitle(int group, Architecture architecture) const;

  private:
    const ChainPrediction& Prediction(Architecture architecture);

    ChainSnapshot tickChain_;
    Selection tickSelection_;
    PowerHistory powerHistory_;
    std::unique_ptr<PredictionCache> predictions_;
};

}  // namespace quorvane
