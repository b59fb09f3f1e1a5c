// The prediction against the engine on chains drawn at random, the way a student sets them: every
// architecture, random switches, tones anywhere up to 45 MHz, noise on and off, low intercepts,
// both mixing laws and narrow filters at the ends of the band. Each chain is either predicted
// within the tolerance or flagged as only a guide, and few are flagged needlessly.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "RandomChainDraw.h"

namespace quorvane {
namespace {

using namespace test;

constexpr int kTicks = 32;
constexpr long kHalfWidth = 4;           // bins summed either side of a line
constexpr double kLineDb = 0.5;          // a line may be off by this much beyond the measurement
constexpr double kPoutShare = 0.05;      // and Pout by this share
constexpr double kComparedLines = 1e-4;  // lines within 40 dB of the strongest are compared
constexpr double kMissedPeaks = 1e-3;    // peaks within 30 dB of the strongest must be predicted
constexpr double kAboveNoise = 10;       // lines 10 dB above the noise are measurable

// A predicted line, or several within a few bins, measured together as one peak.
struct Cluster {
    long lo = 0, hi = 0;
    double lineWatts = 0, strongest = 0, noiseWatts = 0;
    bool approximate = false;
    double sum = 0, squares = 0;  // of the measured watts over the ticks
};

std::vector<Cluster> Clusters(const TestPointPrediction& p) {
    std::vector<PredictedLine> lines = p.lines;
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto& a, const auto& b) { return a.frequencyMHz < b.frequencyMHz; });
    std::vector<Cluster> clusters;
    for (const PredictedLine& l : lines) {
        const long bin = BinOf(l.frequencyMHz);
        if (clusters.empty() || bin - clusters.back().hi > kHalfWidth + 2)
            clusters.push_back({bin - kHalfWidth, bin});
        Cluster& c = clusters.back();
        c.hi = bin + kHalfWidth;
        c.lineWatts += l.watts;
        c.strongest = std::max(c.strongest, l.watts);
        c.approximate = c.approximate || l.approximate;
    }
    for (Cluster& c : clusters) {
        for (long b = std::max(0L, c.lo); b <= std::min(4096L, c.hi); ++b)
            c.noiseWatts += p.noiseBins[static_cast<std::size_t>(b)] +
                            p.spreadBins[static_cast<std::size_t>(b)];
    }
    return clusters;
}

// Next to 0 and 40 MHz a line's two halves overlap in the Hann window; the lines not marked
// approximate there sit on a bin's centre, where the plain transform measures them exactly.
double ClusterWatts(const Cluster& c, const std::vector<double>& hann,
                    const std::vector<double>& plain) {
    const bool edge = c.lo <= 2 || c.hi >= 4094;
    return WattsInBins(edge ? plain : hann, c.lo, c.hi);
}

struct Measured {
    std::vector<Cluster> clusters;
    std::vector<double> meanHann;  // watts per bin, mean over the ticks
    double pout = 0, poutError = 0;
};

double StandardError(double sum, double squares) {
    const double mean = sum / kTicks;
    const double variance = std::max(0.0, squares / kTicks - mean * mean);
    return std::sqrt(variance / (kTicks - 1));
}

Measured Measure(const DrawnChain& chain, const TestPointPrediction& output) {
    Measured m{Clusters(output), std::vector<double>(kSampleCount, 0.0)};
    UniformRandom random;
    ReceiverEngine engine(random);
    double squares = 0;
    for (int tick = 0; tick < kTicks; ++tick) {
        const double pout = engine.RunTick(chain.snapshot, {});
        m.pout += pout;
        squares += pout * pout;
        const std::vector<double> hann = WindowedWatts(engine.Signal());
        const std::vector<double> plain = WindowedWatts(engine.Signal(), false);
        for (Cluster& c : m.clusters) {
            const double w = ClusterWatts(c, hann, plain);
            c.sum += w;
            c.squares += w * w;
        }
        for (std::size_t k = 0; k < kSampleCount; ++k)
            m.meanHann[k] += hann[k] / kTicks;
    }
    m.poutError = StandardError(m.pout, squares);
    m.pout /= kTicks;
    return m;
}

std::string Text(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", x);
    return text;
}

// Why a chain is outside the tolerance, or empty.
std::string LineFault(const TestPointPrediction& p, const Measured& m) {
    if (p.lines.empty()) return {};
    const double strongest = p.lines.front().watts;
    for (const Cluster& c : m.clusters) {
        if (c.approximate || c.strongest < kComparedLines * strongest) continue;
        if (Db(c.lineWatts / c.noiseWatts) < kAboveNoise) continue;
        const double mean = c.sum / kTicks;
        const double error = Db(mean / (c.lineWatts + c.noiseWatts));
        const double allowed = kLineDb + 3 * Db(1 + StandardError(c.sum, c.squares) / mean);
        if (!(std::abs(error) <= allowed))
            return "line at bin " + std::to_string((c.lo + c.hi) / 2) + " off by " + Text(error) +
                   " dB";
    }
    return {};
}

