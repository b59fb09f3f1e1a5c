#include "analysis/Lines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

#include "engine/Elementary.h"

namespace quorvane::analysis {

bool Recipe::IsZero() const {
    return std::all_of(counts.begin(), counts.end(), [](std::int16_t c) { return c == 0; });
}

Recipe Recipe::operator+(const Recipe& other) const {
    Recipe r;
    for (int b = 0; b < kBases; ++b)
        r.counts[b] = static_cast<std::int16_t>(counts[b] + other.counts[b]);
    return r;
}

Recipe Recipe::operator-(const Recipe& other) const {
    return *this + -other;
}

Recipe Recipe::operator-() const {
    Recipe r;
    for (int b = 0; b < kBases; ++b)
        r.counts[b] = static_cast<std::int16_t>(-counts[b]);
    return r;
}

Recipe BaseRecipe(int base, int count) {
    Recipe r;
    r.counts[base] = static_cast<std::int16_t>(count);
    return r;
}

bool FoldMHz(double& mhz) {
    // fmod is exact, and within one sampling rate either side it returns its argument.
    double f = std::abs(mhz) < kSamplingMHz ? mhz : std::fmod(mhz, kSamplingMHz);
    if (f < 0) f += kSamplingMHz;
    bool mirrored = false;
    if (f > kNyquistMHz) {
        f = kSamplingMHz - f;
        mirrored = true;
    }
    if (f < kSameFrequencyMHz) f = 0;
    if (f > kNyquistMHz - kSameFrequencyMHz) f = kNyquistMHz;
    mhz = f;
    return mirrored;
}

bool AtDcOrNyquist(double mhz) {
    return mhz == 0 || mhz == kNyquistMHz;
}

bool OnBinCentre(double mhz) {
    constexpr double kBinCentre = 1e-4;
    const double bins = mhz / kBinMHz;
    return std::abs(bins - std::round(bins)) < kBinCentre;
}

double LineWatts(const Line& line) {
    const double a = math::Abs(line.phasor);
    return AtDcOrNyquist(line.mhz) ? a * a / 50.0 : a * a / 100.0;
}

namespace {

constexpr double kBufferBins = static_cast<double>(kSampleCount);
// Lines further apart than this many bins beat by less than 1/(pi 16) of their product.
constexpr double kBeatReach = 16;

// The mean of e^(2 pi i nu n / N) over the buffer's samples n = 0 .. N-1.
std::complex<double> Kernel(double nu) {
    const double denominator = kBufferBins * math::Sin(std::numbers::pi * nu / kBufferBins);
    const double phase = std::numbers::pi * nu * (kBufferBins - 1) / kBufferBins;
    if (std::abs(denominator) < 1e-12) return math::UnitPhasor(phase);
    return math::UnitPhasor(phase) * (math::Sin(std::numbers::pi * nu) / denominator);
}

// Twice the mean of Re(A e^(i a n)) Re(B e^(i b n)): Re(A conj(B) K(a - b) + A B K(a + b)).
double PairProduct(const Line& x, const Line& y) {
    const double a = x.mhz / kBinMHz, b = y.mhz / kBinMHz;
    double sum = (x.phasor * std::conj(y.phasor) * Kernel(a - b)).real();
    if (a + b < kBeatReach || a + b > kBufferBins - kBeatReach)
        sum += (x.phasor * y.phasor * Kernel(a + b)).real();
    return sum;
}

}  // namespace

double BufferWatts(const LineSet& lines) {
    double meanSquare = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        meanSquare += PairProduct(lines[i], lines[i]) / 2;
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            if ((lines[j].mhz - lines[i].mhz) / kBinMHz > kBeatReach) break;
            meanSquare += PairProduct(lines[i], lines[j]);
        }
    }
    return std::max(0.0, meanSquare) / kReferenceOhms;
}

double Strongest(const LineSet& lines) {
    double strongest = 0;
    for (const Line& l : lines) {
        const double a = math::Abs(l.phasor);
        if (std::isfinite(a)) strongest = std::max(strongest, a);
    }
    return strongest;
}

double AmplitudeSum(const LineSet& lines) {
    double sum = 0;
    for (const Line& l : lines)
        sum += math::Abs(l.phasor);
    return sum;
}

