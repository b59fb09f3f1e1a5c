#include "engine/Waveform.h"

#include <cmath>
#include <numbers>

#include "engine/Elementary.h"

namespace quorvane {

namespace {

constexpr double kMegahertz = 1000000.0;

}  // namespace

double UnitCosine(double frequencyMHz, std::size_t i) {
    const double phase =
        frequencyMHz * kMegahertz * static_cast<double>(i) * kSampleInterval * 2.0 * kShortPi;
    return std::isfinite(phase) ? math::Cos(phase) : 0.0;
}

double WaveformFrequencyMHz(double frequencyMHz) {
    return frequencyMHz * (kShortPi / std::numbers::pi);
}

void FillUnitCosine(SignalBuffer& wave, double frequencyMHz) {
    for (std::size_t i = 0; i < wave.size(); ++i)
        wave[i] = UnitCosine(frequencyMHz, i);
}

}  // namespace quorvane
