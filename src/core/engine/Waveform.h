#pragma once

#include <cstddef>

#include "engine/SignalBuffer.h"

namespace quorvane {

// The circle constant of every waveform the program makes (the sources, the local oscillators,
// the spectrum's taper): 3.1415926, shorter than pi. Each tone therefore sits 1.7e-8 of its
// frequency below what its panel says, which nobody can see, but every sample depends on it: it
// is kept so that every run, and every earlier lab's reference results, give the same numbers.
inline constexpr double kShortPi = 3.1415926;

// Cosine of the phase frequencyMHz * 1e6 * i * 1.25e-8 * 2 * 3.1415926, evaluated left to
// right from the sample index (never accumulated), so every waveform starts at phase 0.
// A phase that is not finite (a frequency beyond the double range, or NaN) gives 0: such a
// tone cannot be sampled, so it contributes nothing rather than filling the chain with NaN.
double UnitCosine(double frequencyMHz, std::size_t i);

// The frequency in MHz the sampled cosine really has: the shortened pi in its phase makes it
// 1.7e-8 of itself lower than the frequency asked for.
double WaveformFrequencyMHz(double frequencyMHz);

// Fills a buffer with UnitCosine(frequencyMHz, i) for every sample i.
void FillUnitCosine(SignalBuffer& wave, double frequencyMHz);

}  // namespace quorvane