namespace {

// Adds an origin unless its recipe is known already; beyond kMostOrigins it is only counted.
void AddOrigin(std::vector<Origin>& origins, int& more, const Origin& o) {
    // Recipes compared as their bytes (equal counts are equal bytes), without a call per pair.
    const auto bytes = [](const Recipe& r) {
        std::array<std::uint64_t, 2> b{};
        std::memcpy(b.data(), r.counts.data(), sizeof r.counts);
        return b;
    };
    const std::array<std::uint64_t, 2> wanted = bytes(o.recipe);
    const bool known = std::any_of(origins.begin(), origins.end(),
                                   [&](const Origin& k) { return bytes(k.recipe) == wanted; });
    if (known) return;
    if (origins.size() < kMostOrigins)
        origins.push_back(o);
    else
        ++more;
}

// Adds the lines [first, last) of one frequency, strongest first, into one line.
Line MergeGroup(LineSet::iterator first, LineSet::iterator last) {
    Line merged = std::move(*first);
    std::vector<Origin> origins{merged.origin};
    int more = merged.moreOrigins;
    for (const Origin& o : merged.others)
        AddOrigin(origins, more, o);
    for (auto it = first + 1; it != last; ++it) {
        merged.phasor += it->phasor;
        merged.approximate = merged.approximate || it->approximate;
        merged.truncated = merged.truncated || it->truncated || it->confinedBy != merged.confinedBy;
        AddOrigin(origins, more, it->origin);
        for (const Origin& o : it->others)
            AddOrigin(origins, more, o);
        more += it->moreOrigins;
    }
    merged.origin = origins.front();
    merged.others.assign(origins.begin() + 1, origins.end());
    merged.moreOrigins = more;
    return merged;
}

// The indices 0 .. n-1 in a stable order of key(i), ascending or descending. The keys are
// sorted beside their indices, which is faster than looking them up in each comparison.
template <typename Key>
std::vector<std::size_t> StableOrder(std::size_t n, Key key, bool descending) {
    std::vector<std::pair<double, std::size_t>> keyed(n);
    for (std::size_t k = 0; k < n; ++k)
        keyed[k] = {key(k), k};
    if (descending) {
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
    } else {
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    std::vector<std::size_t> order(n);
    for (std::size_t k = 0; k < n; ++k)
        order[k] = keyed[k].second;
    return order;
}

}  // namespace

void Normalise(LineSet& lines, double floor) {
    // A line that overflowed has no level to compare or add: it is dropped before sorting.
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const Line& l) {
                                   return !std::isfinite(l.phasor.real()) ||
                                          !std::isfinite(l.phasor.imag()) || !std::isfinite(l.mhz);
                               }),
                lines.end());
    // Lines are heavy to move: their order by frequency is found on their indices, and equal
    // frequencies keep their given order, as a stable sort of the lines would.
    std::vector<std::size_t> order = StableOrder(
        lines.size(), [&](std::size_t k) { return lines[k].mhz; }, false);
    LineSet merged;
    merged.reserve(lines.size());
    LineSet group;
    for (std::size_t first = 0; first < order.size();) {
        std::size_t last = first + 1;
        while (last < order.size() &&
               lines[order[last]].mhz - lines[order[first]].mhz < kSameFrequencyMHz)
            ++last;
        Line line;
        if (last - first == 1) {
            line = std::move(lines[order[first]]);
        } else {
            group.clear();
            std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(first),
                             order.begin() + static_cast<std::ptrdiff_t>(last),
                             [&](std::size_t a, std::size_t b) {
                                 return std::norm(lines[a].phasor) > std::norm(lines[b].phasor);
                             });
            for (std::size_t k = first; k < last; ++k)
                group.push_back(std::move(lines[order[k]]));
            line = MergeGroup(group.begin(), group.end());
        }
        // At 0 and 40 MHz the samples see only the real part: cos(0 + phase), cos(pi n + phase).
        if (AtDcOrNyquist(line.mhz)) line.phasor = line.phasor.real();
        const double amplitude = math::Abs(line.phasor);
        if (amplitude >= floor && amplitude > 0) merged.push_back(std::move(line));
        first = last;
    }
    lines = std::move(merged);
}

double KeepStrongest(LineSet& lines, std::size_t count) {
    if (lines.size() <= count) return 0;
    // A stable order, not a selection: which of equally strong lines stay is then the same
    // with every standard library.
    std::vector<std::size_t> order = StableOrder(
        lines.size(), [&](std::size_t k) { return std::norm(lines[k].phasor); }, true);
    const double left = math::Abs(lines[order[count]].phasor);
    order.resize(count);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return lines[a].mhz < lines[b].mhz; });
    LineSet kept;
    kept.reserve(count);
    for (const std::size_t k : order)
        kept.push_back(std::move(lines[k]));
    lines = std::move(kept);
    return left;
}

