#pragma once

#include <memory>

#include "analysis/ChainPrediction.h"
#include "analysis/NoiseFigure.h"

namespace quorvane {

// The prediction of the chain last asked about. It is worked out only when asked for, and again
// only when the chain or the architecture has changed since: the refreshes never pay for it.
class PredictionCache {
  public:
    const ChainPrediction& For(const ChainSnapshot& chain, Architecture architecture);
    // The wanted line's noise figure and SNR at every test point, kept in the same way.
    const NoiseCascade& CascadeFor(const ChainSnapshot& chain, Architecture architecture);

  private:
    void Refresh(const ChainSnapshot& chain, Architecture architecture);

    bool known_ = false;  // chain_ and architecture_ name the chain asked about last
    ChainSnapshot chain_;
    Architecture architecture_ = Architecture::SingleConversion;
    std::unique_ptr<ChainPrediction> prediction_;
    std::unique_ptr<NoiseCascade> cascade_;
};

}  // namespace quorvane
