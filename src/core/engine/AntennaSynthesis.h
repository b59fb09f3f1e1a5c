#pragma once

#include <array>

#include "engine/ChainSnapshot.h"
#include "engine/EngineBuffers.h"

namespace quorvane {

class UniformRandom;

// Peak voltage of a source of the given power in dBnW (10 * sqrt(watts) into 50 ohms), with
// its sign flipped when invert is 1. -1e12 dBnW (a source switched off) gives exactly 0.
double SourceAmplitude(double powerDbnW, std::int16_t invert);

inline constexpr double kBoltzmann = 1.38e-23;
// Turns the noise voltage of one bin, sqrt(k T B), into that of the whole band the samples
// carry: 500^2 k T 9765.625 Hz / 50 ohms is k T 48.8 MHz, within 1 dB of k T over the sampled
// 0..40 MHz. So a 290 K source reads about -97 dBm, near the real thermal noise of 40 MHz.
inline constexpr double kNoiseScale = 500.0;

// Standard deviation in volts of thermal noise at the given temperature in one bin: 500 times
// sqrt(k T B). A negative or NaN temperature is held at 0 K (no noise).
double ThermalNoiseSigma(double kelvin);

// Builds the antenna signal: the three sources' unit cosines into dOsc, a fresh set of Gaussian
// samples into dNoise (drawn even when the noise is off, so the generator always advances by
// the same amount), and their weighted sum into dSignal.
void SynthesiseAntennaSignal(const std::array<OscillatorSettings, 3>& oscillators,
                             const NoiseSettings& noise, EngineBuffers& buffers,
                             UniformRandom& random);

}  // namespace quorvane
