// The band-pass filter on lines. The filter clears whole bins of the buffer's transform, and a
// line between bins spreads over every bin, so what a filter leaves of it is worked out bin by
// bin: the transform values of all lines are added in each kept bin, as phasors. Each line keeps
// what its own bins near it hold; the rest, leaks and their interference, is the spread.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/StageEffects.h"
#include "engine/Elementary.h"
#include "engine/SignalBuffer.h"

namespace quorvane::analysis {

namespace {

constexpr long kBins = static_cast<long>(kSampleCount);
// The bins within this many of a line are the line; beyond them its spread is the spread.
constexpr long kLineReach = 10;
// Leaks below this share of the strongest line's watts are not worked out.
constexpr double kNegligibleLeak = 1e-12;
// Watts of one bin of the transform: a value X stands for |X|^2 / N^2 / 50.
constexpr double kBinWatts = 1.0 / (static_cast<double>(kBins) * kBins) / kReferenceOhms;

long Wrap(long bin) {
    if (bin >= 0 && bin < kBins) return bin;  // most are: no division
    bin %= kBins;
    return bin < 0 ? bin + kBins : bin;
}

bool Keeps(const PassBand& band, long bin) {
    bin = Wrap(bin);
    return PassBandKeepsBin(band, static_cast<int>(bin > kBins / 2 ? kBins - bin : bin));
}

// Whether the filters that confined a line left bin k of it.
bool Confines(const Line& line, long k) {
    return std::all_of(line.confinedBy.begin(), line.confinedBy.end(),
                       [&](const PassBand& band) { return Keeps(band, k); });
}

long BinDistance(long a, long b) {
    const long d = Wrap(a - b);
    return std::min(d, kBins - d);
}

// What a filter keeps: the one-sided bins 0 .. 4096 ascending, and the runs [first, last] of
// consecutive kept bins among all 8192.
struct Kept {
    PassBand band;
    std::vector<long> oneSided;
    std::vector<std::pair<long, long>> runs;
};

Kept KeptBins(const PassBand& band) {
    Kept kept{band, {}, {}};
    for (long k = 0; k <= kBins / 2; ++k) {
        if (Keeps(band, k)) kept.oneSided.push_back(k);
    }
    for (long k = 0; k < kBins; ++k) {
        if (!Keeps(band, k)) continue;
        if (!kept.runs.empty() && kept.runs.back().second == k - 1)
            kept.runs.back().second = k;
        else
            kept.runs.emplace_back(k, k);
    }
    return kept;
}

// A bound on the watts a line between bins leaks into kept bins: its bins fall off as
// |A| |sin(pi beta)| / (pi d) with the distance d, so those from d on hold at most this much.
double LeakBound(const Line& line, const std::vector<long>& kept) {
    const double beta = line.mhz / kBinMHz;
    const auto above = std::lower_bound(kept.begin(), kept.end(), static_cast<long>(beta));
    double d = static_cast<double>(kBins);
    if (above != kept.end()) d = std::min(d, std::abs(static_cast<double>(*above) - beta));
    if (above != kept.begin())
        d = std::min(d, std::abs(beta - static_cast<double>(*std::prev(above))));
    d = std::max(d, 0.5);
    const double s = math::Sin(std::numbers::pi * beta);
    return LineWatts(line) * s * s / (std::numbers::pi * std::numbers::pi) * 4.0 / d;
}

// sin(pi (nu - k) / N) for k = first, first + 1, ...: rotated one bin at a time.
class Denominator {
  public:
    Denominator(double nu, long first) {
        const double angle = std::numbers::pi * (nu - static_cast<double>(first)) / kBins;
        s_ = math::Sin(angle);
        c_ = math::Cos(angle);
    }
    double Value() const { return s_; }
    void Next() {
        const double s = s_ * kCos - c_ * kSin;
        c_ = c_ * kCos + s_ * kSin;
        s_ = s;
    }

