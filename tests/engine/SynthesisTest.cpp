#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "EngineTestSupport.h"
#include "engine/AntennaSynthesis.h"
#include "engine/UniformRandom.h"

namespace quorvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(UniformRandom, StaysInUnitIntervalAndRepeatsFromEveryStart) {
    UniformRandom a;
    UniformRandom b;
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < 100000; ++i) {
        const float r = a.Next();
        ASSERT_EQ(r, b.Next());
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_GE(lowest, 0.0f);
    EXPECT_LT(lowest, 1e-3f);
    EXPECT_LT(highest, 1.0f);
    EXPECT_GT(highest, 0.999f);
    EXPECT_EQ(&ProcessRandom(), &ProcessRandom());
}

TEST(UniformRandom, PolarPairsUseR1ThenR2AndRejectOutsideTheDisc) {
    UniformRandom random;
    UniformRandom twin;
    auto buffers = test::FreshBuffers();
    FillGaussian(buffers->dNoise, random);
    for (std::size_t j = 0; j < kSampleCount; j += 2) {
        double u1, u2, s;
        do {
            u1 = 2.0 * twin.Next() - 1.0;
            u2 = 2.0 * twin.Next() - 1.0;
            s = u1 * u1 + u2 * u2;
        } while (s > 1.0 || s == 0.0);
        ASSERT_EQ(buffers->dNoise[j], u1 * std::sqrt(-2.0 * std::log(s) / s)) << j;
        ASSERT_EQ(buffers->dNoise[j + 1], u2 * std::sqrt(-2.0 * std::log(s) / s)) << j;
    }
    EXPECT_EQ(random.Next(), twin.Next());
}

TEST(UniformRandom, GaussianBufferHasUnitVariance) {
    UniformRandom random;
    auto buffers = test::FreshBuffers();
    double sum = 0.0, squares = 0.0;
    for (int round = 0; round < 8; ++round) {
        FillGaussian(buffers->dNoise, random);
        for (const double x : buffers->dNoise)
            sum += x, squares += x * x;
    }
    const double count = 8.0 * kSampleCount;
    EXPECT_NEAR(sum / count, 0.0, 0.02);
    EXPECT_NEAR(squares / count, 1.0, 0.03);
}

TEST(Synthesis, SourceAmplitudes) {
    struct Case {
        double dBnW;
        std::int16_t invert;
        double volts;
    };
    const Case cases[] = {{0.0, 0, 3.16227766e-4},
                          {0.0, 1, -3.16227766e-4},
                          {20.0, 0, 3.16227766e-3},
                          {-1e12, 0, 0.0},
                          {-1e12, 1, 0.0}};
    for (const Case& c : cases)
        EXPECT_NEAR(SourceAmplitude(c.dBnW, c.invert), c.volts, 1e-12) << c.dBnW << " " << c.invert;
}

TEST(Synthesis, ThermalNoiseLevel) {
    struct Case {
        double kelvin;
        double sigma;
    };
    for (const Case c :
         {Case{290.0, 3.12578e-6}, Case{0.0, 0.0}, Case{-290.0, 0.0}, Case{kNaN, 0.0}})
        EXPECT_NEAR(ThermalNoiseSigma(c.kelvin), c.sigma, 1e-10) << c.kelvin;
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
    EXPECT_EQ(at30->dOsc[2][kSampleCount - 1], 1.0);
}

TEST(Synthesis, NoiseLevelAndGeneratorAdvanceDoNotDependOnSwitch) {
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

TEST(Synthesis, UnrepresentableSettingsGiveFiniteSilence) {
    struct Case {
        double frequency;
        double power;
        double kelvin;
    };
    // Phases beyond the double range, switched-off sources at such frequencies, and
    // temperatures below zero or NaN: the antenna stays silent and finite.
    const Case cases[] = {{kInf, -1e12, 290.0},
                          {kNaN, -1e12, 290.0},
                          {1e306, -1e12, -5.0},
                          {-kInf, -1e12, kNaN},
                          {0.0, -1e12, -kInf}};
    for (const Case& c : cases) {
        UniformRandom random;
        auto buffers = test::FreshBuffers();
        Scene scene;
        scene.oscillators.fill({c.frequency, c.power, 0});
        scene.noise = {c.kelvin, 1};
        SynthesiseAntennaSignal(scene.oscillators, scene.noise, *buffers, random);
        const bool silentOrOnlyNoise = c.kelvin > 0.0
                                           ? test::RootMeanSquare(buffers->dSignal) < 4e-6
                                           : test::RootMeanSquare(buffers->dSignal) == 0.0;
        EXPECT_TRUE(silentOrOnlyNoise) << c.frequency << " " << c.kelvin;
    }
    UniformRandom random;
    auto loud = test::FreshBuffers();
    Scene scene;
    scene.oscillators[1] = {1e306, 0.0, 0};
    SynthesiseAntennaSignal(scene.oscillators, scene.noise, *loud, random);
    for (const double x : loud->dSignal)
        ASSERT_TRUE(std::isfinite(x));
}

}  // namespace
}  // namespace quorvane
