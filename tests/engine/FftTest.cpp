#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "engine/nrFFT.h"

namespace {

using Points = std::vector<double>;

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
        turn[r] = std::polar(1.0, sign * 2.0 * std::numbers::pi * r / nn);
    Points out(x.size());
    for (int k = 0; k < nn; ++k) {
        std::complex<double> sum = 0.0;
        for (int m = 0; m < nn; ++m)
            sum += std::complex<double>(x[2 * m], x[2 * m + 1]) *
                   turn[static_cast<std::size_t>((static_cast<std::int64_t>(m) * k) % nn)];
        out[2 * k] = scale * sum.real();
        out[2 * k + 1] = scale * sum.imag();
    }
    return out;
}

// The transform in its plainest loop form: bit reversal, then passes of butterflies with one
// twiddle recurrence per pass and the +-1e200 limit. The fast one must agree bit for bit.
void PlainTransform(Points& d, int nn, int inverse) {
    const int n = 2 * nn;
    for (int i = 0, j = 0; i < n; i += 2) {
        if (j > i) std::swap(d[j], d[i]), std::swap(d[j + 1], d[i + 1]);
        int m = nn;
        while (m >= 2 && j >= m)
            j -= m, m >>= 1;
        j += m;
    }
    const double s = inverse == 0 ? 1.0 : -1.0;
    const auto limit = [](double v) { return std::min(std::max(v, -1e200), 1e200); };
    for (int h = 1; h < nn; h *= 2) {
        const double theta = 6.28318530717959 / (2 * h);
        const double t = s * std::sin(theta / 2);
        const double wpr = -2 * t * t, wpi = s * std::sin(theta);
        double wr = 1, wi = 0;
        for (int q = 0; q < h; ++q) {
            for (int a = 2 * q; a < n; a += 4 * h) {
                const int c = a + 2 * h;
                const double tr = limit(wr * d[c] - wi * d[c + 1]);
                const double ti = limit(wr * d[c + 1] + wi * d[c]);
                d[c] = d[a] - tr, d[c + 1] = d[a + 1] - ti, d[a] += tr, d[a + 1] += ti;
            }
            const double old = wr;
            wr = wr * wpr - wi * wpi + wr;
            wi = wi * wpr + old * wpi + wi;
        }
    }
    if (inverse != 0)
        for (double& v : d)
            v /= nn;
}

double LargestDifference(const Points& a, const Points& b) {
    double worst = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i)
        worst = std::max(worst, std::abs(a[i] - b[i]));
    return worst;
}

class FftSizes : public ::testing::TestWithParam<int> {};

TEST_P(FftSizes, MatchesTheDefinitionInBothDirections) {
    const int nn = GetParam();
    for (const int inverse : {0, 1}) {
        Points data = RandomPoints(nn, 7u + static_cast<unsigned>(nn));
        const Points expected = inverse == 0 ? DirectTransform(data, nn, +1.0, 1.0)
                                             : DirectTransform(data, nn, -1.0, 1.0 / nn);
        nrFFT::FFT(data.data(), nn, static_cast<std::int16_t>(inverse));
        EXPECT_LT(LargestDifference(data, expected), 1e-10 * std::sqrt(nn))
            << "inverse " << inverse;
    }
}

TEST_P(FftSizes, AgreesBitForBitWithThePlainLoops) {
    const int nn = GetParam();
    for (const int inverse : {0, 1}) {
        Points fast = RandomPoints(nn, 99u);
        Points plain = fast;
        nrFFT::FFT(fast.data(), nn, static_cast<std::int16_t>(inverse));
        PlainTransform(plain, nn, inverse);
        EXPECT_EQ(fast, plain) << "inverse " << inverse;
    }
}

INSTANTIATE_TEST_SUITE_P(PowersOfTwo, FftSizes, ::testing::Values(2, 4, 16, 128, 1024, 8192));

TEST(Fft, TwoPointsGiveSumAndDifference) {
    Points data{3.0, 1.0, 5.0, -2.0};
    nrFFT::FFT(data.data(), 2, 0);
    EXPECT_EQ(data, (Points{8.0, -1.0, -2.0, 3.0}));
}

TEST(Fft, PositiveExponentForward) {
    Points data(2 * 8, 0.0);
    data[2] = 1.0;  // x[1] = 1
    nrFFT::FFT(data.data(), 8, 0);
    EXPECT_NEAR(data[3], std::sin(2.0 * std::numbers::pi / 8), 1e-12);  // Im X[1] > 0
}

TEST(Fft, ButterflyProductsAreHeldWithinTheLimit) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double partner;
        double sum;
    };
    for (const Case c :
         {Case{1e300, 1e200}, Case{-1e300, -1e200}, Case{inf, 1e200}, Case{5.0, 6.0}}) {
        Points data{1.0, 0.0, c.partner, 0.0};
        nrFFT::FFT(data.data(), 2, 0);
        EXPECT_EQ(data[0], c.sum) << c.partner;
        EXPECT_EQ(data[2], 2.0 - c.sum) << c.partner;
    }
    Points nan{1.0, 0.0, std::nan(""), 0.0};
    nrFFT::FFT(nan.data(), 2, 0);
    EXPECT_TRUE(std::isnan(nan[0]) && std::isnan(nan[2]));
}

std::vector<std::string> reported;
void Remember(const char* message) {
    reported.emplace_back(message);
}

TEST(Fft, RefusesLengthsThatAreNotPowersOfTwo) {
    const nrFFT::RefusalReporter before = nrFFT::SetRefusalReporter(&Remember);
    const std::int32_t lengths[] = {0,
                                    1,
                                    -2,
                                    3,
                                    6,
                                    12,
                                    8191,
                                    8193,
                                    std::numeric_limits<std::int32_t>::max(),
                                    std::numeric_limits<std::int32_t>::min()};
    for (const std::int32_t nn : lengths) {
        reported.clear();
        Points data = RandomPoints(16, 3u);
        const Points original = data;
        nrFFT::FFT(data.data(), nn, 0);
        EXPECT_EQ(reported, std::vector<std::string>{"This FFT only does powers of two."}) << nn;
        EXPECT_EQ(data, original) << nn;
    }
    EXPECT_EQ(nrFFT::SetRefusalReporter(before), &Remember);
}

TEST(Fft, DefaultReporterWritesToStandardError) {
    const nrFFT::RefusalReporter before = nrFFT::SetRefusalReporter(nullptr);
    Points data(12, 1.0);
    ::testing::internal::CaptureStderr();
    nrFFT::FFT(data.data(), 6, 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "This FFT only does powers of two.\n");
    nrFFT::SetRefusalReporter(before);
}

}  // namespace