// A peak of the measured spectrum within 30 dB of its strongest, clear of the noise, that no
// predicted line explains.
std::string MissingPeak(const TestPointPrediction& p, const Measured& m) {
    std::vector<double> around(4097), noise(4097);
    for (long b = 0; b <= 4096; ++b) {
        around[static_cast<std::size_t>(b)] =
            WattsInBins(m.meanHann, b - kHalfWidth, b + kHalfWidth);
        for (long k = std::max(0L, b - kHalfWidth); k <= std::min(4096L, b + kHalfWidth); ++k)
            noise[static_cast<std::size_t>(b)] += p.noiseBins[static_cast<std::size_t>(k)] +
                                                  p.spreadBins[static_cast<std::size_t>(k)];
    }
    const double strongest = *std::max_element(around.begin(), around.end());
    for (long b = 0; b <= 4096; ++b) {
        const auto i = static_cast<std::size_t>(b);
        const bool peak =
            (b == 0 || around[i] >= around[i - 1]) && (b == 4096 || around[i] >= around[i + 1]);
        // A silent spectrum has no peak to miss.
        if (!peak || !(around[i] > 0) || around[i] < kMissedPeaks * strongest ||
            Db(around[i] / noise[i]) < kAboveNoise)
            continue;
        const bool explained = std::any_of(p.lines.begin(), p.lines.end(), [&](const auto& l) {
            return std::abs(BinOf(l.frequencyMHz) - b) <= kHalfWidth + 1;
        });
        if (!explained) return "unpredicted peak at bin " + std::to_string(b);
    }
    return {};
}

std::string PoutFault(const ChainPrediction& prediction, const Measured& m) {
    const double predicted = prediction.PoutWatts();
    if (std::abs(m.pout - predicted) <= kPoutShare * predicted + 3 * m.poutError) return {};
    return "Pout " + Text(m.pout) + " W against " + Text(predicted);
}

// The chain in words, for a failure's message.
std::string Described(const DrawnChain& c) {
    std::string text =
        "architecture " + std::to_string(static_cast<int>(c.architecture)) +
        (c.snapshot.noise.Working ? ", noise " + Text(c.snapshot.noise.Temperature) + " K"
                                  : ", noise off");
    for (const OscillatorSettings& o : c.snapshot.oscillators) {
        if (o.Power != kSourceOff)
            text += "\n  tone " + Text(o.Frequency) + " MHz, " + Text(o.Power) + " dBnW";
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const SlotSettings& in = c.snapshot.chainSlots[static_cast<std::size_t>(slot)];
        if (!in.switchedIn || in.stageCount == 0) continue;
        const StageSettings& s = in.stages[0];
        text +=
            "\n  slot " + std::to_string(slot) + ": gain " + Text(s.Gain) + ", NF " + Text(s.NF);
        if (s.kind == StageKind::Filter)
            text += ", filter " + Text(s.CentreFreq) + " MHz, " + Text(s.Bandwidth) + " MHz wide";
        else
            text += ", IP3 " + Text(s.IP3);
        if (s.kind == StageKind::Mixer)
            text += ", LO " + Text(s.LO_Freq) + (s.Switching ? " switching" : " multiplying");
    }
    return text;
}

struct Counts {
    int right = 0, needlessAlarm = 0, flaggedOff = 0, missed = 0;
};

void RunSeed(std::uint64_t seed) {
    Draw draw(seed);
    Counts counts;
    // Wall time, and the processor's time, which other work on a shared machine does not add to.
    std::vector<double> milliseconds, processor;
    for (int n = 0; n < kRandomChains; ++n) {
        const DrawnChain chain = DrawChain(draw);
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t ticks = std::clock();
        const ChainPrediction prediction = PredictChain(chain.snapshot, chain.architecture);
        processor.push_back(1e3 * static_cast<double>(std::clock() - ticks) / CLOCKS_PER_SEC);
        milliseconds.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        const TestPointPrediction& output = prediction.At(kPredictedTestPoints);
        const Measured m = Measure(chain, output);
        std::string fault = PoutFault(prediction, m);
        if (fault.empty()) fault = LineFault(output, m);
        if (fault.empty()) fault = MissingPeak(output, m);
        if (output.nonlinear) {
            ++(fault.empty() ? counts.needlessAlarm : counts.flaggedOff);
        } else if (fault.empty()) {
            ++counts.right;
        } else {
            ++counts.missed;
            ADD_FAILURE() << "seed " << seed << ", chain " << n << ": " << fault << "\n"
                          << Described(chain);
        }
    }
    std::printf(
        "seed %llu: %d chains, %d right, %d flagged and off, %d flagged needlessly, "
        "%d off unflagged\n",
        static_cast<unsigned long long>(seed), kRandomChains, counts.right, counts.flaggedOff,
        counts.needlessAlarm, counts.missed);
    for (std::vector<double>* times : {&milliseconds, &processor}) {
        const auto slowest = std::max_element(times->begin(), times->end());
        const double worst = *slowest;
        const auto worstChain = slowest - times->begin();
        std::nth_element(times->begin(), times->begin() + kRandomChains / 2, times->end());
        std::printf(
            "seed %llu: prediction takes %.2f ms per chain, at most %.2f ms (chain %ld)%s\n",
            static_cast<unsigned long long>(seed), (*times)[kRandomChains / 2], worst,
            static_cast<long>(worstChain), times == &processor ? " of processor time" : "");
    }
    EXPECT_EQ(counts.missed, 0);
    EXPECT_LE(counts.needlessAlarm, kRandomChains / 10) << "seed " << seed;
}

// Of 300 chains per seed none is off unflagged; 25, 18 and 23 are flagged needlessly.
TEST(RandomChains, RightOrFlaggedOnSeed1) {
    RunSeed(1);
}
TEST(RandomChains, RightOrFlaggedOnSeed2) {
    RunSeed(2);
}
TEST(RandomChains, RightOrFlaggedOnSeed3) {
    RunSeed(3);
}

}  // namespace
}  // namespace quorvane
