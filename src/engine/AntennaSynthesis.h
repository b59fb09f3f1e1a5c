#pragma once

#include <array>

#include "engine/ChainSnapshot.h"
#include "engine/EngineBuffers.h"

namespace quorvane {

class UniformRandom;

// Peak voltage of a source of the given power in dBnW (10 * sqrt(watts) into 50 ohms), with
// its sign flipped when invert is 1. -1e12 dBnW (a source switched off) gives exactly 0.
double SourceAmplitude(double powerDbnW, std::int16_t invert);

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
