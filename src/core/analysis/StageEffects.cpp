#include "analysis/StageEffects.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "engine/Elementary.h"
#include "engine/SignalBuffer.h"
#include "engine/Waveform.h"

namespace quorvane::analysis {

namespace {

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
        double left = 0;
        power = Multiply(power, factor, need, j, stage, kProductLines, left);
        products.leftOut = std::max(products.leftOut, left * reach);
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
        a.push_back(math::Abs(l.phasor));
    std::stable_sort(a.begin(), a.end(), std::greater<>());
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

    std::vector<double> loAmplitudes;
    loAmplitudes.reserve(lo.lines.size());
    for (const Line& l : lo.lines)
        loAmplitudes.push_back(math::Abs(l.phasor));
    LineSet out;
    for (const Line& a : y) {
        const double amplitude = math::Abs(a.phasor);
        for (std::size_t m = 0; m < lo.lines.size(); ++m) {
            const Line& l = lo.lines[m];
            if (amplitude * loAmplitudes[m] < floor) continue;
            const int n = l.origin.recipe.counts[static_cast<std::size_t>(base)];
            for (const bool sum : {true, false}) {
                Line p;
                p.mhz = sum ? a.mhz + l.mhz : a.mhz - l.mhz;
                p.phasor = 0.5 * a.phasor * (sum ? l.phasor : std::conj(l.phasor));
                const bool mirrored = FoldMHz(p.mhz);
                if (mirrored) p.phasor = std::conj(p.phasor);
                p.approximate = a.approximate || lo.approximate;
                p.truncated = a.truncated || !a.confinedBy.empty();
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

}  // namespace quorvane::analysis
