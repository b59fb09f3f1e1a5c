#pragma once

#include <cstdint>

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

// Overwrites the whole buffer with standard Gaussian samples by the polar method, pair by pair
// in index order: r1 then r2 are drawn, mapped to u = 2r - 1, and a pair with
// s = u1^2 + u2^2 outside (0, 1] is drawn again; the accepted pair gives sqrt(-2 ln s / s)
// times u1 and u2.
void FillGaussian(SignalBuffer& noise, UniformRandom& random);

}  // namespace quorvane
