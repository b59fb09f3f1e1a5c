#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <tuple>
#include <utility>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/StageModel.h"
#include "engine/UniformRandom.h"
#include "engine/Waveform.h"
#include "engine/nrFFT.h"

namespace quorvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using test::PanelSettings;

StageSettings Mixer(double lo, bool switching, double ip3) {
    StageSettings mixer = PanelSettings(StageKind::Mixer, 0.0, 0.0, ip3);
    mixer.LO_Freq = lo;
    mixer.Switching = switching;
    return mixer;
}

StageSettings Filter(double centre, double bandwidth, double gain, double nf) {
    StageSettings filter = PanelSettings(StageKind::Filter, gain, nf, 0.0);
    filter.CentreFreq = centre;
    filter.Bandwidth = bandwidth;
    return filter;
}

TEST(StageModel, InterceptPolynomialActsBeforeGain) {
    // IP3 0 dBm is 1 mW: c3 = 4 / 3 / (100 x 0.001) = 13.333, c2 = 1.3333, c4 = 0.13333.
    // "Inf" is 60 dBm, 1000 W: c3 = 1.3333e-5, c2 = 1.3333e-6, c4 = 1.3333e-7.
    struct Case {
        double ip3, gain, in, out;
    };
    const Case cases[] = {{0.0, 0.0, 0.1, 0.1266800},     // 0.1 + 0.013333 + 0.013333 + 1.33e-5
                          {0.0, 10.0, 0.1, 0.4005973},    // the same times 3.16228
                          {0.0, 0.0, 0.01, 0.0101467},    // 0.01 + 1.3333e-4 + 1.3333e-5
                          {60.0, 0.0, 1.0, 1.0000148},    // "Inf" still distorts a little
                          {150.0, 0.0, 1000.0, 1000.0}};  // 1e12 W and above: linear
    for (const Case& c : cases) {
        auto buffers = test::FreshBuffers();
        buffers->dSignal.fill(c.in);
        UniformRandom random;
        ProcessAmplifier(PanelSettings(StageKind::Amplifier, c.gain, 0.0, c.ip3), *buffers, random);
        EXPECT_NEAR(buffers->dSignal[100], c.out, 1e-7) << c.ip3 << " " << c.gain;
    }
}

TEST(StageModel, MixingProductsOfBothLaws) {
    // The sampled square wave's harmonics alias: the 19th (171 MHz) shows up at 11 MHz and
    // also mixes the input onto 1 and 19 MHz, moving each sideband by up to 2/(19 pi).
    for (const auto& [switching, share, tolerance] :
         {std::tuple{false, 0.5, 0.002}, std::tuple{true, 2.0 / std::numbers::pi, 0.03}}) {
        auto buffers = test::FreshBuffers();
        FillUnitCosine(buffers->dSignal, 10.0);
        for (double& x : buffers->dSignal)
            x *= 1e-3;
        UniformRandom random;
        ProcessMixer(Mixer(9.0, switching, 60.0), *buffers, random);
        EXPECT_NEAR(test::AmplitudeAt(buffers->dSignal, 1.0) / 1e-3, share, tolerance);
        EXPECT_NEAR(test::AmplitudeAt(buffers->dSignal, 19.0) / 1e-3, share, tolerance);
        EXPECT_LT(test::AmplitudeAt(buffers->dSignal, 10.0) / 1e-3, 0.01);
    }
}

TEST(StageModel, SignalDistortionLeaksIntoLocalOscillator) {
    // A DC input of 0.1 V through a mixer with IP3 0 dBm: the distorted level y reaches the
    // LO as d = c2 y^2 + c3 y^3 + c4 y^4, so the output has a DC part y * d besides what the
    // cosine's own small mean leaves.
    auto buffers = test::FreshBuffers();
    buffers->dSignal.fill(0.1);
    UniformRandom random;
    ProcessMixer(Mixer(9.0, false, 0.0), *buffers, random);
    const double y = 0.1266800;
    const double c3 = 13.3333333;
    const double d = c3 / 10 * y * y + c3 * y * y * y + c3 / 100 * y * y * y * y;
    SignalBuffer lo{};
    FillUnitCosine(lo, 9.0);
    double mean = 0.0, loMean = 0.0;
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        mean += buffers->dSignal[i] / kSampleCount;
        loMean += lo[i] / kSampleCount;
    }
    EXPECT_NEAR(mean, y * (d + loMean), 1e-6);
    EXPECT_NEAR(test::AmplitudeAt(buffers->dSignal, 9.0), y, 1e-4);
}

TEST(StageModel, LocalOscillatorBeyondTheDoubleRangeIsSilent) {
    for (const bool switching : {false, true}) {
        auto buffers = test::FreshBuffers();
        buffers->dSignal.fill(0.5);
        UniformRandom random;
        ProcessMixer(Mixer(kInf, switching, 150.0), *buffers, random);
        EXPECT_EQ(test::RootMeanSquare(buffers->dSignal), 0.0) << switching;
    }
}

