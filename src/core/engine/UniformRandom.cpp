#include "engine/UniformRandom.h"

#include <cmath>

#include "engine/Elementary.h"

namespace quorvane {

namespace {

constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
// Stream selector (must be odd) and starting state: fixed, so every run draws the same values.
constexpr std::uint64_t kIncrement = 1442695040888963407ULL;
constexpr std::uint64_t kSeed = 0x853c49e6748fea9bULL;

constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;

}  // namespace

UniformRandom::UniformRandom() : state_(0) {
    // The usual start-up: step once, add the seed, step again.
    NextBits();
    state_ += kSeed;
    NextBits();
}

std::uint32_t UniformRandom::NextBits() {
    const std::uint64_t old = state_;
    state_ = old * kMultiplier + kIncrement;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rotation = static_cast<std::uint32_t>(old >> 59u);
    return (xorshifted >> rotation) | (xorshifted << ((32u - rotation) & 31u));
}

float UniformRandom::Next() {
    // The top 24 bits fit a float's mantissa exactly, so the value never rounds up to 1.
    return static_cast<float>(NextBits() >> 8) * kTwoToMinus24;
}

UniformRandom& ProcessRandom() {
    static UniformRandom random;
    return random;
}

void FillGaussian(SignalBuffer& noise, UniformRandom& random) {
    // First the candidates: every pair (u1, u2) is written to the next free place and the
    // place is kept only if the pair lies inside the disc, so no branch depends on the random
    // values. The draws are the same as pair by pair, and so are the accepted pairs.
    for (std::size_t j = 0; j < noise.size();) {
        const double u1 = 2.0 * static_cast<double>(random.Next()) - 1.0;
        const double u2 = 2.0 * static_cast<double>(random.Next()) - 1.0;
        const double s = u2 * u2 + u1 * u1;
        noise[j] = u1;
        noise[j + 1] = u2;
        j += (s <= 1.0 && s != 0.0) ? 2 : 0;
    }
    // Then the scaling of every accepted pair, free of the draws' serial dependence.
    for (std::size_t j = 0; j < noise.size(); j += 2) {
        const double u1 = noise[j];
        const double u2 = noise[j + 1];
        const double s = u2 * u2 + u1 * u1;
        const double g = std::sqrt(-2.0 * math::Log(s) / s);
        noise[j] = g * u1;
        noise[j + 1] = g * u2;
    }
}

}  // namespace quorvane
