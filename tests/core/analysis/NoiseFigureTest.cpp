// The wanted line's noise figure and SNR against the textbook formulas and against the
// simulation: the spot figure is the fall of the line's SNR in equal bandwidths.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "ChainTestSupport.h"
#include "analysis/NoiseFigure.h"

namespace quorvane {
namespace {

using namespace test;

double Linear(double db) {
    return std::pow(10.0, db / 10.0);
}

// NF 3 dB and the filter's -3 dB as the panels hold them.
const double kF3 = Linear(3);
const double kFilterGain = Linear(-3);
constexpr double kQuarterPiSquared = std::numbers::pi * std::numbers::pi / 4;

// A test point's line and the noise density around it, one-sided watts per bin, measured on
// the plain transform (the tones sit on bin centres, so nothing leaks).
struct Measured {
    double line = 0;
    double density = 0;
    double band = 0;  // noise in the bins lo .. hi
};

Measured Measure(const std::vector<double>& watts, long bin, long reach, long lo, long hi) {
    constexpr long n = static_cast<long>(kSampleCount);
    Measured m;
    m.line = WattsInBins(watts, bin, bin);
    int counted = 0;
    for (long k = bin - reach; k <= bin + reach; ++k) {
        const long one = std::abs(k);
        if (std::abs(one - bin) < 5 || one == 0 || one >= n / 2) continue;
        m.density += WattsInBins(watts, one, one);
        ++counted;
    }
    m.density /= counted;
    // The band's noise: the line's bin counts as much as its neighbours.
    m.band = lo <= hi ? WattsInBins(watts, lo, hi) - m.line + m.density : 0;
    return m;
}

struct Case {
    const char* name;
    Architecture architecture;
    double toneMHz;
    std::vector<SlotIn> in;
    int testPoint;
    double lineMHz;
    double textbook;          // F by the formula a student uses
    double image;             // the last mixer's I; NaN where the chain has none
    double ownAtInput;        // the last stage's own noise referred to its input
    long bandLo, bandHi;      // the SNR's band in bins at the test point; lo > hi for 0 .. 40 MHz
    double tolerance = 0.02;  // dB between the read-out and the textbook
    long reach = 90;          // bins either side of the line where the density is flat
};

// Tone 1 at 5 MHz (bin 512) and LO 6.25 MHz (bin 640): the IF lies at 1.25 MHz (bin 128), the
// image at 7.5 MHz, outside the image filter's 4 .. 6 MHz.
TEST(NoiseFigure, CascadesMatchTheTextbookAndTheSimulation) {
    const double nan = std::nan("");
    const Case cases[] = {
        {"LNA", kSingle, 5, {Amp(1, 10, 3)}, 3, 5, kF3, nan, kF3 - 1, 1, 0},
        {"image filter, then LNA",
         kSingle,
         5,
         {Filter(0, 5, 2, -3, 3), Amp(1, 10, 3)},
         3,
         5,
         kF3 + (kF3 - 1) / kFilterGain,
         nan,
         kF3 - 1,
         410,
         613},
        // The mixer halves the antenna's noise onto the IF from both sides of its LO, and the
        // line keeps a quarter: F = 2 + 4 (F - 1).
        {"multiplying mixer alone",
         kSingle,
         5,
         {Mixer(2, 6.25, false, 10, 3)},
         4,
         1.25,
         1 + 1 + 4 * (kF3 - 1),
         1,
         4 * (kF3 - 1),
         1,
         0},
        // The square wave folds in all the noise and keeps (2/pi)^2 of the line.
        // The square wave folds in all the noise and keeps (2/pi)^2 of the line. Its LO at
        // 0.9375 MHz repeats every 256 samples, so the sampled wave is close to the ideal one
        // (at 6.25 MHz, 12.8 samples a cycle, its aliased harmonics lift the fundamental and
        // the figure falls to 6.7 dB). Its 9th harmonic puts a line 64 bins from the IF.
        {"switching mixer alone",
         kSingle,
         5,
         {Mixer(2, 0.9375, true, 10, 3)},
         4,
         4.0625,
         1 + (kQuarterPiSquared - 1) + kQuarterPiSquared * (kF3 - 1),
         kQuarterPiSquared - 1,
         kQuarterPiSquared * (kF3 - 1),
         1,
         0,
         0.05,
         40},
        // Behind a wideband LNA the image band carries the LNA's noise too: I = F1.
        {"LNA, then mixer",
         kSingle,
         5,
         {Amp(1, 10, 3), Mixer(2, 6.25, false, 10, 3)},
         4,
         1.25,
         kF3 + kF3 + 4 * (kF3 - 1) / 10,
         kF3,
         4 * (kF3 - 1),
         1,
         0},
        // The filter adds its own noise after its brick wall, so the image band holds it:
        // I = F_filter - 1.
        {"image filter, then mixer",
         kSingle,
         5,
         {Filter(0, 5, 2, -3, 3), Mixer(2, 6.25, false, 10, 3)},
         4,
         1.25,
         kF3 + (kF3 - 1) + 4 * (kF3 - 1) / kFilterGain,
         kF3 - 1,
         4 * (kF3 - 1),
         27,
         230},
        // Both sidebands come down to DC in phase: the line gains 1/2, the noise 1/2, and the
        // mixer's own noise counts twice: the double-sideband F = 1 + 2 (F - 1).
        {"homodyne to DC",
         kHomodyne,
         6.25,
         {Mixer(2, 6.25, false, 10, 3)},
         4,
         0,
         1 + 2 * (kF3 - 1),
         0,
         2 * (kF3 - 1),
         1,
         0},
        {"single conversion to the IF filter",
         kSingle,
         5,
         {Filter(0, 5, 2, -3, 3), Amp(1, 10, 3), Mixer(2, 6.25, false, 10, 3), Amp(3, 10, 3),
          Filter(4, 1.25, 0.5, -3, 3)},
         6,
         1.25,
         // F before the mixer is that of filter and LNA; the image band holds all of it but
         // the antenna's own share: I = F - 1.
         2 * (kF3 + (kF3 - 1) / kFilterGain) - 1 + 4 * (kF3 - 1) / (kFilterGain * 10) +
             (kF3 - 1) / (kFilterGain * 10 * 0.25 * 10) +
             (kF3 - 1) / (kFilterGain * 10 * 0.25 * 10 * 10),
         nan,
         kF3 - 1,
         102,
         153,
         0.02,
         20},
    };
    constexpr int kTicks = 40, kAntennaTicks = 4;
    for (const Case& c : cases) {
        const ChainSnapshot snapshot = BuildChain(c.architecture, {{c.toneMHz, -30}}, c.in, 290);
        const NoiseCascade cascade = AnalyseNoiseCascade(snapshot, c.architecture);
        const WantedLine& w = cascade.At(c.testPoint);
        ASSERT_TRUE(w.present) << c.name;
        EXPECT_NEAR(w.mhz, c.lineMHz, 1e-6) << c.name;
        EXPECT_NEAR(Db(w.figure), Db(c.textbook), c.tolerance) << c.name;
        const CascadeStep& last = w.steps.back();
        EXPECT_NEAR(last.figure, w.figure, 1e-9 * w.figure) << c.name;
        EXPECT_NEAR(last.figureBefore + last.imageNoise + last.ownAtAntenna, last.figure,
                    1e-9 * last.figure)
            << c.name;
        if (!std::isnan(c.image)) {
            EXPECT_NEAR(last.imageNoise, c.image, 0.03 * c.image + 1e-3) << c.name;
            EXPECT_NEAR(last.ownAtInput, c.ownAtInput, 0.03 * c.ownAtInput) << c.name;
        }

        UniformRandom random;
        ReceiverEngine engine(random);
        const long lineBin = BinOf(c.lineMHz);
        Measured antenna, point;
        for (int tick = 0; tick < kTicks; ++tick) {
            const std::vector<SignalBuffer> points = RunOnce(engine, snapshot);
            // The antenna's noise is white: its density, measured over the whole band, needs
            // only a few refreshes.
            if (tick < kAntennaTicks) {
                const Measured a =
                    Measure(WindowedWatts(points[0], false), BinOf(c.toneMHz), 4000, 1, 0);
                antenna.line += a.line / kAntennaTicks;
                antenna.density += a.density / kAntennaTicks;
            }
            const Measured p =
                Measure(WindowedWatts(points[static_cast<std::size_t>(c.testPoint - 1)], false),
                        lineBin, c.reach, c.bandLo, c.bandHi);
            point.line += p.line / kTicks;
            point.density += p.density / kTicks;
            point.band += p.band / kTicks;
        }
        // The line's bin holds its share of the noise as well; at DC that is half a bin's.
        const double simulated = (point.density / point.line) / (antenna.density / antenna.line);
        EXPECT_NEAR(Db(simulated), Db(w.figure), 0.3) << c.name;
        if (c.bandLo <= c.bandHi) {
            EXPECT_NEAR(Db(point.line / point.band), w.snrDb, 0.2) << c.name;
        }
        std::printf("NF: %-36s textbook %6.2f dB, read-out %6.2f dB, simulated %6.2f dB\n", c.name,
                    Db(c.textbook), Db(w.figure), Db(simulated));
    }
}

}  // namespace
}  // namespace quorvane
