#pragma once

#include <array>

#include "engine/SignalBuffer.h"

namespace quorvane {

// The engine's sample storage, allocated once with the engine and reused by every tick.
struct EngineBuffers {
    SignalBuffer dSignal{};              // the working signal, transformed in place stage by stage
    std::array<SignalBuffer, 3> dOsc{};  // unit-amplitude cosines of the three sine sources
    SignalBuffer dNoise{};               // standard Gaussian samples drawn last
    SignalBuffer dLO{};                  // local-oscillator waveform of the mixer being run
    // The band-pass filter's 8192 complex points, interleaved (real, imaginary). Kept here
    // rather than created per filter run, so a tick allocates nothing.
    std::array<double, 2 * kSampleCount> filterWork{};
};

}  // namespace quorvane
