// What the prediction says in words: the origins of lines, the budget, and the read-out texts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "ChainTestSupport.h"
#include "analysis/PowerHistory.h"
#include "analysis/Readouts.h"
#include "chain/TestPointNames.h"
#include "texts/TextWrap.h"

namespace quorvane {
namespace {

using namespace test;

std::vector<std::string> OriginsAt(const TestPointPrediction& p, double mhz) {
    for (const PredictedLine& l : p.lines) {
        if (std::abs(l.frequencyMHz - mhz) < 1e-3) return l.origins;
    }
    return {};
}

TEST(Readouts, EveryLineIsNamedByItsOrigin) {
    struct Case {
        const char* chain;
        Architecture architecture;
        std::vector<Tone> tones;
        std::vector<SlotIn> in;
        int testPoint;
        double mhz;
        std::vector<std::string> origins;
    };
    const Case cases[] = {
        {"difference", kSingle, {{5, 0}}, {Mixer(2, 6)}, 4, 1, {"1st Mixer LO − tone 1"}},
        {"sum", kSingle, {{5, 0}}, {Mixer(2, 6)}, 4, 11, {"tone 1 + 1st Mixer LO"}},
        // The image filter, tuned to 5 MHz, is switched out: 7 MHz comes down from above the LO.
        {"image",
         kSingle,
         {{5, 0}, {7, -6}},
         {Mixer(2, 6)},
         4,
         1,
         {"1st Mixer LO − tone 1", "image of tone 2 (above 1st Mixer LO)"}},
        {"switching harmonic",
         kSingle,
         {{5, 0}},
         {Mixer(2, 10, true)},
         4,
         25,
         {"3 × 1st Mixer LO − tone 1"}},
        {"intermodulation",
         kSingle,
         {{5, 20}, {5.625, 20}},
         {Amp(1, 10, 0, -20)},
         3,
         4.375,
         {"2 × tone 1 − tone 2 (3rd order, LNA)"}},
        {"harmonic",
         kSingle,
         {{5, 20}},
         {Amp(3, 10, 0, -10)},
         5,
         10,
         {"2nd harmonic of tone 1 (IF Amp)"}},
        {"DC", kSingle, {{0, 0}}, {Mixer(2, 6)}, 4, 6, {"DC × 1st Mixer LO"}},
        {"folded", kSingle, {{50, 0}}, {}, 1, 30, {"tone 1"}},
        {"two mixers",
         kDual,
         {{5, 0}},
         {Mixer(1, 6), Mixer(3, 10), Mixer(5, 2)},
         7,
         3,
         {"tone 1 + 1st Mixer LO + 3nd Mixer LO − 2nd Mixer LO"}},
        {"homodyne", kHomodyne, {{6, 0}}, {Mixer(2, 6)}, 4, 0, {"tone 1 − 1st Mixer LO"}},
    };
    for (const Case& c : cases) {
        const ChainSnapshot snapshot = BuildChain(c.architecture, c.tones, c.in);
        EXPECT_EQ(OriginsAt(PredictChain(snapshot, c.architecture).At(c.testPoint), c.mhz),
                  c.origins)
            << c.chain;
    }
}

TEST(Readouts, NoiseFollowsTheStages) {
    struct Case {
        std::vector<SlotIn> in;
        double noiseDbm;  // at the output, 0 to 40 MHz
    };
    // The antenna's 290 K gives -97.09 dBm here; every noise below is that times what the
    // stages do to it.
    const Case cases[] = {
        {{}, -97.09},
        // F G = 1.995 x 100.
        {{Amp(1, 20, 3)}, -97.09 + 23.0},
        // (F1 G1 + F2 - 1) G2 = (199.5 + 2.981) x 10.
        {{Amp(1, 20, 3), Amp(3, 10, 6)}, -97.09 + 10.0 * std::log10(202.5 * 10.0)},
        // The filter keeps bins 307..716 and 4095..4097, 823 of 8192, and adds its own noise
        // (F - 1 = 0.995 times the antenna's) after it over the whole band.
        {{Filter(0, 5, 4.0039, 0, 3), Amp(1, 20)},
         -97.09 + 10.0 * std::log10((823.0 / 8192.0 + 0.995) * 100.0)},
    };
    for (const Case& c : cases) {
        const ChainSnapshot snapshot = BuildChain(kSingle, {{5, 0}}, c.in, 290);
        const ChainPrediction prediction = PredictChain(snapshot, kSingle);
        const TestPointPrediction& out = prediction.At(8);
        EXPECT_NEAR(10.0 * std::log10(out.noiseWatts) + 30.0, c.noiseDbm, 0.02);
        EXPECT_NEAR(out.totalWatts, out.lineWatts + out.noiseWatts + out.spreadWatts, 1e-25);
    }
}

TEST(Readouts, Texts) {
    const ChainSnapshot chain =
        BuildChain(kSingle, {{5, 0}, {7, -6}}, {Amp(1, 20, 3), Mixer(2, 6)}, 290);
    const ChainPrediction prediction = PredictChain(chain, kSingle);
    const NoiseCascade cascade = AnalyseNoiseCascade(chain, kSingle);
    const ChainPrediction overdriven =
        PredictChain(BuildChain(kSingle, {{5, 20}, {5.625, 20}}, {Amp(1, 10, 0, -30)}), kSingle);
    PowerHistory history;
    history.Add(9e-7, false);  // the chain before
    history.Add(1.2e-7, true);
    history.Add(1.4e-7, false);
    const std::pair<std::string, std::string> cases[] = {
        {TestPointReadout(4, kSingle, prediction, cascade),
         "Test point 4: after 1st Mixer\n"
         "Strongest line: 1.000 MHz, -42.5 dBm\n"
         "Noise: -77.1 dBm in 0–40 MHz\n"
         "Total power: -40.6 dBm\n"
         // Tone 1, -60 dBm, +20 dB and -6 dB through the mixer; the image adds to its bin.
         "Wanted line: 1st Mixer LO − tone 1, 1.000\n"
         "  MHz, -46.0 dBm\n"
         "In its bin as well: image of tone 2 (above\n"
         "  1st Mixer LO)\n"
         "SNR 31.1 dB in 0–40 MHz\n"
         // F = F1 + I + 0 with I = F1: the LNA's noise comes in from the image band too.
         // 3.9905 by the rounded terms; the 6 MHz LO lies between bins, and its sampled
         // cosine's mean square over the buffer is 0.5 (1 - 7.2e-5), which takes 1.4e-4 off.
         "Noise figure 6.0 dB (single sideband, 290 K)\n"
         "Cascade, noise referred to the antenna:\n"
         "LNA: gain 20.0 dB; own noise F−1 0.995, over\n"
         "  G before 0.995; F = 1.995 (3.0 dB)\n"
         "1st Mixer: conversion -6.0 dB, panel gain 0.0\n"
         "  dB; own noise (F−1)/conversion 0.000, over\n"
         "  G before 0.000; image band I 1.995; F =\n"
         "  1.995 + 1.995 + 0.000 = 3.990 (6.0 dB)\n"
         "1.000 MHz, -42.5 dBm: 1st Mixer LO − tone 1;\n"
         "  image of tone 2 (above 1st Mixer LO)\n"
         "11.000 MHz, -46.0 dBm: tone 1 + 1st Mixer LO\n"
         "13.000 MHz, -52.0 dBm: tone 2 + 1st Mixer LO"},
        {PowerOutReadout(history, prediction),
         "Shown: 1.400e-07 W, -38.5 dBm\n"
         "Mean of the last 2: 1.300e-07 W, -38.9 dBm\n"
         "Predicted Pout = 8.764e-08, -40.6 dBm"},
        {PowerOutReadout(history, overdriven),
         "Shown: 1.400e-07 W, -38.5 dBm\n"
         "Mean of the last 2: 1.300e-07 W, -38.9 dBm\n"
         "Predicted Pout = 8.342e-05, -10.8 dBm\n"
         "(nonlinear: the prediction is only a guide)"},
        {PowerOutReadout(PowerHistory{}, prediction), ""},
        // The strongest line within reach, not the nearest: 11 MHz outweighs 13 MHz.
        {LineReadout(prediction.At(4), 12.3, 1.5),
         "Line: 11.000 MHz, tone 1 + 1st Mixer LO,\n  predicted\u00a0-46.0\u00a0dBm"},
        {LineReadout(prediction.At(4), 12.3, 0.8),
         "Line: 13.000 MHz, tone 2 + 1st Mixer LO,\n  predicted\u00a0-52.0\u00a0dBm"},
        {LineReadout(prediction.At(4), 11.025, 0.02), ""},
        {TestPointTitle(1, kSingle), "Test point 1: antenna"},
        {TestPointPlace(4, kDual), "after 1st IF Filter"},
        {TestPointPlace(7, kHomodyne), "after Baseband Filter"},  // slot 5 is empty
        {TestPointPlace(8, kHomodyne), "receiver output"},
        {WrapText("short stays"), "short stays"},
        {WrapText("a b c d e f", 5, 1), "a b c\n d e\n f"},
        {WrapText("unbreakable-word x", 5), "unbreakable-word\nx"},
        {WrapText("× − ≈ ×\n12345 6", 7), "× − ≈ ×\n12345 6"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(text, expected);
    PowerHistory kept;
    for (int k = 1; k <= 25; ++k)
        kept.Add(k, false);
    EXPECT_EQ(kept.Count(), PowerHistory::kLength);
    EXPECT_EQ(kept.Mean(), 15.5);  // of 6 .. 25
    EXPECT_EQ(kept.Last(), 25);
    for (int tp = 1; tp <= 8; ++tp) {
        std::istringstream lines(TestPointReadout(tp, kSingle, overdriven, NoiseCascade{}));
        for (std::string line; std::getline(lines, line);)
            EXPECT_LE(line.size(), kToolTipWidth + 2) << line;  // "−" takes three bytes
    }
}

// Settings beyond what a double holds give a prediction with words, never a crash.
TEST(Readouts, SettingsBeyondTheDoubleRange) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<SlotIn> extremes[] = {
        {Amp(1, 300, 3, -100), Mixer(2, 6, true, 300, 3, -100), Amp(3, 300, 3, -100)},
        {Mixer(2, inf), Filter(4, nan, 1), Mixer(5, 1e306, true), Filter(6, -inf, 1)},
        {Amp(1, inf, inf, nan), Mixer(2, nan, false, nan, nan, nan), Filter(4, 1e300, 2, -inf)},
    };
    for (const std::vector<SlotIn>& in : extremes) {
        for (const std::vector<Tone>& tones :
             {std::vector<Tone>{{5, 200}, {1e20, 10}}, std::vector<Tone>{{inf, 0}, {nan, inf}}}) {
            const ChainSnapshot chain = BuildChain(kSingle, tones, in, 1e300);
            const ChainPrediction p = PredictChain(chain, kSingle);
            const NoiseCascade cascade = AnalyseNoiseCascade(chain, kSingle);
            for (int tp = 1; tp <= 8; ++tp)
                EXPECT_TRUE(TestPointReadout(tp, kSingle, p, cascade).starts_with("Test point"));
        }
    }
}

}  // namespace
}  // namespace quorvane
