#include "analysis/StageEffects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/Elementary.h"
#include "engine/SignalBuffer.h"
#include "engine/Waveform.h"

namespace quorvane::analysis {

namespace {

constexpr int kBins = static_cast<int>(kSampleCount);
constexpr int kEdgeReach = 10;  // bins within which a band edge cuts a line's spread
// A line's spread is summed over this many bins either side; beyond them it holds less than
// 0.1 % of its energy.
constexpr int kSpreadReach = 256;
// The polynomial multiplies out the strongest lines only, and keeps the strongest products of
// each power: enough for every product within 60 dB, and a bound on the work however many
// lines a chain makes.
constexpr std::size_t kFactorLines = 48;
constexpr std::size_t kProductLines = 256;

// The most a partial product of power j, per volt of it, can be worth in any term.
double Reach(const std::vector<Term>& terms, double amplitudeSum, int j) {
    double reach = 0;
    for (const Term& t : terms) {
        if (t.power >= j)
            reach = std::max(reach, t.coefficient * math::IntegerPower(amplitudeSum, t.power - j));
    }
    return reach;
}

void AppendScaled(LineSet& to, const LineSet& from, double factor) {
    for (Line line : from) {
        line.phasor *= factor;
        to.push_back(std::move(line));
    }
}

bool KeepsAround(const PassBand& band, long bin) {
    if (bin < 0) bin = -bin;
    if (bin > kBins / 2) bin = kBins - bin;
    return PassBandKeepsBin(band, static_cast<int>(bin));
}

bool SameAllAround(const PassBand& band, long bin) {
    const bool centre = KeepsAround(band, bin);
    for (long k = bin - kEdgeReach; k <= bin + kEdgeReach; ++k) {
        if (KeepsAround(band, k) != centre) return false;
    }
    return true;
}

// Sum over n of e^(2 pi i nu n / N) for n = 0 .. N-1.
std::complex<double> Dirichlet(double nu) {
    const double denominator = math::Sin(std::numbers::pi * nu / kBins);
    if (std::abs(denominator) < 1e-300) return static_cast<double>(kBins);
    // The ratio of sines changes sign from lobe to lobe: a complex built from it directly,
    // since std::polar leaves a negative magnitude undefined.
    const double magnitude = math::Sin(std::numbers::pi * nu) / denominator;
    const double phase = std::numbers::pi * nu * (kBins - 1) / kBins;
    return {magnitude * math::Cos(phase), magnitude * math::Sin(phase)};
}

// The share of a line's energy in the bins the filter keeps: the transform of
// Re(A e^(2 pi i beta n / N)) is A/2 D(beta - k) + conj(A)/2 D(-beta - k). Only the bins near
// the line and its mirror are summed.
double KeptShare(const Line& line, const PassBand& band) {
    const double beta = line.mhz / kBinMHz;
    std::vector<bool> seen(kBins, false);
    double kept = 0, total = 0;
    for (const double centre : {beta, -beta}) {
        const long first = std::lround(centre) - kSpreadReach;
        for (long j = first; j <= first + 2L * kSpreadReach; ++j) {
            const long k = ((j % kBins) + kBins) % kBins;
            if (seen[static_cast<std::size_t>(k)]) continue;
            seen[static_cast<std::size_t>(k)] = true;
            const double kd = static_cast<double>(k);
            const std::complex<double> x = line.phasor / 2.0 * Dirichlet(beta - kd) +
                                           std::conj(line.phasor) / 2.0 * Dirichlet(-beta - kd);
            const double energy = std::norm(x);
            total += energy;
            if (KeepsAround(band, k)) kept += energy;
        }
    }
    return total > 0 ? kept / total : 0;
}

}  // namespace

Products PolynomialTerms(const LineSet& x, const std::vector<Term>& terms, double floor,
                         int stage) {
    const double sum = AmplitudeSum(x);
    if (x.empty() || Reach(terms, sum, 1) * sum < floor) return {};
    int highest = 1;
    double sensitivity = 0;  // what one volt more in a factor can change the result by, at most
    for (const Term& t : terms) {
        highest = std::max(highest, t.power);
        sensitivity =
            std::max(sensitivity, t.power * t.coefficient * math::IntegerPower(sum, t.power - 1));
    }
    LineSet factor = x;
    Products products;
    products.leftOut = KeepStrongest(factor, kFactorLines) * sensitivity;
    LineSet power = factor;
    for (int j = 2; j <= highest; ++j) {
        const double reach = Reach(terms, sum, j);
        const double need = floor / reach;
        power = Multiply(power, factor, need, j, stage);
        Normalise(power, need);
        products.leftOut = std::max(products.leftOut, KeepStrongest(power, kProductLines) * reach);
        if (power.empty()) break;
        for (const Term& t : terms) {
            if (t.power == j) AppendScaled(products.lines, power, t.coefficient);
        }
    }
    Normalise(products.lines, floor);
    return products;
}

double StrongestNewThirdOrder(const LineSet& products, const LineSet& parents) {
    double strongest = 0;
    for (const Line& p : products) {
        if (p.origin.order != 3) continue;
        const bool itself = std::any_of(parents.begin(), parents.end(), [&](const Line& q) {
            return q.origin.recipe == p.origin.recipe;
        });
        if (!itself) strongest = std::max(strongest, math::Abs(p.phasor));
    }
    return strongest;
}

namespace {

// An origin carried through a mixer. `loCount` is how many times the LO enters the product.
Origin CarryOrigin(const Origin& o, const MixerSetting& mixer, int loCount, bool mirrored,
                   const Line& parent, double foldedLo, int wantedSide) {
    Origin c = o;
    if (c.kind == OriginKind::Image || c.kind == OriginKind::DcMix) c.kind = OriginKind::Linear;
    c.recipe = o.recipe + BaseRecipe(LoBase(mixer.mixer), loCount);
    if (mirrored) c.recipe = -c.recipe;
    const int side = parent.mhz > foldedLo ? 1 : (parent.mhz < foldedLo ? -1 : 0);
    if (parent.mhz == 0) {
        c.kind = OriginKind::DcMix;
        c.mixer = static_cast<std::int8_t>(mixer.mixer);
        c.harmonic = static_cast<std::int8_t>(std::abs(loCount));
    } else if (loCount == -1 && wantedSide != 0 && side == -wantedSide) {
        c.kind = OriginKind::Image;
        c.mixer = static_cast<std::int8_t>(mixer.mixer);
        c.above = side > 0;
    }
    return c;
}

}  // namespace

LineSet MixLines(const LineSet& y, const LoWave& lo, const MixerSetting& mixer, double floor) {
    const int base = LoBase(mixer.mixer);
    double foldedLo = WaveformFrequencyMHz(mixer.loMHz);
    FoldMHz(foldedLo);
    int wantedSide = 0;
    if (mixer.tunedMHz)
        wantedSide = *mixer.tunedMHz > foldedLo ? 1 : (*mixer.tunedMHz < foldedLo ? -1 : 0);

    LineSet out;
    for (const Line& a : y) {
        for (const Line& l : lo.lines) {
            if (math::Abs(a.phasor) * math::Abs(l.phasor) < floor) continue;
            const int n = l.origin.recipe.counts[static_cast<std::size_t>(base)];
            for (const bool sum : {true, false}) {
                Line p;
                p.mhz = sum ? a.mhz + l.mhz : a.mhz - l.mhz;
                p.phasor = 0.5 * a.phasor * (sum ? l.phasor : std::conj(l.phasor));
                const bool mirrored = FoldMHz(p.mhz);
                if (mirrored) p.phasor = std::conj(p.phasor);
                p.approximate = a.approximate || lo.approximate;
                const int loCount = sum ? n : -n;
                p.origin = CarryOrigin(a.origin, mixer, loCount, mirrored, a, foldedLo, wantedSide);
                for (const Origin& o : a.others)
                    p.others.push_back(
                        CarryOrigin(o, mixer, loCount, mirrored, a, foldedLo, wantedSide));
                p.moreOrigins = a.moreOrigins;
                out.push_back(std::move(p));
            }
        }
    }
    Normalise(out, floor);
    return out;
}

void FilterLines(LineSet& lines, const PassBand& band) {
    LineSet kept;
    kept.reserve(lines.size());
    for (Line& line : lines) {
        const double beta = line.mhz / kBinMHz;
        const long bin = std::lround(beta);
        if (OnBinCentre(line.mhz) || SameAllAround(band, bin)) {
            if (KeepsAround(band, bin)) kept.push_back(std::move(line));
            continue;
        }
        const double share = KeptShare(line, band);
        if (share <= 0) continue;
        line.phasor *= std::sqrt(share);
        line.approximate = true;
        kept.push_back(std::move(line));
    }
    lines = std::move(kept);
}

}  // namespace quorvane::analysis
