#include "analysis/LocalOscillator.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <vector>

#include "engine/Elementary.h"
#include "engine/SignalBuffer.h"
#include "engine/StageModel.h"
#include "engine/Waveform.h"

namespace quorvane::analysis {

namespace {

constexpr int kLongestPeriod = 1024;
// Harmonics weaker than this share of the strongest line are left out: what they make lies
// 60 dB or more below the main product of the same signal line, where the test points stop
// listing lines. Without a short period, the series is summed to its 199th harmonic.
constexpr double kWeakestHarmonic = 1e-3;
constexpr int kHighestHarmonic = 199;
Line LoLine(double mhz, std::complex<double> phasor, int mixer, int harmonic) {
    Line line;
    line.mhz = mhz;
    line.phasor = phasor;
    line.origin.recipe = BaseRecipe(LoBase(mixer), harmonic);
    if (FoldMHz(line.mhz)) {
        line.phasor = std::conj(line.phasor);
        line.origin.recipe = -line.origin.recipe;
    }
    return line;
}

// The shortest period, in samples, over which the signs repeat throughout the buffer; 0 if
// none up to kLongestPeriod does.
int SignPeriod(const std::vector<double>& signs, double loMHz) {
    // So many cycles per sample that the phase keeps no digits after the point: no period.
    if (!(std::abs(loMHz) < 1e9)) return 0;
    for (int p = 1; p <= kLongestPeriod; ++p) {
        const double cycles = loMHz * p / kSamplingMHz;
        if (std::abs(cycles - std::round(cycles)) > 1e-6) continue;
        bool repeats = true;
        for (std::size_t i = static_cast<std::size_t>(p); i < signs.size() && repeats; ++i)
            repeats = signs[i] == signs[i - static_cast<std::size_t>(p)];
        if (repeats) return p;
    }
    return 0;
}

// The inverse of k modulo p (k and p have no common factor, p being the shortest period).
int InverseModulo(int k, int p) {
    for (int n = 1; n < p; ++n) {
        if ((static_cast<long>(k) * n) % p == 1) return n;
    }
    return 1;
}

// Exact lines of a sign sequence that repeats every p samples: its period's transform. Line j
// lies at j 80/p MHz, where harmonic n of the LO (k cycles in p samples) lands when
// n k = j (mod p); n is taken between -p/2 and p/2.
LineSet PeriodLines(const std::vector<double>& signs, int p, double loMHz, int mixer) {
    const int cycles = static_cast<int>(std::lround(loMHz * p / kSamplingMHz) % p);
    const int inverse = InverseModulo(cycles, p);
    std::vector<std::complex<double>> twiddle(static_cast<std::size_t>(p));
    for (int m = 0; m < p; ++m)
        twiddle[static_cast<std::size_t>(m)] = std::complex<double>(
            math::Cos(-2.0 * std::numbers::pi * m / p), math::Sin(-2.0 * std::numbers::pi * m / p));
    LineSet lines;
    for (int j = 0; j <= p / 2; ++j) {
        std::complex<double> sum = 0;
        for (int i = 0; i < p; ++i)
            sum += signs[static_cast<std::size_t>(i)] *
                   twiddle[static_cast<std::size_t>((static_cast<long>(j) * i) % p)];
        sum /= static_cast<double>(p);
        const bool single = j == 0 || 2 * j == p;  // DC and 40 MHz have no mirror partner
        const std::complex<double> phasor = single ? sum : 2.0 * sum;
        if (math::Abs(phasor) < 1e-12) continue;
        int harmonic = static_cast<int>((static_cast<long>(j) * inverse) % p);
        if (harmonic > p / 2) harmonic -= p;
        lines.push_back(LoLine(j * kSamplingMHz / p, phasor, mixer, harmonic));
    }
    return lines;
}

// The square wave's Fourier series: sign(cos x) = 4/pi (cos x - cos 3x / 3 + cos 5x / 5 ...).
LineSet HarmonicLines(double loMHz, int mixer) {
    const double f = WaveformFrequencyMHz(loMHz);
    LineSet lines;
    for (int n = 1; n <= kHighestHarmonic; n += 2) {
        const double sign = (n / 2) % 2 == 0 ? 1.0 : -1.0;
        lines.push_back(LoLine(n * f, sign * 4.0 / (n * std::numbers::pi), mixer, n));
    }
    return lines;
}

}  // namespace

bool SampledThroughout(double mhz) {
    const double lastPhase = mhz * 1e6 * static_cast<double>(kSampleCount - 1) * kSampleInterval *
                             2.0 * std::numbers::pi;
    return std::isfinite(lastPhase);
}

LoWave MultiplyingLo(double loMHz, int mixer) {
    LoWave lo;
    lo.approximate = std::abs(loMHz) > kLargestCleanMHz;
    if (!SampledThroughout(loMHz)) return lo;  // the engine's cosine is 0 throughout
    lo.lines.push_back(LoLine(WaveformFrequencyMHz(loMHz), 1.0, mixer, 1));
    Normalise(lo.lines, 0);
    lo.meanSquare = AtDcOrNyquist(lo.lines.front().mhz) ? 1.0 : 0.5;
    lo.smallestSample = 0;
    return lo;
}

LoWave SwitchingLo(double loMHz, int mixer) {
    LoWave lo;
    std::vector<double> signs(kSampleCount);
    lo.smallestSample = 1;
    double squares = 0;
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        const double sample = UnitCosine(loMHz, i);
        signs[i] = SwitchingFactor(sample);
        lo.magnitudes.push_back(std::abs(sample));
        squares += signs[i] * signs[i];
        lo.smallestSample = std::min(lo.smallestSample, std::abs(sample));
    }
    lo.meanSquare = squares / static_cast<double>(kSampleCount);
    if (lo.meanSquare == 0) return lo;
    const int period = SignPeriod(signs, loMHz);
    if (period > 0) {
        lo.lines = PeriodLines(signs, period, loMHz, mixer);
    } else {
        // Without a short period the folded harmonics fall everywhere, a few of them close to
        // each line: the levels are a close guide, not exact.
        lo.lines = HarmonicLines(loMHz, mixer);
        lo.approximate = true;
    }
    Normalise(lo.lines, kWeakestHarmonic * Strongest(lo.lines));
    lo.samples = std::move(signs);
    return lo;
}

}  // namespace quorvane::analysis