namespace {

std::vector<const Line*> ByAmplitude(const LineSet& lines) {
    std::vector<const Line*> sorted;
    sorted.reserve(lines.size());
    for (const Line& l : lines)
        sorted.push_back(&l);
    std::stable_sort(sorted.begin(), sorted.end(), [](const Line* a, const Line* b) {
        return std::norm(a->phasor) > std::norm(b->phasor);
    });
    return sorted;
}

// Re(A e^(i a t)) Re(B e^(i b t)) = Re(AB e^(i(a+b)t)) / 2 + Re(A conj(B) e^(i(a-b)t)) / 2.
Line Product(const Line& x, const Line& y, bool sum, int order, int stage) {
    Line p;
    p.mhz = sum ? x.mhz + y.mhz : x.mhz - y.mhz;
    p.phasor = 0.5 * x.phasor * (sum ? y.phasor : std::conj(y.phasor));
    Recipe recipe = sum ? x.origin.recipe + y.origin.recipe : x.origin.recipe - y.origin.recipe;
    if (FoldMHz(p.mhz)) {
        p.phasor = std::conj(p.phasor);
        recipe = -recipe;
    }
    p.approximate = x.approximate || y.approximate;
    p.truncated = x.truncated || y.truncated || !x.confinedBy.empty() || !y.confinedBy.empty();
    p.origin.recipe = recipe;
    p.origin.kind = OriginKind::Product;
    p.origin.order = static_cast<std::int8_t>(order);
    p.origin.stage = static_cast<std::int8_t>(stage);
    return p;
}

}  // namespace

namespace {

// A product as far as Normalise and KeepStrongest look at it: its frequency, phasor and power,
// and the operands (by their place in order of amplitude) and the side that made it.
struct BareProduct {
    double mhz = 0;
    std::complex<double> phasor;
    double norm = 0;
    std::size_t x = 0, y = 0;
    bool sum = false;
    bool mirrored = false;
};

// The products of one frequency added up: `members` [first, last) of the products in order of
// frequency, the strongest first.
struct BareLine {
    double mhz = 0;
    std::complex<double> phasor;
    std::size_t first = 0, last = 0;
};

}  // namespace

// The products' indices in a stable order of frequency: counted out into buckets a bin wide, in
// the order made, then each bucket sorted by frequency and, among equals, by that order. Products
// gather on a few frequencies, so the buckets are small.
std::vector<std::size_t> OrderOfFrequency(const std::vector<BareProduct>& products) {
    constexpr std::size_t kBuckets = kSampleCount / 2 + 1;
    constexpr double kPerMHz = 1 / kBinMHz;
    const std::size_t n = products.size();
    std::vector<std::size_t> bucket(n), start(kBuckets + 1, 0);
    for (std::size_t k = 0; k < n; ++k) {
        bucket[k] = std::min(static_cast<std::size_t>(products[k].mhz * kPerMHz), kBuckets - 1);
        ++start[bucket[k] + 1];
    }
    for (std::size_t b = 1; b <= kBuckets; ++b)
        start[b] += start[b - 1];
    std::vector<std::size_t> order(n);
    for (std::size_t k = 0; k < n; ++k)
        order[start[bucket[k]]++] = k;
    // start[b] is now where bucket b ends.
    const auto before = [&](std::size_t p, std::size_t q) {
        const double u = products[p].mhz, v = products[q].mhz;
        return u != v ? u < v : p < q;
    };
    for (std::size_t b = 0, first = 0; b < kBuckets; first = start[b], ++b) {
        if (start[b] - first > 1)
            std::sort(order.begin() + static_cast<std::ptrdiff_t>(first),
                      order.begin() + static_cast<std::ptrdiff_t>(start[b]), before);
    }
    return order;
}

