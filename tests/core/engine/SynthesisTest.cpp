#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "EngineTestSupport.h"
#include "engine/AntennaSynthesis.h"
#include "engine/Elementary.h"
#include "engine/UniformRandom.h"

namespace quorvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(UniformRandom, StaysInUnitIntervalAndRepeatsFromEveryStart) {
    UniformRandom a, b;
    float lowest = 1.0f, highest = 0.0f;
    for (int i = 0; i < 100000; ++i) {
        const float r = a.Next();
        ASSERT_EQ(r, b.Next());
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_TRUE(lowest >= 0.0f && lowest < 1e-3f) << lowest;
    EXPECT_TRUE(highest < 1.0f && highest > 0.999f) << highest;
    EXPECT_EQ(&ProcessRandom(), &ProcessRandom());
}

TEST(UniformRandom, PolarPairsUseR1ThenR2AndRejectOutsideTheDisc) {
    UniformRandom random, twin;
    auto buffers = test::FreshBuffers();
    FillGaussian(buffers->dNoise, random);
    for (std::size_t j = 0; j < kSampleCount; j += 2) {
        double u1, u2, s;
        do {
            u1 = 2.0 * twin.Next() - 1.0;
            u2 = 2.0 * twin.Next() - 1.0;
            s = u1 * u1 + u2 * u2;
        } while (s > 1.0 || s == 0.0);
        ASSERT_EQ(buffers->dNoise[j], u1 * std::sqrt(-2.0 * math::Log(s) / s)) << j;
        ASSERT_EQ(buffers->dNoise[j + 1], u2 * std::sqrt(-2.0 * math::Log(s) / s)) << j;
    }
    EXPECT_EQ(random.Next(), twin.Next());
}

TEST(Synthesis, SourceAmplitudesAndNoiseLevels) {
    EXPECT_NEAR(SourceAmplitude(0.0, 0), 3.16227766e-4, 1e-12);
    EXPECT_NEAR(SourceAmplitude(0.0, 1), -3.16227766e-4, 1e-12);
    EXPECT_NEAR(SourceAmplitude(20.0, 0), 3.16227766e-3, 1e-12);
    EXPECT_EQ(SourceAmplitude(-1e12, 1), 0.0);
    // Below zero and NaN are held at 0 K.
    for (const auto& [kelvin, sigma] : {std::pair{290.0, 3.12578e-6}, std::pair{0.0, 0.0},
                                        std::pair{-290.0, 0.0}, std::pair{kNaN, 0.0}})
        EXPECT_NEAR(ThermalNoiseSigma(kelvin), sigma, 1e-10) << kelvin;
}

struct Scene {
    std::array<OscillatorSettings, 3> oscillators{};
    NoiseSettings noise{};
};

TEST(Synthesis, TonesAddUpAndFrequenciesAboveNyquistAlias) {
    auto at50 = test::FreshBuffers();
    auto at30 = test::FreshBuffers();
    UniformRandom random;
    Scene scene;
    scene.oscillators[0] = {50.0, 0.0, 0};
    scene.oscillators[2] = {0.0, 20.0, 1};  // a DC level of -3.162e-3 V
    SynthesiseAntennaSignal(scene.oscillators, scene.noise, *at50, random);
    scene.oscillators[0].Frequency = 30.0;
    SynthesiseAntennaSignal(scene.oscillators, scene.noise, *at30, random);
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        // The shortened pi lets the two drift apart by up to 2 (pi - 3.1415926) i, below 1e-3.
        ASSERT_NEAR(at50->dOsc[0][i], at30->dOsc[0][i], 1e-3) << i;
        ASSERT_NEAR(at50->dSignal[i], 3.16227766e-4 * at50->dOsc[0][i] - 3.16227766e-3, 1e-12);
    }
}

TEST(Synthesis, NoiseSwitchDoesNotChangeHowFarTheGeneratorMoves) {
    UniformRandom on, off;
    auto noisy = test::FreshBuffers();
    auto quiet = test::FreshBuffers();
    Scene scene;
    scene.noise = {290.0, 1};
    SynthesiseAntennaSignal(scene.oscillators, scene.noise, *noisy, on);
    scene.noise.Working = 0;
    SynthesiseAntennaSignal(scene.oscillators, scene.noise, *quiet, off);
    EXPECT_EQ(noisy->dNoise, quiet->dNoise);
    EXPECT_EQ(on.Next(), off.Next());
    EXPECT_NEAR(test::RootMeanSquare(noisy->dSignal), 3.13e-6, 0.05e-6);
    EXPECT_EQ(test::RootMeanSquare(quiet->dSignal), 0.0);
}

TEST(Synthesis, UnrepresentableSettingsStayFinite) {
    // Switched-off sources at frequencies whose phase leaves the double range, and
    // temperatures below zero or NaN: the antenna stays silent, with no NaN from 0 * cos(inf).
    for (const double frequency : {kInf, -kInf, kNaN, 1e306}) {
        for (const double kelvin : {-5.0, -kInf, kNaN}) {
            UniformRandom random;
            auto buffers = test::FreshBuffers();
            Scene scene{{OscillatorSettings{frequency, -1e12, 0}}, {kelvin, 1}};
            SynthesiseAntennaSignal(scene.oscillators, scene.noise, *buffers, random);
            EXPECT_EQ(test::RootMeanSquare(buffers->dSignal), 0.0) << frequency << " " << kelvin;
        }
    }
    UniformRandom random;
    auto loud = test::FreshBuffers();
    Scene scene{{OscillatorSettings{1e300, 0.0, 0}}, {}};  // the phase overflows from i = 2 on
    SynthesiseAntennaSignal(scene.oscillators, scene.noise, *loud, random);
    EXPECT_TRUE(std::all_of(loud->dSignal.begin(), loud->dSignal.end(),
                            [](double x) { return std::isfinite(x); }));
}

}  // namespace
}  // namespace quorvane
