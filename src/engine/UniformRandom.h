#pragma once

#include <cstdint>
#include <utility>

#include "engine/SignalBuffer.h"

namespace quorvane {

// The uniform generator behind all noise in the simulator. It is PCG32 (the XSH-RR output
// function over a 64-bit linear congruential state): small, fast and statistically sound.
// Every instance starts from the same fixed seed, so every run of the program repeats the
// same noise, and nothing ever reseeds it.
class UniformRandom {
  public:
    UniformRandom();

    // Next single-precision value r with 0 <= r < 1 (24 random bits, so every value is exact).
    float Next();

  private:
    std::uint32_t NextBits();

    std::uint64_t state_;
};

// The process's one generator: the antenna synthesis and every noisy stage draw from it.
UniformRandom& ProcessRandom();

// Two independent standard Gaussian values by the polar method: r1 then r2 are drawn, mapped
// to u = 2r - 1, and a pair with s = u1^2 + u2^2 outside (0, 1] is drawn again.
std::pair<double, double> GaussianPair(UniformRandom& random);

// Overwrites the whole buffer with standard Gaussian samples, pair by pair in index order.
void FillGaussian(SignalBuffer& noise, UniformRandom& random);

}  // namespace quorvane