  private:
    static inline const double kCos = math::Cos(std::numbers::pi / kBins);
    static inline const double kSin = math::Sin(std::numbers::pi / kBins);
    double s_ = 0, c_ = 1;
};

// Re(A e^(2 pi i beta n / N)) has in bin k the value A/2 D(beta - k) + conj(A)/2 D(-beta - k),
// with D(nu - k) = sin(pi nu) e^(i pi nu (N-1)/N) e^(i pi k/N) / sin(pi (nu - k)/N). The factor
// e^(i pi k/N) is the same for every line in bin k, so it is left out of the values added up.
class Transform {
  public:
    explicit Transform(const Line& line) : beta_(line.mhz / kBinMHz), line_(line.phasor) {
        constexpr double kPhase = std::numbers::pi * (kBins - 1) / kBins;
        const double s = math::Sin(std::numbers::pi * beta_);
        up_ = line.phasor / 2.0 * s * math::UnitPhasor(kPhase * beta_);
        down_ = std::conj(line.phasor) / 2.0 * -s * math::UnitPhasor(-kPhase * beta_);
        exactBin_ = s == 0;
    }
    double Beta() const { return beta_; }

    // The value in bin k, alone.
    std::complex<double> At(long k) const { return Term(up_, beta_, k) + Term(down_, -beta_, k); }
    // Hands add(k, value) the values of the bins first .. last that `skip` does not refuse.
    template <typename Skip, typename Add>
    void ForRun(long first, long last, Skip skip, Add add) const {
        if (exactBin_) return;  // a line on a bin's centre is in its own bins only
        Denominator a(beta_, first), b(-beta_, first);
        for (long k = first; k <= last; ++k, a.Next(), b.Next()) {
            if (!skip(k)) add(k, up_ * (1.0 / a.Value()) + down_ * (1.0 / b.Value()));
        }
    }

  private:
    // One half's value in bin k; on the bin itself, its limit N e^(-i pi k/N) times A/2.
    std::complex<double> Term(std::complex<double> half, double nu, long k) const {
        const double denominator =
            math::Sin(std::numbers::pi * (nu - static_cast<double>(k)) / kBins);
        if (std::abs(denominator) > 1e-12) return half / denominator;
        const double kd = static_cast<double>(Wrap(k));
        const std::complex<double> a = nu == beta_ ? line_ / 2.0 : std::conj(line_) / 2.0;
        return a * static_cast<double>(kBins) * math::UnitPhasor(-std::numbers::pi * kd / kBins);
    }

    double beta_;
    std::complex<double> line_, up_, down_;
    bool exactBin_ = false;
};

// The filter's work on a set of lines: the summed transform values of the kept bins, and the
// watts each line has of its own in them.
class FilterWork {
  public:
    FilterWork(const PassBand& band, std::size_t lines)
        : kept_(KeptBins(band)),
          values_(kSampleCount),
          ownValues_(kSampleCount),
          ownWatts_(kSampleCount, 0.0),
          doubtWatts_(kSampleCount, 0.0),
          lineWatts_(lines, 0.0) {}

    const Kept& kept() const { return kept_; }

    // Line i: its values in the kept bins near it and near its mirror are its own, as a
    // windowed spectrum shows it; its values in the other kept bins are added too unless it
    // passes whole, in which case its far tail is counted as its own.
    // A `doubtful` line is no longer the pure sinusoid its transform stands for (an earlier
    // filter cut it, or it is an estimate): what it puts in each bin is only a guide.
    void Add(const Line& line, int i, bool whole, bool doubtful) {
        const Transform t(line);
        const long bin = std::lround(t.Beta());
        std::vector<long> near;
        for (const long centre : {bin, -bin}) {
            for (long k = centre - kLineReach; k <= centre + kLineReach; ++k) {
                const long w = Wrap(k);
                if (Keeps(kept_.band, w) && Confines(line, w) &&
                    std::find(near.begin(), near.end(), w) == near.end())
                    near.push_back(w);
            }
        }
        double& own = lineWatts_[static_cast<std::size_t>(i)];
        for (const long w : near) {
            const auto k = static_cast<std::size_t>(w);
            const std::complex<double> x = t.At(w);
            values_[k] += x;
            ownValues_[k] += x;
            ownWatts_[k] += std::norm(x) * kBinWatts;
            own += std::norm(x) * kBinWatts;
            if (doubtful) doubtWatts_[k] += std::norm(x) * kBinWatts;
        }
        if (whole) {
            own = std::max(own, LineWatts(line));
            return;
        }
        // The lines are real, so bin N - k mirrors bin k in watts: the far bins are worked out
        // in the lower half only, and Share reads the upper half from its mirror.
        const auto skip = [&](long k) { return Near(k, bin) || !Confines(line, k); };
        for (const auto& [first, last] : kept_.runs) {
            if (first > kBins / 2) break;
            t.ForRun(first, std::min(last, kBins / 2), skip, [&](long k, std::complex<double> x) {
                values_[static_cast<std::size_t>(k)] += x;
                if (doubtful) doubtWatts_[static_cast<std::size_t>(k)] += std::norm(x) * kBinWatts;
            });
        }
    }

