#include "analysis/NoiseDensity.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "engine/Elementary.h"
#include "engine/SignalBuffer.h"

namespace quorvane::analysis {

namespace {

constexpr int kBins = static_cast<int>(kSampleCount);
constexpr int kHalf = kBins / 2;
// LO lines carrying less than this share of its power are spread evenly instead of shifted.
constexpr double kWeakestShift = 1e-4;

// Adds weight x the density moved up by `shift` bins, circularly; a shift between bins is split
// between the two neighbours.
void AddShifted(std::vector<double>& out, const std::vector<double>& in, double shift,
                double weight, std::vector<double>* roots) {
    const double whole = std::floor(shift);
    const double part = shift - whole;
    long from = -static_cast<long>(whole) % kBins;  // the bin that lands on bin 0
    if (from < 0) from += kBins;
    // Output bin k reads input bins a = from + k and b = a - 1, both circular: the loops run over
    // stretches where neither wraps, so that they stay simple.
    const double keep = 1 - part;
    std::size_t k = 0;
    auto run = [&](std::size_t a, std::size_t b, std::size_t count) {
        const double* pa = in.data() + a;
        const double* pb = in.data() + b;
        double* po = out.data() + k;
        for (std::size_t n = 0; n < count; ++n)
            po[n] += weight * (keep * pa[n] + part * pb[n]);
        if (roots) {
            for (std::size_t n = 0; n < count; ++n)
                (*roots)[k + n] += std::sqrt(std::max(0.0, weight * (keep * pa[n] + part * pb[n])));
        }
        k += count;
    };
    const auto a0 = static_cast<std::size_t>(from);
    if (a0 == 0) {
        // Output 0 reads input 0 and the last; then every input is a + 0, b = a - 1.
        run(0, kSampleCount - 1, 1);
        run(1, 0, kSampleCount - 1);
    } else {
        run(a0, a0 - 1, kSampleCount - a0);  // a runs a0 .. N-1
        run(0, kSampleCount - 1, 1);         // a wraps to 0, b is the last
        run(1, 0, a0 - 1);                   // a runs 1 .. a0 - 1
    }
}

}  // namespace

NoiseDensity::NoiseDensity() : bins_(kSampleCount, 0.0) {}

void NoiseDensity::AddWhite(double sigmaVolts) {
    const double perBin = sigmaVolts * sigmaVolts / kReferenceOhms / kBins;
    for (double& b : bins_)
        b += perBin;
}

void NoiseDensity::Add(const NoiseDensity& other, double factor) {
    for (std::size_t k = 0; k < kSampleCount; ++k)
        bins_[k] += factor * other.bins_[k];
}

void NoiseDensity::AddAt(int bin, double watts) {
    bins_[static_cast<std::size_t>(bin)] += watts;
}

void NoiseDensity::Mask(const PassBand& band) {
    for (int k = 0; k <= kHalf; ++k) {
        if (PassBandKeepsBin(band, k)) continue;
        bins_[static_cast<std::size_t>(k)] = 0;
        bins_[static_cast<std::size_t>((kBins - k) % kBins)] = 0;
    }
}

void NoiseDensity::Scale(double factor) {
    for (double& b : bins_)
        b *= factor;
}

void NoiseDensity::Mix(const LineSet& lo, double meanSquare, NoiseDensity* overlap) {
    if (std::all_of(bins_.begin(), bins_.end(), [](double b) { return b == 0; })) return;
    std::vector<double> mixed(kSampleCount, 0.0);
    std::vector<double> rootSums;
    if (overlap) rootSums.assign(kSampleCount, 0.0);
    std::vector<double>* roots = overlap ? &rootSums : nullptr;
    double shifted = 0;
    for (const Line& line : lo) {
        const double a = math::Abs(line.phasor);
        const double shift = line.mhz / kBinMHz;
        if (AtDcOrNyquist(line.mhz)) {
            if (a * a < kWeakestShift * meanSquare) continue;
            AddShifted(mixed, bins_, shift, a * a, roots);
            shifted += a * a;
        } else {
            if (a * a / 2 < kWeakestShift * meanSquare) continue;
            AddShifted(mixed, bins_, shift, a * a / 4, roots);
            AddShifted(mixed, bins_, -shift, a * a / 4, roots);
            shifted += a * a / 2;
        }
    }
    for (std::size_t k = 0; overlap && k < kSampleCount; ++k)
        overlap->bins_[k] += std::max(0.0, rootSums[k] * rootSums[k] - mixed[k]);
    const double spread = std::max(0.0, meanSquare - shifted) * Total() / kBins;
    for (double& b : mixed)
        b += spread;
    bins_ = std::move(mixed);
}

double NoiseDensity::Total() const {
    return std::accumulate(bins_.begin(), bins_.end(), 0.0);
}

double NoiseDensity::PeakBound() const {
    double peak = 0;
    for (const double w : OneSided(1.0, NoiseDensity()))
        peak += std::sqrt(2.0 * kReferenceOhms * w);
    return peak;
}

std::vector<double> NoiseDensity::OneSided(double factor, const NoiseDensity& plus) const {
    auto at = [&](int k) {
        const auto i = static_cast<std::size_t>(k);
        return factor * bins_[i] + plus.bins_[i];
    };
    std::vector<double> oneSided(kHalf + 1);
    oneSided[0] = at(0);
    oneSided[kHalf] = at(kHalf);
    for (int k = 1; k < kHalf; ++k)
        oneSided[static_cast<std::size_t>(k)] = at(k) + at(kBins - k);
    return oneSided;
}

}  // namespace quorvane::analysis
