#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/nrFFT.h"

namespace {

using Points = std::vector<double>;
constexpr double kInf = std::numeric_limits<double>::infinity();

Points RandomPoints(int nn, unsigned seed) {
    std::mt19937 engine(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    Points data(2 * static_cast<std::size_t>(nn));
    for (double& x : data)
        x = value(engine);
    return data;
}

// The transform by its definition: X[k] = scale * sum_m x[m] e^(sign 2 pi i m k / nn).
Points DirectTransform(const Points& x, int nn, double sign, double scale) {
    std::vector<std::complex<double>> turn(static_cast<std::size_t>(nn));
    for (int r = 0; r < nn; ++r)
        turn[r] = std::polar(1.0, sign * 2 * std::numbers::pi * r / nn);
    Points out(x.size());
    for (int k = 0; k < nn; ++k) {
        std::complex<double> sum = 0.0;
        for (std::int64_t m = 0; m < nn; ++m)
            sum += std::complex<double>(x[2 * m], x[2 * m + 1]) * turn[(m * k) % nn];
        out[2 * k] = scale * sum.real();
        out[2 * k + 1] = scale * sum.imag();
    }
    return out;
}

class FftSizes : public ::testing::TestWithParam<int> {};

TEST_P(FftSizes, MatchesTheDefinitionInBothDirections) {
    const int nn = GetParam();
    for (const std::int16_t inverse : {0, 1}) {
        Points data = RandomPoints(nn, 7u + static_cast<unsigned>(nn));
        // Forward has the positive exponent and no scaling; inverse the negative one and 1/nn.
        const Points expected = inverse == 0 ? DirectTransform(data, nn, +1.0, 1.0)
                                             : DirectTransform(data, nn, -1.0, 1.0 / nn);
        nrFFT::FFT(data.data(), nn, inverse);
        double worst = 0.0;
        for (std::size_t i = 0; i < data.size(); ++i)
            worst = std::max(worst, std::abs(data[i] - expected[i]));
        EXPECT_LT(worst, 1e-10 * std::sqrt(nn)) << "inverse " << inverse;
    }
}

INSTANTIATE_TEST_SUITE_P(PowersOfTwo, FftSizes, ::testing::Values(2, 4, 16, 128, 1024, 8192));

TEST(Fft, TwoPointsGiveSumAndDifference) {
    Points data{3.0, 1.0, 5.0, -2.0};
    nrFFT::FFT(data.data(), 2, 0);
    EXPECT_EQ(data, (Points{8.0, -1.0, -2.0, 3.0}));
}

TEST(Fft, ButterflyProductsAreHeldWithinTheLimit) {
    for (const auto& [partner, sum] : {std::pair{1e300, 1e200}, std::pair{-1e300, -1e200},
                                       std::pair{kInf, 1e200}, std::pair{5.0, 6.0}}) {
        Points data{1.0, 0.0, partner, 0.0};
        nrFFT::FFT(data.data(), 2, 0);
        EXPECT_EQ(data[0], sum) << partner;
        EXPECT_EQ(data[2], 2.0 - sum) << partner;
    }
    Points nan{1.0, 0.0, std::nan(""), 0.0};
    nrFFT::FFT(nan.data(), 2, 0);
    EXPECT_TRUE(std::isnan(nan[0]) && std::isnan(nan[2]));
}

std::vector<std::string> reported;
void Remember(const char* message) {
    reported.emplace_back(message);
}

TEST(Fft, RefusesLengthsThatAreNotPowersOfTwoAndLeavesTheDataAlone) {
    const nrFFT::RefusalReporter before = nrFFT::SetRefusalReporter(&Remember);
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    for (const std::int32_t nn : {0, 1, -2, 3, 6, 12, 8191, 8193, kMax, -kMax - 1}) {
        reported.clear();
        Points data = RandomPoints(16, 3u);
        const Points original = data;
        nrFFT::FFT(data.data(), nn, 0);
        EXPECT_EQ(reported, std::vector<std::string>{"This FFT only does powers of two."}) << nn;
        EXPECT_EQ(data, original) << nn;
    }
    EXPECT_EQ(nrFFT::SetRefusalReporter(nullptr), &Remember);
    ::testing::internal::CaptureStderr();  // the default reporter writes to standard error
    nrFFT::FFT(RandomPoints(6, 1u).data(), 6, 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "This FFT only does powers of two.\n");
    nrFFT::SetRefusalReporter(before);
}

}  // namespace