    // Each line's watts; what the kept bins hold beyond the lines' own goes to `spread`: the
    // other lines' leaks as transform values, and in watts what they add or take away where they
    // meet a line's own bins. Where lines and leaks interfere destructively, a bin holds less
    // than the lines' own: the lines are then too strong by that much, which is added to `doubt`
    // with the doubtful lines' part.
    const std::vector<double>& Share(Spread& spread, NoiseDensity& doubt) const {
        for (std::size_t m = 0; m <= kSampleCount / 2; ++m) {
            const std::complex<double> leak = values_[m] - ownValues_[m];
            if (leak == std::complex<double>()) continue;
            // The values leave out e^(i pi k / N); the transform's own value has it.
            const std::complex<double> x =
                leak * math::UnitPhasor(std::numbers::pi * static_cast<double>(m) / kBins);
            spread.AddValue(static_cast<int>(m), x);
            if (m != 0 && m != kSampleCount / 2)
                spread.AddValue(static_cast<int>(kSampleCount - m), std::conj(x));
        }
        for (std::size_t k = 0; k < kSampleCount; ++k) {
            const std::size_t m = k <= kSampleCount / 2 ? k : kSampleCount - k;
            const double w = std::norm(values_[m]) * kBinWatts - ownWatts_[m];
            const double leakWatts = std::norm(values_[m] - ownValues_[m]) * kBinWatts;
            if (std::max(w, 0.0) != leakWatts)
                spread.AddWatts(static_cast<int>(k), std::max(w, 0.0) - leakWatts);
            if (doubtWatts_[m] - std::min(w, 0.0) > 0)
                doubt.AddAt(static_cast<int>(k), doubtWatts_[m] - std::min(w, 0.0));
        }
        return lineWatts_;
    }

  private:
    static bool Near(long k, long bin) {
        return BinDistance(k, bin) <= kLineReach || BinDistance(k, -bin) <= kLineReach;
    }

    Kept kept_;
    std::vector<std::complex<double>> values_;
    std::vector<std::complex<double>> ownValues_;  // of the lines near their own bins
    std::vector<double> ownWatts_;
    std::vector<double> doubtWatts_;
    std::vector<double> lineWatts_;
};

}  // namespace

void FilterLines(LineSet& lines, const PassBand& band, Spread& spread, NoiseDensity& doubt) {
    FilterWork work(band, lines.size());
    double strongest = 0;
    for (const Line& line : lines)
        strongest = std::max(strongest, LineWatts(line));
    std::vector<bool> cut(lines.size(), false), taken(lines.size(), false);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        const long bin = std::lround(line.mhz / kBinMHz);
        bool allKept = true, anyKept = false;
        for (long k = bin - kLineReach; k <= bin + kLineReach; ++k) {
            if (!Confines(line, k)) continue;  // earlier filters left nothing there
            allKept = allKept && Keeps(band, k);
            anyKept = anyKept || Keeps(band, k);
        }
        const bool onBin = OnBinCentre(line.mhz);
        if (onBin && !Keeps(band, bin)) continue;
        if (!anyKept && LeakBound(line, work.kept().oneSided) < kNegligibleLeak * strongest)
            continue;
        cut[i] = !allKept && !onBin;
        taken[i] = true;
        const bool whole = allKept || onBin;
        work.Add(line, static_cast<int>(i), whole, (line.approximate || line.truncated) && !whole);
    }
    const std::vector<double> watts = work.Share(spread, doubt);
    LineSet out;
    out.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!taken[i] || !(watts[i] > 0)) continue;
        Line& line = lines[i];
        line.phasor *= std::sqrt(watts[i] / LineWatts(line));
        line.approximate = line.approximate || cut[i];
        if (std::find(line.confinedBy.begin(), line.confinedBy.end(), band) ==
            line.confinedBy.end())
            line.confinedBy.push_back(band);
        out.push_back(std::move(line));
    }
    lines = std::move(out);
}

}  // namespace quorvane::analysis
