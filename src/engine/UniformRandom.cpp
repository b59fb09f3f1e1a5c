#include "engine/UniformRandom.h"

#include <cmath>

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

std::pair<double, double> GaussianPair(UniformRandom& random) {
    double u1 = 0.0;
    double u2 = 0.0;
    double s = 0.0;
    do {
        const double r1 = random.Next();
        const double r2 = random.Next();
        u1 = 2.0 * r1 - 1.0;
        u2 = 2.0 * r2 - 1.0;
        s = u2 * u2 + u1 * u1;
    } while (s > 1.0 || s == 0.0);
    const double g = std::sqrt(-2.0 * std::log(s) / s);
    return {g * u1, g * u2};
}

void FillGaussian(SignalBuffer& noise, UniformRandom& random) {
    for (std::size_t j = 0; j < noise.size(); j += 2) {
        const auto [a, b] = GaussianPair(random);
        noise[j] = a;
        noise[j + 1] = b;
    }
}

}  // namespace quorvane
