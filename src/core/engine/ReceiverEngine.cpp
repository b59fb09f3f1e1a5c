#include "engine/ReceiverEngine.h"

#include <algorithm>

#include "engine/AntennaSynthesis.h"
#include "engine/EngineBuffers.h"
#include "engine/StageModel.h"
#include "engine/UniformRandom.h"

namespace quorvane {

namespace {

constexpr std::int16_t kAntennaTestPoint = 1;

// Mean power in watts into 50 ohms: the squares summed in index order, then / 8192 / 50.
double OutputPower(const SignalBuffer& signal) {
    double sum = 0.0;
    for (const double x : signal)
        sum += x * x;
    return sum / static_cast<double>(kSampleCount) / kReferenceOhms;
}

void ReachTestPoint(const ReceiverEngine::TestPointCallback& atTestPoint, std::int16_t testPoint,
                    const SignalBuffer& signal) {
    if (atTestPoint) atTestPoint(testPoint, signal);
}

}  // namespace

struct ReceiverEngine::Impl {
    explicit Impl(UniformRandom& generator) : random(generator) {}

    UniformRandom& random;
    EngineBuffers buffers;

    void RunSlot(const SlotSettings& slot) {
        if (!slot.switchedIn) return;
        const int count = std::clamp(slot.stageCount, 0, kStageCandidates);
        for (int n = 0; n < count; ++n)
            ProcessChainStage(slot.stages[static_cast<std::size_t>(n)], buffers, random);
    }
};

ReceiverEngine::ReceiverEngine() : ReceiverEngine(ProcessRandom()) {}

ReceiverEngine::ReceiverEngine(UniformRandom& random) : impl_(std::make_unique<Impl>(random)) {}

ReceiverEngine::~ReceiverEngine() = default;

double ReceiverEngine::RunTick(const ChainSnapshot& snapshot,
                               const TestPointCallback& atTestPoint) {
    EngineBuffers& buffers = impl_->buffers;
    SynthesiseAntennaSignal(snapshot.oscillators, snapshot.noise, buffers, impl_->random);
    ReachTestPoint(atTestPoint, kAntennaTestPoint, buffers.dSignal);
    for (int a = 0; a < kSlotCount; ++a) {
        impl_->RunSlot(snapshot.chainSlots[static_cast<std::size_t>(a)]);
        ReachTestPoint(atTestPoint, static_cast<std::int16_t>(a + 2), buffers.dSignal);
    }
    return OutputPower(buffers.dSignal);
}

const SignalBuffer& ReceiverEngine::Signal() const {
    return impl_->buffers.dSignal;
}

}  // namespace quorvane