// The products are worked out bare first, and only those kept become lines: most are dropped
// or merged, and a line with its origins is heavy to make, sort and move. Every step is the one
// Normalise and KeepStrongest take on the lines, in the same order, so the same lines result.
LineSet Multiply(const LineSet& a, const LineSet& b, double floor, int order, int stage,
                 std::size_t count, double& leftOut) {
    leftOut = 0;
    const std::vector<const Line*> sa = ByAmplitude(a);
    const std::vector<const Line*> sb = ByAmplitude(b);
    std::vector<double> amplitudes(sb.size());
    for (std::size_t k = 0; k < sb.size(); ++k)
        amplitudes[k] = math::Abs(sb[k]->phasor);
    // How many of the strongest lines of b each line of a multiplies.
    std::vector<std::size_t> reach(sa.size(), 0);
    std::size_t pairs = 0;
    for (std::size_t i = 0; i < sa.size(); ++i) {
        const double ax = math::Abs(sa[i]->phasor);
        // A product with a DC level lands twice on one frequency, hence the full product.
        while (reach[i] < sb.size() && !(ax * amplitudes[reach[i]] < floor))
            ++reach[i];
        pairs += reach[i];
    }
    std::vector<BareProduct> products;
    products.reserve(2 * pairs);
    for (std::size_t i = 0; i < sa.size(); ++i) {
        const Line& x = *sa[i];
        for (std::size_t k = 0; k < reach[i]; ++k) {
            const Line& y = *sb[k];
            for (const bool sum : {true, false}) {
                BareProduct p;
                p.mhz = sum ? x.mhz + y.mhz : x.mhz - y.mhz;
                p.phasor = 0.5 * x.phasor * (sum ? y.phasor : std::conj(y.phasor));
                p.mirrored = FoldMHz(p.mhz);
                if (p.mirrored) p.phasor = std::conj(p.phasor);
                // A product that overflowed has no level to compare or add.
                if (!std::isfinite(p.phasor.real()) || !std::isfinite(p.phasor.imag()) ||
                    !std::isfinite(p.mhz))
                    continue;
                p.norm = std::norm(p.phasor);
                p.x = i;
                p.y = k;
                p.sum = sum;
                products.push_back(p);
            }
        }
    }
    // In order of frequency, equal frequencies in the order made: a stable order.
    std::vector<std::size_t> members = OrderOfFrequency(products);
    // Within a frequency the strongest first, the equally strong in the order above.
    const auto stronger = [&](std::size_t p, std::size_t q) {
        const BareProduct &u = products[p], &v = products[q];
        if (u.norm != v.norm) return u.norm > v.norm;
        return u.mhz != v.mhz ? u.mhz < v.mhz : p < q;
    };
    std::vector<BareLine> lines;
    for (std::size_t first = 0; first < members.size();) {
        std::size_t last = first + 1;
        while (last < members.size() &&
               products[members[last]].mhz - products[members[first]].mhz < kSameFrequencyMHz)
            ++last;
        if (last - first > 1) {
            std::sort(members.begin() + static_cast<std::ptrdiff_t>(first),
                      members.begin() + static_cast<std::ptrdiff_t>(last), stronger);
        }
        BareLine line{products[members[first]].mhz, products[members[first]].phasor, first, last};
        for (std::size_t k = first + 1; k < last; ++k)
            line.phasor += products[members[k]].phasor;
        if (AtDcOrNyquist(line.mhz)) line.phasor = line.phasor.real();
        const double amplitude = math::Abs(line.phasor);
        if (amplitude >= floor && amplitude > 0) lines.push_back(line);
        first = last;
    }
    std::vector<std::size_t> kept;
    if (lines.size() <= count) {
        kept.resize(lines.size());
        for (std::size_t k = 0; k < kept.size(); ++k)
            kept[k] = k;
    } else {
        kept = StableOrder(
            lines.size(), [&](std::size_t k) { return std::norm(lines[k].phasor); }, true);
        leftOut = math::Abs(lines[kept[count]].phasor);
        kept.resize(count);
        std::stable_sort(kept.begin(), kept.end(),
                         [&](std::size_t p, std::size_t q) { return lines[p].mhz < lines[q].mhz; });
    }
    // What a product takes from its operands beyond its phasor.
    const auto marked = [](const Line& l) { return l.truncated || !l.confinedBy.empty(); };
    LineSet out;
    out.reserve(kept.size());
    for (const std::size_t k : kept) {
        const BareLine& bare = lines[k];
        const BareProduct& strongest = products[members[bare.first]];
        Line line = Product(*sa[strongest.x], *sb[strongest.y], strongest.sum, order, stage);
        if (bare.last - bare.first > 1) {
            std::vector<Origin> origins{line.origin};
            int more = 0;
            for (std::size_t m = bare.first + 1; m < bare.last; ++m) {
                const BareProduct& p = products[members[m]];
                const Line &x = *sa[p.x], &y = *sb[p.y];
                line.approximate = line.approximate || x.approximate || y.approximate;
                line.truncated = line.truncated || marked(x) || marked(y);
                Origin o = line.origin;
                o.recipe =
                    p.sum ? x.origin.recipe + y.origin.recipe : x.origin.recipe - y.origin.recipe;
                if (p.mirrored) o.recipe = -o.recipe;
                AddOrigin(origins, more, o);
            }
            line.origin = origins.front();
            line.others.assign(origins.begin() + 1, origins.end());
            line.moreOrigins = more;
        }
        line.phasor = bare.phasor;
        out.push_back(std::move(line));
    }
    return out;
}

}  // namespace quorvane::analysis
