#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "EngineTestSupport.h"
#include "engine/StageModel.h"
#include "engine/UniformRandom.h"
#include "engine/Waveform.h"

namespace quorvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

StageSettings Panel(StageKind kind, double gain, double nf, double ip3) {
    StageSettings panel;
    panel.kind = kind;
    panel.Gain = gain;
    panel.NF = nf;
    panel.IP3 = ip3;
    return panel;
}

TEST(StageModel, InterceptPolynomialActsBeforeGain) {
    struct Case {
        double ip3;
        double gain;
        double in;
        double out;
    };
    const Case cases[] = {
        {0.0, 0.0, 0.01, 0.0246668},    // 0.01 + 0.013333 + 0.0013333 + 0.00000013
        {0.0, 10.0, 0.01, 0.0780033},   // the same times 3.1623
        {60.0, 0.0, 1.0, 1.0014800},    // "Inf" still distorts: 1 + 1.33e-4 + 1.33e-3 + ...
        {150.0, 0.0, 1000.0, 1000.0}};  // 1e12 W and above: linear
    for (const Case& c : cases) {
        auto buffers = test::FreshBuffers();
        buffers->dSignal.fill(c.in);
        UniformRandom random;
        ProcessAmplifier(Panel(StageKind::Amplifier, c.gain, 0.0, c.ip3), *buffers, random);
        EXPECT_NEAR(buffers->dSignal[100], c.out, 1e-7) << c.ip3 << " " << c.gain;
    }
}

TEST(StageModel, MixingProducts) {
    struct Case {
        bool switching;
        double sidebandShare;  // of the input amplitude, at 1 MHz and at 19 MHz
    };
    for (const Case c : {Case{false, 0.5}, Case{true, 2.0 / std::numbers::pi}}) {
        auto buffers = test::FreshBuffers();
        FillUnitCosine(buffers->dSignal, 10.0);
        for (double& x : buffers->dSignal)
            x *= 1e-3;
        StageSettings mixer = Panel(StageKind::Mixer, 0.0, 0.0, 60.0);
        mixer.LO_Freq = 9.0;
        mixer.Switching = c.switching;
        UniformRandom random;
        ProcessMixer(mixer, *buffers, random);
        // The sampled square wave's harmonics alias: the 19th (171 MHz) shows up at 11 MHz and
        // also mixes the input onto 1 and 19 MHz, moving each sideband by up to 2/(19 pi).
        const double tolerance = c.switching ? 0.03 : 0.002;
        EXPECT_NEAR(test::AmplitudeAt(buffers->dSignal, 1.0) / 1e-3, c.sidebandShare, tolerance);
        EXPECT_NEAR(test::AmplitudeAt(buffers->dSignal, 19.0) / 1e-3, c.sidebandShare, tolerance);
        EXPECT_LT(test::AmplitudeAt(buffers->dSignal, 10.0) / 1e-3, 0.01);
    }
}

TEST(StageModel, LocalOscillatorBeyondTheDoubleRangeIsSilent) {
    for (const bool switching : {false, true}) {
        auto buffers = test::FreshBuffers();
        buffers->dSignal.fill(0.5);
        StageSettings mixer = Panel(StageKind::Mixer, 0.0, 0.0, 150.0);  // linear
        mixer.LO_Freq = kInf;
        mixer.Switching = switching;
        UniformRandom random;
        ProcessMixer(mixer, *buffers, random);
        EXPECT_EQ(test::RootMeanSquare(buffers->dSignal), 0.0) << switching;
    }
}

TEST(StageModel, MixerWithoutLocalOscillatorIsAnAmplifier) {
    auto asMixer = test::FreshBuffers();
    auto asAmplifier = test::FreshBuffers();
    FillUnitCosine(asMixer->dSignal, 3.0);
    asAmplifier->dSignal = asMixer->dSignal;
    StageSettings mixer = Panel(StageKind::Mixer, 7.0, 0.0, 10.0);
    UniformRandom random;
    ProcessMixer(mixer, *asMixer, random);
    ProcessAmplifier(Panel(StageKind::Amplifier, 7.0, 0.0, 10.0), *asAmplifier, random);
    EXPECT_EQ(asMixer->dSignal, asAmplifier->dSignal);
}

