#pragma once

// Chains built the way the window builds them, and the measurements the prediction is
// checked against.

#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

#include "analysis/ChainPrediction.h"
#include "chain/Architecture.h"
#include "engine/ChainSnapshot.h"
#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"
#include "engine/nrFFT.h"

namespace quorvane::test {

inline constexpr Architecture kHomodyne = Architecture::Homodyne;
inline constexpr Architecture kSingle = Architecture::SingleConversion;
inline constexpr Architecture kDual = Architecture::DualConversion;

struct Tone {
    double mhz;
    double dBnW;
};

// One switched-in slot and the settings of the panel the architecture puts there.
struct SlotIn {
    int slot;
    double gain = 0;
    double nf = 0;
    double ip3 = 60;  // the panels' "Inf"
    double lo = 0;
    bool switching = false;
    double centre = 0;
    double bandwidth = 0;
};

// A filter, amplifier or mixer slot; each sets only what its kind has.
inline SlotIn Filter(int slot, double centre, double bandwidth, double gain = 0, double nf = 0) {
    return {slot, gain, nf, 60, 0, false, centre, bandwidth};
}
inline SlotIn Amp(int slot, double gain, double nf = 0, double ip3 = 60) {
    return {slot, gain, nf, ip3, 0, false, 0, 0};
}
inline SlotIn Mixer(int slot, double lo, bool switching = false, double gain = 0, double nf = 0,
                    double ip3 = 60) {
    return {slot, gain, nf, ip3, lo, switching, 0, 0};
}

// Every panel stands where the architecture puts it, as in the window; only the listed slots
// are switched in. Panels of unlisted slots keep the values a test does not care about.
inline ChainSnapshot BuildChain(Architecture architecture, const std::vector<Tone>& tones,
                                const std::vector<SlotIn>& in, double noiseKelvin = -1) {
    ChainSnapshot snapshot;
    for (std::size_t k = 0; k < tones.size() && k < 3; ++k)
        snapshot.oscillators[k] = {tones[k].mhz, tones[k].dBnW, 0};
    snapshot.noise = {noiseKelvin < 0 ? 290.0 : noiseKelvin,
                      static_cast<std::int16_t>(noiseKelvin >= 0)};
    const Arrangement& arrangement = ArrangementFor(architecture);
    for (int slot = 0; slot < arrangement.filledSlots; ++slot) {
        StageSettings s;
        s.kind = arrangement.assignments[static_cast<std::size_t>(slot)].stage.kind;
        s.index = static_cast<std::int16_t>(
            arrangement.assignments[static_cast<std::size_t>(slot)].stage.index);
        s.Gain = 0;
        s.NF = 0;
        s.IP3 = 60;
        s.LO_Freq = 6;
        s.CentreFreq = 5;
        s.Bandwidth = 2;
        SlotSettings& target = snapshot.chainSlots[static_cast<std::size_t>(slot)];
        for (const SlotIn& i : in) {
            if (i.slot != slot) continue;
            target.switchedIn = true;
            s.Gain = i.gain;
            s.NF = i.nf;
            s.IP3 = i.ip3;
            s.LO_Freq = i.lo;
            s.Switching = i.switching;
            s.CentreFreq = i.centre;
            s.Bandwidth = i.bandwidth;
        }
        target.stages[0] = s;
        target.stageCount = 1;
    }
    return snapshot;
}

// The eight test points' buffers of one tick.
inline std::vector<SignalBuffer> RunOnce(ReceiverEngine& engine, const ChainSnapshot& snapshot,
                                         double* watts = nullptr) {
    std::vector<SignalBuffer> points(8);
    const double pout = engine.RunTick(snapshot, [&](std::int16_t n, const SignalBuffer& signal) {
        points[static_cast<std::size_t>(n - 1)] = signal;
    });
    if (watts) *watts = pout;
    return points;
}

// Watts in each of the 8192 bins of a Hann-windowed transform, scaled so that a sine's two
// lobes, each summed over a few bins, add up to its power: |Y|^2 / (N sum w^2) / 50. Without
// the window, a sine on a bin's centre falls in that bin and its mirror alone.
inline std::vector<double> WindowedWatts(const SignalBuffer& signal, bool hann = true) {
    constexpr int n = static_cast<int>(kSampleCount);
    std::vector<double> work(2 * n, 0.0);
    double energy = 0;
    for (int i = 0; i < n; ++i) {
        const double w = hann ? 0.5 * (1 - std::cos(2 * std::numbers::pi * i / n)) : 1.0;
        work[2 * static_cast<std::size_t>(i)] = w * signal[static_cast<std::size_t>(i)];
        energy += w * w;
    }
    nrFFT::FFT(work.data(), n, 0);
    std::vector<double> watts(n);
    for (int k = 0; k < n; ++k) {
        const auto i = 2 * static_cast<std::size_t>(k);
        watts[static_cast<std::size_t>(k)] =
            (work[i] * work[i] + work[i + 1] * work[i + 1]) / (n * energy) / kReferenceOhms;
    }
    return watts;
}

// Watts in the one-sided bins lo .. hi (clamped to 0 .. 4096), both halves of the transform,
// each bin once.
inline double WattsInBins(const std::vector<double>& watts, long lo, long hi) {
    constexpr long n = static_cast<long>(kSampleCount);
    std::vector<bool> taken(static_cast<std::size_t>(n), false);
    double sum = 0;
    for (long b = lo; b <= hi; ++b) {
        for (const long k : {b, -b}) {
            const auto i = static_cast<std::size_t>(((k % n) + n) % n);
            if (taken[i]) continue;
            taken[i] = true;
            sum += watts[i];
        }
    }
    return sum;
}

inline long BinOf(double mhz) {
    return std::lround(mhz * 1e6 / kBinWidth);
}

inline double Db(double ratio) {
    return 10 * std::log10(ratio);
}

}  // namespace quorvane::test
