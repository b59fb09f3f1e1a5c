#include "engine/AntennaSynthesis.h"

#include <cmath>

#include "engine/Elementary.h"
#include "engine/UniformRandom.h"
#include "engine/Waveform.h"

namespace quorvane {

double SourceAmplitude(double powerDbnW, std::int16_t invert) {
    return std::sqrt(math::Exp10(powerDbnW / 10.0) / 1000000000.0) * 10.0 * 2.0 * (0.5 - invert);
}

double ThermalNoiseSigma(double kelvin) {
    const double temperature = kelvin > 0.0 ? kelvin : 0.0;  // also catches NaN
    return std::sqrt(temperature * kBoltzmann * kBinWidth) * kNoiseScale;
}

void SynthesiseAntennaSignal(const std::array<OscillatorSettings, 3>& oscillators,
                             const NoiseSettings& noise, EngineBuffers& buffers,
                             UniformRandom& random) {
    for (std::size_t k = 0; k < oscillators.size(); ++k)
        FillUnitCosine(buffers.dOsc[k], oscillators[k].Frequency);

    std::array<double, 3> amplitude{};
    for (std::size_t k = 0; k < oscillators.size(); ++k)
        amplitude[k] = SourceAmplitude(oscillators[k].Power, oscillators[k].Invert);

    const double sigma = noise.Working != 0 ? ThermalNoiseSigma(noise.Temperature) : 0.0;
    FillGaussian(buffers.dNoise, random);

    const auto& osc = buffers.dOsc;
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        const double tones =
            amplitude[0] * osc[0][i] + amplitude[1] * osc[1][i] + amplitude[2] * osc[2][i];
        buffers.dSignal[i] = sigma * buffers.dNoise[i] + tones;
    }
}

}  // namespace quorvane
