#pragma once

#include <memory>

#include "analysis/ChainPrediction.h"

namespace quorvane {

// The prediction of the chain last asked about. It is worked out only when asked for, and again
// only when the chain or the architecture has changed since: the refreshes never pay for it.
class PredictionCache {
  public:
    const ChainPrediction& For(const ChainSnapshot& chain, Architecture architecture);

  private:
    ChainSnapshot chain_;
    Architecture architecture_ = Architecture::SingleConversion;
    std::unique_ptr<ChainPrediction> prediction_;
};

}  // namespace quorvane