TEST(StageModel, PassBandEdges) {
    struct Case {
        double centre, bandwidth;
        int lo, hi;
    };
    const Case cases[] = {
        {5.0, 2.0, 410, 614},
        {10.0, 20.0, 0, 2048},
        {4.9990234375, 2.0, 410, 614},  // lower edge exactly 409.5 bins: to the even 410
        {5.0087890625, 2.0, 410, 615},  // lower edge exactly 410.5 bins: to the even 410
        {-5.0, 2.0, 0, 0},
        {0.001, 0.002, 0, 0},  // wholly below DC
        {100.0, 2.0, 8192, 8191},
        {1e300, 2.0, 8192, 8191},
        {kInf, 2.0, 8192, 8191},
        {-kInf, 2.0, 0, 0},
        {kNaN, 2.0, 8192, 0},
        {2.0, kNaN, 8192, 0}};
    for (const Case& c : cases) {
        const PassBand band = PassBandBins(c.centre, c.bandwidth);
        EXPECT_EQ(band.lo, c.lo) << c.centre << " " << c.bandwidth;
        EXPECT_EQ(band.hi, c.hi) << c.centre << " " << c.bandwidth;
    }
}

TEST(StageModel, FilterPassesItsBandAndTheBinsNearHalfTheRate) {
    const std::pair<int, bool> cases[] = {{409, false}, {410, true}, {512, true},  {613, true},
                                          {614, false}, {0, false},  {256, false}, {4094, false},
                                          {4095, true}, {4096, true}};
    for (const auto& [bin, passes] : cases) {
        auto buffers = test::FreshBuffers();
        test::FillBinCosine(buffers->dSignal, bin, 1.0);
        const double before = test::RootMeanSquare(buffers->dSignal);
        UniformRandom random;
        ProcessFilter(Filter(5.0, 2.0, 0.0, 0.0), *buffers, random);
        EXPECT_NEAR(test::RootMeanSquare(buffers->dSignal), passes ? before : 0.0, 1e-9) << bin;
    }
}

TEST(StageModel, FilterOutsideTheSpectrumPassesNothing) {
    // Below DC nothing passes, not even the bins near 40 MHz that every other band passes.
    for (const double centre : {-5.0, 100.0, kInf, -kInf, kNaN, 1e300}) {
        auto buffers = test::FreshBuffers();
        test::FillBinCosine(buffers->dSignal, 512, 1.0);
        SignalBuffer fortyMHz{};
        test::FillBinCosine(fortyMHz, 4096, 1.0);
        for (std::size_t i = 0; i < kSampleCount; ++i)
            buffers->dSignal[i] += 1.0 + fortyMHz[i];  // and a DC level and a 40 MHz tone
        UniformRandom random;
        ProcessFilter(Filter(centre, 2.0, 0.0, 0.0), *buffers, random);
        EXPECT_LT(test::RootMeanSquare(buffers->dSignal), 1e-12) << centre;
    }
}

// The filter on an impulse, whose transform is 1 in every bin, leaves exactly the bins the
// predicate names.
TEST(StageModel, PassBandKeepsBinNamesTheBinsTheFilterLeaves) {
    const std::pair<double, double> bands[] = {{5.0, 2.0},     {10.0, 20.0}, {-5.0, 2.0},
                                               {100.0, 2.0},   {45.0, 2.0},  {39.0, 4.0},
                                               {0.001, 0.002}, {kNaN, 2.0}};
    for (const auto& [centre, bandwidth] : bands) {
        auto buffers = test::FreshBuffers();
        buffers->dSignal[0] = 1.0;
        UniformRandom random;
        ProcessFilter(Filter(centre, bandwidth, 0.0, 0.0), *buffers, random);
        std::vector<double> points(2 * kSampleCount, 0.0);
        for (std::size_t m = 0; m < kSampleCount; ++m)
            points[2 * m] = buffers->dSignal[m];
        nrFFT::FFT(points.data(), static_cast<int>(kSampleCount), 0);
        const PassBand band = PassBandBins(centre, bandwidth);
        for (int k = 0; k <= 4096; ++k) {
            const double magnitude = std::hypot(points[2 * k], points[2 * k + 1]);
            ASSERT_NEAR(magnitude, PassBandKeepsBin(band, k) ? 1.0 : 0.0, 1e-9)
                << centre << " " << bandwidth << " bin " << k;
        }
    }
}

TEST(StageModel, AddedNoiseFollowsTheNoiseFigure) {
    for (const auto& [nf, gain, sigma] :
         {std::tuple{3.0, 0.0, 3.118e-6}, std::tuple{3.0, 20.0, 3.118e-5},
          std::tuple{0.0, 0.0, 0.0}, std::tuple{-3.0, 0.0, 0.0}}) {
        auto buffers = test::FreshBuffers();
        UniformRandom random;
        ProcessFilter(Filter(0.0, 100.0, gain, nf), *buffers, random);  // too wide to filter
        EXPECT_NEAR(test::RootMeanSquare(buffers->dSignal), sigma, 0.03 * sigma) << nf;
    }
}

}  // namespace
}  // namespace quorvane
