// A stage's intercept points as a textbook states them, in the simulation and in the prediction:
// two equal tones of P dBm on bin centres (5 and 5.625 MHz) into a stage of input intercept X
// and gain G, no noise.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "ChainTestSupport.h"

namespace quorvane {
namespace {

using namespace test;

constexpr double kF1 = 5, kF2 = 5.625;

// c2 = c3 / 10 puts the second-order intercept of the f2 +- f1 products at 2 X + 10 lg 5.625
// (7.5 dB), and that of the second harmonic, which takes half the amplitude, 6 dB higher.
const double kIip2 = 10 * std::log10(5.625);
const double kIip2Harmonic = 10 * std::log10(22.5);

struct Product {
    const char* name;
    double mhz;
    double expectedDbm;
};

// dBm (a tone of P dBm is P + 60 dBnW) at each product's bin in the engine's output, and in the
// prediction.
void Check(const ChainSnapshot& snapshot, int testPoint, const std::vector<Product>& products,
           const char* what) {
    UniformRandom random;
    ReceiverEngine engine(random);
    const std::vector<double> watts =
        WindowedWatts(RunOnce(engine, snapshot)[static_cast<std::size_t>(testPoint - 1)], false);
    const TestPointPrediction predicted = PredictChain(snapshot, kSingle).At(testPoint);
    for (const Product& p : products) {
        const long bin = BinOf(p.mhz);
        const double simulated = Db(WattsInBins(watts, bin, bin)) + 30;
        double prediction = 0;
        for (const PredictedLine& l : predicted.lines) {
            if (BinOf(l.frequencyMHz) == bin) prediction += l.watts;
        }
        EXPECT_NEAR(simulated, p.expectedDbm, 0.1) << what << ", " << p.name;
        // The prediction lists lines down to 70 dB below the strongest.
        const double listed = Db(predicted.lines.front().watts * 1e-7) + 30;
        if (p.expectedDbm > listed + 0.5) {
            EXPECT_NEAR(Db(prediction) + 30, p.expectedDbm, 0.1) << what << ", " << p.name;
        }
        std::printf("%-34s %-10s expected %7.2f dBm, simulated %7.2f, predicted %7.2f\n", what,
                    p.name, p.expectedDbm, simulated, Db(prediction) + 30);
    }
}

TEST(Intercept, ProductsOfOneStageFollowItsInterceptPoints) {
    struct Case {
        double p, x;  // dBm: P <= X - 20
        bool mixer;
    };
    const Case cases[] = {{-40, -10, false}, {-50, -10, false}, {-30, 0, false},
                          {-45, 0, false},   {-20, 10, false},  {-50, -20, false},
                          {-40, -10, true},  {-30, 0, true},    {-50, -20, true}};
    constexpr double kGain = 10;
    for (const Case& c : cases) {
        const double im3 = 3 * c.p - 2 * c.x + kGain;
        const double iip2 = 2 * c.x + kIip2;
        const double iip2Harmonic = 2 * c.x + kIip2Harmonic;
        const std::vector<Tone> tones = {{kF1, c.p + 60}, {kF2, c.p + 60}};
        char what[64];
        std::snprintf(what, sizeof what, "%s P %+.0f dBm, X %+.0f dBm", c.mixer ? "mixer" : "LNA",
                      c.p, c.x);
        if (!c.mixer) {
            Check(BuildChain(kSingle, tones, {Amp(1, kGain, 0, c.x)}), 3,
                  {{"2f1-f2", 2 * kF1 - kF2, im3},
                   {"2f2-f1", 2 * kF2 - kF1, im3},
                   {"f2-f1", kF2 - kF1, 2 * c.p - iip2 + kGain},
                   {"f1+f2", kF1 + kF2, 2 * c.p - iip2 + kGain},
                   {"2f1", 2 * kF1, 2 * c.p - iip2Harmonic + kGain}},
                  what);
        } else {
            // A multiplying mixer halves every amplitude on each side of its LO. With the LO at
            // 30 MHz no other product of the stage within 40 dB lands on these (LO + 2f1 - f2
            // would meet LO + 2f1 + f2, folded at 40 MHz).
            const double lo = 30, converted = -10 * std::log10(4.0);
            Check(BuildChain(kSingle, tones, {Mixer(2, lo, false, kGain, 0, c.x)}), 4,
                  {{"LO-2f1+f2", lo - (2 * kF1 - kF2), im3 + converted},
                   {"LO-2f2+f1", lo - (2 * kF2 - kF1), im3 + converted},
                   {"LO+2f2-f1", lo + (2 * kF2 - kF1), im3 + converted},
                   {"tone", lo - kF1, c.p + kGain + converted}},
                  what);
        }
    }
}

// Two stages of IIP3 -10 dBm, the first with 10 dB of gain. The textbook cascade gives
// 1 / IIP3 = 1 / X1 + G1 / X2, -20.41 dBm. Here the second stage's c2 also squares the first
// stage's second-order products back onto the tones' third-order frequencies: with g the first
// stage's voltage gain, the cubic term grows from c3 (1 + g^2) to c3 (1 + g^2) + 2 c2^2 g,
// a factor 1 + 2 c3 g / (100 (1 + g^2)) = 1.767 with c3 = 4 / 3 / (100 x 1e-4 W), so the
// intercept lies 2.47 dB lower, at -22.89 dBm.
TEST(Intercept, SecondOrderCrossTermsLowerACascadesIntercept) {
    const double textbook = -10 - 10 * std::log10(1 + 10);
    const double g = std::sqrt(10.0), c3 = 4.0 / 3.0 / (100 * 1e-4);
    const double expected = textbook - 10 * std::log10(1 + 2 * c3 * g / (100 * (1 + g * g)));
    EXPECT_NEAR(textbook, -20.41, 0.005);
    EXPECT_NEAR(expected, -22.89, 0.005);
    constexpr double kP = -50;
    const ChainSnapshot snapshot = BuildChain(kSingle, {{kF1, kP + 60}, {kF2, kP + 60}},
                                              {Amp(1, 10, 0, -10), Amp(3, 0, 0, -10)});
    UniformRandom random;
    ReceiverEngine engine(random);
    const std::vector<double> watts = WindowedWatts(RunOnce(engine, snapshot)[4], false);
    const TestPointPrediction predicted = PredictChain(snapshot, kSingle).At(5);
    auto at = [&](double mhz) {
        double w = 0;
        for (const PredictedLine& l : predicted.lines)
            w += BinOf(l.frequencyMHz) == BinOf(mhz) ? l.watts : 0;
        return w;
    };
    const long tone = BinOf(kF1), im3 = BinOf(2 * kF1 - kF2);
    const double simulated =
        kP + Db(WattsInBins(watts, tone, tone) / WattsInBins(watts, im3, im3)) / 2;
    const double prediction = kP + Db(at(kF1) / at(2 * kF1 - kF2)) / 2;
    EXPECT_NEAR(simulated, expected, 0.1);
    EXPECT_NEAR(prediction, expected, 0.1);
    std::printf("cascade IIP3: textbook %.2f dBm, expected %.2f, simulated %.2f, predicted %.2f\n",
                textbook, expected, simulated, prediction);
}

}  // namespace
}  // namespace quorvane
