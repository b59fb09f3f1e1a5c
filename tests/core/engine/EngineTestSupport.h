#pragma once

#include <cmath>
#include <complex>
#include <memory>
#include <numbers>

#include "engine/ChainSnapshot.h"
#include "engine/EngineBuffers.h"

namespace quorvane::test {

// What a panel of the given kind hands the engine; fields a test does not name stay default.
inline StageSettings PanelSettings(StageKind kind, double gain, double nf = 0.0,
                                   double ip3 = 60.0) {
    StageSettings s;
    s.kind = kind;
    s.Gain = gain;
    s.NF = nf;
    s.IP3 = ip3;
    return s;
}

inline std::unique_ptr<EngineBuffers> FreshBuffers() {
    return std::make_unique<EngineBuffers>();
}

// Amplitude of the component at the given frequency, by projecting onto it.
inline double AmplitudeAt(const SignalBuffer& signal, double frequencyMHz) {
    std::complex<double> sum = 0.0;
    const double step = 2.0 * std::numbers::pi * frequencyMHz * 1e6 * kSampleInterval;
    for (std::size_t i = 0; i < kSampleCount; ++i)
        sum += signal[i] * std::polar(1.0, -step * static_cast<double>(i));
    return 2.0 * std::abs(sum) / kSampleCount;
}

// A cosine with a whole number of periods in the buffer: it occupies exactly bin k.
inline void FillBinCosine(SignalBuffer& signal, int k, double amplitude) {
    for (std::size_t i = 0; i < kSampleCount; ++i)
        signal[i] = amplitude *
                    std::cos(2.0 * std::numbers::pi * k * static_cast<double>(i) / kSampleCount);
}

inline double RootMeanSquare(const SignalBuffer& signal) {
    double sum = 0.0;
    for (const double x : signal)
        sum += x * x;
    return std::sqrt(sum / kSampleCount);
}

}  // namespace quorvane::test
