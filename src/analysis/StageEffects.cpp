#include "analysis/StageEffects.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "engine/SignalBuffer.h"
#include "engine/Waveform.h"

namespace quorvane::analysis {

namespace {

constexpr int kBins = static_cast<int>(kSampleCount);
constexpr int kEdgeReach = 10;  // bins within which a band edge cuts a line's spread
// Leaks below this share of the strongest line's watts are not worked out.
constexpr double kNegligibleLeak = 1e-12;
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
            reach = std::max(reach, t.coefficient * std::pow(amplitudeSum, t.power - j));
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
    bin %= kBins;
    if (bin < 0) bin += kBins;
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

// Circular distance between two of the 8192 bins.
long BinDistance(long a, long b) {
    const long d = std::abs(a - b) % kBins;
    return std::min(d, kBins - d);
}

// What a filter keeps: its band, the one-sided bins 0 .. 4096 it keeps in ascending order, and
// the runs [first, last] of consecutive kept bins among all 8192.
struct Kept {
    PassBand band;
    std::vector<long> oneSided;
    std::vector<std::pair<long, long>> runs;
};

Kept KeptBins(const PassBand& band) {
    Kept kept{band, {}, {}};
    for (long k = 0; k <= kBins / 2; ++k) {
        if (PassBandKeepsBin(band, static_cast<int>(k))) kept.oneSided.push_back(k);
    }
    for (long k = 0; k < kBins; ++k) {
        if (!KeepsAround(band, k)) continue;
        if (!kept.runs.empty() && kept.runs.back().second == k - 1)
            kept.runs.back().second = k;
        else
            kept.runs.emplace_back(k, k);
    }
    return kept;
}

// How far, in bins, a line at `beta` stands from the nearest kept bin.
double DistanceToKept(const std::vector<long>& kept, double beta) {
    const auto above = std::lower_bound(kept.begin(), kept.end(), static_cast<long>(beta));
    double d = kBins;
    if (above != kept.end()) d = std::min(d, std::abs(static_cast<double>(*above) - beta));
    if (above != kept.begin())
        d = std::min(d, std::abs(beta - static_cast<double>(*std::prev(above))));
    return std::max(d, 0.5);
}

// A bound on the watts a line between bins leaks into the kept bins: its bins fall off as
// |A| |sin(pi beta)| / (pi d) with the distance d, so those from d on hold at most this much.
double LeakBound(const Line& line, const std::vector<long>& kept) {
    const double beta = line.mhz / kBinMHz;
    const double s = std::sin(std::numbers::pi * beta);
    const double d = DistanceToKept(kept, beta);
    return std::norm(line.phasor) * s * s / (std::numbers::pi * std::numbers::pi) * 4.0 / d / 100.0;
}

// sin(pi (nu - k) / N) for k = first, first + 1, ...: rotated one bin at a time.
class Denominator {
  public:
    Denominator(double nu, long first)
        : angle_(std::numbers::pi * (nu - static_cast<double>(first)) / kBins),
          s_(std::sin(angle_)),
          c_(std::cos(angle_)) {}
    double Value() const { return s_; }
    void Next() {
        const double s = s_ * kCos - c_ * kSin;
        c_ = c_ * kCos + s_ * kSin;
        s_ = s;
    }