TEST(StageModel, SignalDistortionLeaksIntoLocalOscillator) {
    // A DC input of 0.01 V through a mixer with IP3 0 dBm: the distorted level y reaches the
    // LO as d = c2 y^2 + c3 y^3 + c4 y^4, so the output has a DC part y * d.
    auto buffers = test::FreshBuffers();
    buffers->dSignal.fill(0.01);
    StageSettings mixer = Panel(StageKind::Mixer, 0.0, 0.0, 0.0);
    mixer.LO_Freq = 9.0;
    UniformRandom random;
    ProcessMixer(mixer, *buffers, random);
    const double y = 0.0246668;
    const double c3 = 4.0 / 3.0 / 0.001;
    const double d = c3 / 10 * y * y + c3 * y * y * y + c3 / 100 * y * y * y * y;
    double mean = 0.0;
    for (const double x : buffers->dSignal)
        mean += x / kSampleCount;
    EXPECT_NEAR(mean, y * d, 2e-5);
    EXPECT_NEAR(test::AmplitudeAt(buffers->dSignal, 9.0), y, 1e-4);
}

TEST(StageModel, PassBandEdges) {
    struct Case {
        double centre;
        double bandwidth;
        int lo;
        int hi;
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
    struct Case {
        int bin;
        bool passes;
    };
    const Case cases[] = {{409, false}, {410, true},   {512, true},  {613, true},  {614, false},
                          {0, false},   {4094, false}, {4095, true}, {4096, true}, {256, false}};
    StageSettings filter = Panel(StageKind::Filter, 0.0, 0.0, 0.0);
    filter.CentreFreq = 5.0;
    filter.Bandwidth = 2.0;
    for (const Case& c : cases) {
        auto buffers = test::FreshBuffers();
        test::FillBinCosine(buffers->dSignal, c.bin, 1.0);
        const double before = test::RootMeanSquare(buffers->dSignal);
        UniformRandom random;
        ProcessFilter(filter, *buffers, random);
        EXPECT_NEAR(test::RootMeanSquare(buffers->dSignal), c.passes ? before : 0.0, 1e-9) << c.bin;
    }
}

TEST(StageModel, FilterOutsideTheSpectrumPassesNothingAndStaysFinite) {
    const double centres[] = {-5.0, 100.0, kInf, -kInf, kNaN, 1e300};
    for (const double centre : centres) {
        StageSettings filter = Panel(StageKind::Filter, 0.0, 0.0, 0.0);
        filter.CentreFreq = centre;
        filter.Bandwidth = 2.0;
        auto buffers = test::FreshBuffers();
        test::FillBinCosine(buffers->dSignal, 512, 1.0);
        for (double& x : buffers->dSignal)
            x += 1.0;  // and a DC level
        UniformRandom random;
        ProcessFilter(filter, *buffers, random);
        EXPECT_LT(test::RootMeanSquare(buffers->dSignal), 1e-12) << centre;
    }
}

TEST(StageModel, AddedNoiseFollowsTheNoiseFigure) {
    struct Case {
        double nf;
        double gain;
        double sigma;
    };
    for (const Case c : {Case{3.0, 0.0, 3.118e-6}, Case{3.0, 20.0, 3.118e-5}, Case{0.0, 0.0, 0.0},
                         Case{-3.0, 0.0, 0.0}}) {
        auto buffers = test::FreshBuffers();
        StageSettings filter = Panel(StageKind::Filter, c.gain, c.nf, 0.0);
        filter.Bandwidth = 100.0;  // no filtering
        UniformRandom random;
        ProcessFilter(filter, *buffers, random);
        EXPECT_NEAR(test::RootMeanSquare(buffers->dSignal), c.sigma, 0.03 * c.sigma) << c.nf;
    }
}

}  // namespace
}  // namespace quorvane
