#include "analysis/PredictionCache.h"

namespace quorvane {

void PredictionCache::Refresh(const ChainSnapshot& chain, Architecture architecture) {
    if (known_ && SameChain(chain, chain_) && architecture == architecture_) return;
    known_ = true;
    prediction_.reset();
    cascade_.reset();
    chain_ = chain;
    architecture_ = architecture;
}

const ChainPrediction& PredictionCache::For(const ChainSnapshot& chain, Architecture architecture) {
    Refresh(chain, architecture);
    if (!prediction_)
        prediction_ = std::make_unique<ChainPrediction>(PredictChain(chain, architecture));
    return *prediction_;
}

const NoiseCascade& PredictionCache::CascadeFor(const ChainSnapshot& chain,
                                                Architecture architecture) {
    Refresh(chain, architecture);
    if (!cascade_)
        cascade_ = std::make_unique<NoiseCascade>(AnalyseNoiseCascade(chain, architecture));
    return *cascade_;
}

}  // namespace quorvane
