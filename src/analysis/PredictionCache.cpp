#include "analysis/PredictionCache.h"

namespace quorvane {

const ChainPrediction& PredictionCache::For(const ChainSnapshot& chain, Architecture architecture) {
    if (!prediction_ || !SameChain(chain, chain_) || architecture != architecture_) {
        prediction_ = std::make_unique<ChainPrediction>(PredictChain(chain, architecture));
        chain_ = chain;
        architecture_ = architecture;
    }
    return *prediction_;
}

}  // namespace quorvane