  private:
    static inline const double kCos = std::cos(std::numbers::pi / kBins);
    static inline const double kSin = std::sin(std::numbers::pi / kBins);
    double angle_, s_, c_;
};

// The filter acting on one line between bins. Its transform, Re(A e^(2 pi i beta n / N)),
// reaches every bin k with A/2 D(beta - k) + conj(A)/2 D(-beta - k), where
// D(nu - k) = sin(pi nu) e^(i pi nu (N-1)/N) e^(i pi k/N) / sin(pi (nu - k)/N). The factor
// e^(i pi k/N) is the same for every line, so it is left out of what is added up. The kept
// bins within kEdgeReach of the line stay the line; what the others hold is added to `leak`,
// so that the leaks of several lines add as phasors.
void FilterBetweenBins(Line& line, const Kept& kept, std::vector<std::complex<double>>& leak) {
    const double beta = line.mhz / kBinMHz;
    const long bin = std::lround(beta);
    constexpr double kPhase = std::numbers::pi * (kBins - 1) / kBins;
    const std::complex<double> up =
        line.phasor / 2.0 * std::sin(std::numbers::pi * beta) * std::polar(1.0, kPhase * beta);
    const std::complex<double> down = std::conj(line.phasor) / 2.0 *
                                      std::sin(-std::numbers::pi * beta) *
                                      std::polar(1.0, -kPhase * beta);
    double near = 0;
    bool cut = false;
    for (long k = bin - kEdgeReach; k <= bin + kEdgeReach; ++k)
        cut = cut || !KeepsAround(kept.band, k);
    for (const auto& [first, last] : kept.runs) {
        Denominator a(beta, first), b(-beta, first);
        for (long k = first; k <= last; ++k, a.Next(), b.Next()) {
            const std::complex<double> x = up / a.Value() + down / b.Value();
            if (BinDistance(k, bin) <= kEdgeReach || BinDistance(k, -bin) <= kEdgeReach)
                near += std::norm(x) / (static_cast<double>(kBins) * kBins) / kReferenceOhms;
            else
                leak[static_cast<std::size_t>(k)] += x;
        }
    }
    const double full = LineWatts(line);
    line.phasor *= full > 0 ? std::sqrt(near / full) : 0.0;
    line.approximate = line.approximate || cut;
}

// Hands the leaks to `spread` as watts: a transform value X in one of the N bins stands for
// |X|^2 / N^2 / 50 watts.
void AddLeak(const std::vector<std::complex<double>>& leak, NoiseDensity& spread) {
    for (std::size_t k = 0; k < leak.size(); ++k) {
        const double w = std::norm(leak[k]) / (static_cast<double>(kBins) * kBins) / kReferenceOhms;
        if (w > 0) spread.AddAt(static_cast<int>(k), w);
    }
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
        sensitivity = std::max(sensitivity, t.power * t.coefficient * std::pow(sum, t.power - 1));
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
        if (!itself) strongest = std::max(strongest, std::abs(p.phasor));
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

namespace {

// How many pairs of a signal line and an LO line have a product of at least `floor`; both
// amplitude lists are in descending order.
std::size_t PairsAbove(const std::vector<double>& a, const std::vector<double>& b, double floor) {
    std::size_t pairs = 0, reach = b.size();
    for (const double x : a) {
        while (reach > 0 && x * b[reach - 1] < floor)
            --reach;
        pairs += reach;
    }
    return pairs;
}

std::vector<double> Amplitudes(const LineSet& lines) {
    std::vector<double> a;
    a.reserve(lines.size());
    for (const Line& l : lines)
        a.push_back(std::abs(l.phasor));
    std::sort(a.begin(), a.end(), std::greater<>());
    return a;
}

// The floor raised until no more pairs reach it than the chain can follow: only the strongest
// few hundred lines are kept after a stage, so weaker products would be dropped anyway.
double MixFloor(const LineSet& y, const LineSet& lo, double floor) {
    constexpr std::size_t kMostPairs = 8192;
    const std::vector<double> a = Amplitudes(y), b = Amplitudes(lo);
    while (PairsAbove(a, b, floor) > kMostPairs)
        floor *= 2;
    return floor;
}

}  // namespace

LineSet MixLines(const LineSet& y, const LoWave& lo, const MixerSetting& mixer, double floor) {
    floor = MixFloor(y, lo.lines, floor);
    const int base = LoBase(mixer.mixer);
    double foldedLo = WaveformFrequencyMHz(mixer.loMHz);
    FoldMHz(foldedLo);
    int wantedSide = 0;
    if (mixer.tunedMHz)
        wantedSide = *mixer.tunedMHz > foldedLo ? 1 : (*mixer.tunedMHz < foldedLo ? -1 : 0);

    LineSet out;
    for (const Line& a : y) {
        for (const Line& l : lo.lines) {
            if (std::abs(a.phasor) * std::abs(l.phasor) < floor) continue;
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

void FilterLines(LineSet& lines, const PassBand& band, NoiseDensity& spread) {
    const Kept kept = KeptBins(band);
    double reference = 0;  // the strongest thing the filter leaves, or could
    for (const Line& line : lines)
        reference = std::max(reference, LineWatts(line));
    LineSet out;
    out.reserve(lines.size());
    std::vector<std::complex<double>> leak;
    for (Line& line : lines) {
        const long bin = std::lround(line.mhz / kBinMHz);
        if (OnBinCentre(line.mhz) || (SameAllAround(band, bin) && KeepsAround(band, bin))) {
            if (KeepsAround(band, bin)) out.push_back(std::move(line));
            continue;
        }
        if (LeakBound(line, kept.oneSided) < kNegligibleLeak * reference) continue;
        if (leak.empty()) leak.assign(kSampleCount, 0.0);
        FilterBetweenBins(line, kept, leak);
        if (std::abs(line.phasor) > 0) out.push_back(std::move(line));
    }
    lines = std::move(out);
    AddLeak(leak, spread);
}

}  // namespace quorvane::analysis
