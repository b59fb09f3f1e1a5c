#include "analysis/ChainPrediction.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

#include "analysis/ChainStages.h"
#include "analysis/Lines.h"
#include "analysis/LocalOscillator.h"
#include "analysis/NoiseDensity.h"
#include "analysis/OriginWords.h"
#include "analysis/StageEffects.h"
#include "engine/AntennaSynthesis.h"
#include "engine/Elementary.h"
#include "engine/StageModel.h"
#include "engine/Waveform.h"

namespace quorvane {

using namespace analysis;

namespace {

// Lines are followed down to 120 dB below the strongest, so that one a filter later frees from
// a stronger neighbour is still there, and at most 256 of them (half the strongest, half the
// strongest in the pass band of the filter ahead); the test points
// list them down to 70 dB, so that the third-order products of tones 30 dB below a stage's
// intercept, 60 dB below the tones, are listed.
constexpr double kFollowedAmplitude = 1e-6;
constexpr std::size_t kFollowedLines = 256;
// A line left out that comes this close (40 dB) to the strongest one kept where the filter
// ahead passes could be a line the test point lists, or shows: the prediction is then a guide.
constexpr double kLeftOutAmplitude = 1e-2;
// The signal's samples, for what it does to the spread and to a switching LO, leave out lines
// 80 dB below the strongest: they move neither by more than that.
constexpr double kSampledAmplitude = 1e-4;
constexpr double kListedPower = 1e-7;
constexpr double kListedAmplitude = 3.1622776601683794e-4;  // the square root of kListedPower
// A 3rd-order product this close to its parent (20 dB) means the polynomial is no longer small.
constexpr double kNonlinearAmplitude = 0.1;
constexpr int kNearDcOrNyquistBins = 5;
// A slope this close to 1 leaves noise and spread as they are; its lines weaker than the other
// bound shift too little of them to follow (what they carry is spread evenly).
constexpr double kFlatSlope = 1e-3;
constexpr double kSlopeLine = 1e-2;
constexpr std::size_t kSlopeLines = 64;
// Watts that are only estimated may be wholly wrong (the leaks of lines a switching LO's
// harmonics only approximate), so they may hold no more than the share Pout may be off by.
constexpr double kDoubtShare = 0.05;
// A coherent change left out may move Pout by 5 %, a line by 0.5 dB (12 %) within 4 bins of
// it, and make no peak within 30 dB of the strongest line.
constexpr double kErrorPout = 0.05;
constexpr double kErrorLine = 0.12;
constexpr double kErrorPeak = 1e-3;
constexpr long kErrorReach = 4;

LineSet SourceLines(const std::array<OscillatorSettings, 3>& oscillators) {
    LineSet lines;
    for (int k = 0; k < kToneBases; ++k) {
        const OscillatorSettings& o = oscillators[static_cast<std::size_t>(k)];
        const double amplitude = SourceAmplitude(o.Power, o.Invert);
        if (amplitude == 0 || !std::isfinite(amplitude) || !SampledThroughout(o.Frequency))
            continue;
        Line line;
        line.mhz = WaveformFrequencyMHz(o.Frequency);
        line.phasor = amplitude;
        line.origin.recipe = BaseRecipe(k, FoldMHz(line.mhz) ? -1 : 1);
        line.approximate = std::abs(o.Frequency) > kLargestCleanMHz;
        lines.push_back(line);
    }
    Normalise(lines, 0);
    return lines;
}

double FollowFloor(const LineSet& lines) {
    return kFollowedAmplitude * Strongest(lines);
}

bool NearDcOrNyquist(double mhz) {
    const double bins = mhz / kBinMHz;
    if (OnBinCentre(mhz)) return false;
    return bins < kNearDcOrNyquistBins || bins > kNoiseBins - 1 - kNearDcOrNyquistBins;
}

// The lines of one bin, strongest first.
struct BinGroup {
    std::vector<const Line*> members;
    double watts = 0;
};

std::vector<BinGroup> BinGroups(const LineSet& lines) {
    std::vector<BinGroup> groups;
    long bin = -1;
    for (const Line& line : lines) {
        const long b = std::lround(line.mhz / kBinMHz);
        if (groups.empty() || b != bin) groups.emplace_back();
        bin = b;
        groups.back().members.push_back(&line);
        groups.back().watts += LineWatts(line);
    }
    for (BinGroup& g : groups) {
        std::stable_sort(g.members.begin(), g.members.end(), [](const Line* a, const Line* b) {
            return std::norm(a->phasor) > std::norm(b->phasor);
        });
    }
    return groups;
}

PredictedLine Listed(const BinGroup& group, const Naming& naming) {
    PredictedLine listed;
    listed.frequencyMHz = group.members.front()->mhz;
    listed.phase = math::Arg(group.members.front()->phasor);
    listed.watts = group.watts;
    int more = 0;
    auto addWords = [&](const Origin& o) {
        std::string words = OriginWords(o, naming);
        if (std::find(listed.origins.begin(), listed.origins.end(), words) != listed.origins.end())
            return;
        if (listed.origins.size() < kMostOrigins)
            listed.origins.push_back(std::move(words));
        else
            ++more;
    };
    for (const Line* m : group.members) {
        listed.approximate = listed.approximate || m->approximate || NearDcOrNyquist(m->mhz);
        addWords(m->origin);
        for (const Origin& o : m->others)
            addWords(o);
        more += m->moreOrigins;
    }
    if (more > 0) listed.origins.push_back("and " + std::to_string(more) + " more");
    return listed;
}

// The lines as a test point lists them: one per bin, strongest first, down to 70 dB below the
// strongest.
std::vector<PredictedLine> ListedLines(const LineSet& lines, const Naming& naming) {
    std::vector<BinGroup> groups = BinGroups(lines);
    std::stable_sort(groups.begin(), groups.end(),
                     [](const BinGroup& a, const BinGroup& b) { return a.watts > b.watts; });
    std::vector<PredictedLine> listed;
    for (const BinGroup& g : groups) {
        if (g.watts < kListedPower * groups.front().watts) break;
        listed.push_back(Listed(g, naming));
    }
    return listed;
}

// Follows the lines and the noise along the chain, stage by stage, in the engine's order.
class Predictor {
  public:
    Predictor(const ChainSnapshot& snapshot, Architecture architecture)
        : stages_(StagesOf(snapshot, architecture).stages), naming_(NamingOf(snapshot, stages_)) {
        lines_ = SourceLines(snapshot.oscillators);
        reference_.AddWhite(ThermalNoiseSigma(kReferenceKelvin));
        const double sigma =
            snapshot.noise.Working != 0 ? ThermalNoiseSigma(snapshot.noise.Temperature) : 0.0;
        const double referenceSigma = ThermalNoiseSigma(kReferenceKelvin);
        antennaShare_ = sigma * sigma / (referenceSigma * referenceSigma);
    }

    ChainPrediction Run(const ChainSnapshot& snapshot) {
        ChainPrediction prediction;
        prediction.points[0] = Report();
        std::size_t next = 0;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const SlotSettings& s = snapshot.chainSlots[static_cast<std::size_t>(slot)];
            const auto count =
                static_cast<std::size_t>(std::clamp(s.stageCount, 0, kStageCandidates));
            for (std::size_t n = 0; n < count; ++n, ++next) {
                if (stages_[next].runs) RunStage(static_cast<int>(next));
            }
            prediction.points[static_cast<std::size_t>(slot) + 1] = Report();
        }
        return prediction;
    }

  private:
    void RunStage(int index) {
        const StageParameters& p = stages_[static_cast<std::size_t>(index)].parameters;
        if (Distorts(p)) Distort(p, index);
        if (Mixes(p)) Mix(p, index);
        if (Filters(p)) {
            const PassBand band = PassBandBins(p.centre, p.bandwidth);
            // What the band keeps of the spread is as doubtful as the signal it is cut from.
            const double before = spread_.Total() + BufferWatts(lines_);
            const double doubtful = before > 0 ? std::min(1.0, doubt_.Total() / before) : 0.0;
            reference_.Mask(band);
            added_.Mask(band);
            spread_.Mask(band);
            doubt_.Mask(band);
            error_.Mask(band);
            InheritDoubt(doubtful);
            FilterLines(lines_, band, spread_, doubt_);
        }
        if (AddsNoise(p)) added_.AddWhite(StageNoiseSigma(p.noiseFigure));
        for (Line& line : lines_)
            line.phasor *= p.gain;
        reference_.Scale(p.gain * p.gain);
        added_.Scale(p.gain * p.gain);
        spread_.Scale(p.gain * p.gain);
        doubt_.Scale(p.gain * p.gain);
        error_.Scale(p.gain * p.gain);
        Prune(index);
    }

    // x + c2 x^2 + c3 x^3 + c4 x^4 on the lines. Noise and spread, small beside them, see its
    // slope at the signal, 1 + 2 c2 x + 3 c3 x^2 + 4 c4 x^3, sample by sample; the spread sees the
    // polynomial itself.
    void Distort(const StageParameters& p, int index) {
        const Distortion d = DistortionFor(p.ip3);
        const double unfollowed = UnfollowedNoise(d);
        // The spread alone can bend: a tone a filter cut leaves spikes at the buffer's ends.
        std::vector<double> spread(kSampleCount, 0.0);
        spread_.AddSamples(spread);
        double spreadPeak = 0;
        for (const double v : spread)
            spreadPeak = std::max(spreadPeak, std::abs(v));
        const double sum = AmplitudeSum(lines_) + spreadPeak;
        const double reach = 2 * d.c2 * sum + 3 * d.c3 * sum * sum + 4 * d.c4 * sum * sum * sum;
        // Once the prediction is only a guide, the noise's finer shape is not worth the work.
        const bool flat = !(reach > kFlatSlope) || nonlinear_;
        const std::vector<double> signal =
            flat ? std::vector<double>()
                 : LineSamples(lines_, kSampledAmplitude * Strongest(lines_));
        // What filters took of the lines is missing from the buffer.
        std::vector<double> cleared(flat ? 0 : kSampleCount, 0.0);
        if (!flat) AddClearedSamples(cleared, lines_);
        const Products terms =
            PolynomialTerms(lines_, {{2, d.c2}, {3, d.c3}, {4, d.c4}}, FollowFloor(lines_), index);
        Watch(terms, lines_);
        lines_.insert(lines_.end(), terms.lines.begin(), terms.lines.end());
        Prune(index);
        // The noise's own products are only estimated: doubt, over the whole band.
        if (unfollowed > 0) {
            for (int k = 0; k < static_cast<int>(kSampleCount); ++k)
                doubt_.AddAt(k, unfollowed / kSampleCount);
        }
        if (flat) return;
        std::vector<double> slope(kSampleCount);
        for (std::size_t n = 0; n < kSampleCount; ++n) {
            const double x = signal[n] + spread[n] - cleared[n];
            slope[n] = 1 + 2 * d.c2 * x + 3 * d.c3 * x * x + 4 * d.c4 * x * x * x;
        }
        const MixingWave mixing({}, 0, slope);
        reference_.Mix(mixing);
        added_.Mix(mixing);
        doubt_.Mix(mixing);
        error_.Mix(mixing);
        spread_.Distort(mixing, signal, cleared, d);
    }

    // What the noise and spread are multiplied by: the derivative of what the stage does to the
    // signal, taken at the signal's lines. `terms` give it as c x^power.
    struct Slope {
        LineSet lines;
        double meanSquare = 0;
        bool flat = true;  // within a thousandth of 1 everywhere: nothing to do
    };
    Slope SlopeOf(const LineSet& x, const std::vector<Term>& terms, int index) const {
        Slope slope;
        const double sum = AmplitudeSum(x);
        double reach = 0;
        for (const Term& t : terms)
            reach += t.power > 0 ? std::abs(t.coefficient) * math::IntegerPower(sum, t.power) : 0.0;
        // Once the prediction is only a guide, the noise's finer shape is not worth the work.
        if (!(reach > kFlatSlope) || nonlinear_) return slope;
        slope.flat = false;
        std::vector<Term> higher;
        for (const Term& t : terms) {
            if (t.power >= 2) higher.push_back(t);
            if (t.power > 1) continue;
            if (t.power == 0) {
                Line dc;
                dc.phasor = t.coefficient;
                slope.lines.push_back(dc);
                continue;
            }
            for (Line line : x) {
                line.phasor *= t.coefficient;
                slope.lines.push_back(std::move(line));
            }
        }
        const Products products = PolynomialTerms(x, higher, kSlopeLine, index);
        slope.lines.insert(slope.lines.end(), products.lines.begin(), products.lines.end());
        Normalise(slope.lines, kSlopeLine);
        KeepStrongest(slope.lines, kSlopeLines);
        for (const Line& line : slope.lines)
            slope.meanSquare += LineWatts(line) * kReferenceOhms;
        return slope;
    }

    // Every density multiplied by a waveform given as lines; the spread, made of sinusoids,
    // exactly.
    void MixDensities(const LineSet& wave, double meanSquare,
                      const std::vector<double>& exact = {}) {
        const MixingWave mixing(wave, meanSquare, exact);
        reference_.Mix(mixing);
        added_.Mix(mixing);
        doubt_.Mix(mixing);
        error_.Mix(mixing);
        spread_.Mix(mixing);
    }

    void Mix(const StageParameters& p, int index) {
        const StageSettings& settings = stages_[static_cast<std::size_t>(index)].settings;
        const MixerSetting mixer{std::clamp<int>(settings.index, 0, kLoBases - 1), p.loFrequency,
                                 TunedBefore(index)};
        const LoWave lo = p.switching ? SwitchingLo(p.loFrequency, mixer.mixer)
                                      : MultiplyingLo(p.loFrequency, mixer.mixer);
        LineSet mixed = MixLines(lines_, lo, mixer, FollowFloor(lines_));
        LineSet wave = lo.lines;
        double waveSquare = lo.meanSquare;
        NoiseDensity signError;
        if (Distorts(p)) {
            // The signal's own terms leak into the LO: y (LO + c2 y^2 + c3 y^3 + c4 y^4).
            const Distortion d = DistortionFor(p.ip3);
            if (p.switching) {
                signError = SignError(lo, d);
            } else {
                const Products terms = PolynomialTerms(lines_, {{3, d.c2}, {4, d.c3}, {5, d.c4}},
                                                       FollowFloor(lines_), index);
                Watch(terms, lines_);
                mixed.insert(mixed.end(), terms.lines.begin(), terms.lines.end());
                // Noise sees the slope: LO + 3 c2 y^2 + 4 c3 y^3 + 5 c4 y^4.
                const Slope slope =
                    SlopeOf(lines_, {{2, 3 * d.c2}, {3, 4 * d.c3}, {4, 5 * d.c4}}, index);
                if (!slope.flat) {
                    wave.insert(wave.end(), slope.lines.begin(), slope.lines.end());
                    Normalise(wave, 0);
                    waveSquare = 0;
                    for (const Line& line : wave)
                        waveSquare += LineWatts(line) * kReferenceOhms;
                }
            }
        }
        lines_ = std::move(mixed);
        Prune(index);
        // The switching mixer's own signs are exact; its lines only estimate them.
        if (lo.samples.empty())
            MixDensities(wave, waveSquare);
        else
            MixDensities({}, waveSquare, lo.samples);
        // Where the leak may move the switching LO's signs, the product is only estimated.
        error_.Add(signError);
    }

    // Raises the doubt to the share `doubtful` of the spread, bin by bin where the spread is.
    void InheritDoubt(double doubtful) {
        const double spread = spread_.Total();
        const double missing = doubtful * spread - doubt_.Total();
        if (!(missing > 0)) return;
        const std::vector<double> bins = spread_.OneSided();
        for (std::size_t k = 0; k < bins.size(); ++k) {
            if (bins[k] > 0) doubt_.AddAt(static_cast<int>(k), missing * bins[k] / spread);
        }
    }

    // Drops lines too weak to follow (and any that overflowed). Of too many, keeps the strongest
    // half and then the strongest where the filter ahead passes: there they may stand out once
    // it has cleared the rest.
    void Prune(int index) {
        Normalise(lines_, FollowFloor(lines_));
        if (lines_.size() <= kFollowedLines) return;
        const std::optional<PassBand> band = BandAhead(index);
        const auto passes = [&](const Line& l) {
            return !band || PassBandKeepsBin(*band, static_cast<int>(std::lround(l.mhz / kBinMHz)));
        };
        // The strongest first, equals in their order: the powers sorted beside the indices.
        std::vector<std::pair<double, std::size_t>> keyed(lines_.size());
        for (std::size_t k = 0; k < keyed.size(); ++k)
            keyed[k] = {std::norm(lines_[k].phasor), k};
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        std::vector<std::size_t> order(keyed.size());
        for (std::size_t k = 0; k < order.size(); ++k)
            order[k] = keyed[k].second;
        std::vector<bool> keep(lines_.size(), false);
        std::size_t kept = 0;
        double keptPassing = 0, leftPassing = 0;
        for (const std::size_t k : order) {
            const bool through = passes(lines_[k]);
            const double a = math::Abs(lines_[k].phasor);
            if (kept < kFollowedLines / 2 || (kept < kFollowedLines && through)) {
                keep[k] = true;
                ++kept;
                if (through) keptPassing = std::max(keptPassing, a);
            } else if (through) {
                leftPassing = std::max(leftPassing, a);
            }
        }
        if (leftPassing > kLeftOutAmplitude * keptPassing) nonlinear_ = true;
        LineSet left;
        left.reserve(kept);
        for (std::size_t k = 0; k < lines_.size(); ++k) {
            if (keep[k]) left.push_back(std::move(lines_[k]));
        }
        lines_ = std::move(left);
    }

    // The pass band of the next filter after stage `index`, unless a mixer comes first.
    std::optional<PassBand> BandAhead(int index) const {
        for (std::size_t k = static_cast<std::size_t>(index) + 1; k < stages_.size(); ++k) {
            const StageRun& run = stages_[k];
            if (!run.runs) continue;
            if (Mixes(run.parameters)) return std::nullopt;
            if (Filters(run.parameters))
                return PassBandBins(run.parameters.centre, run.parameters.bandwidth);
        }
        return std::nullopt;
    }

    // What the signal's leak into a switching LO can change: at each sample the leak reaches at
    // most c2 u^2 + c3 u^3 + c4 u^4, u the signal's size there (its lines and spread, and noise
    // to 5 sigma), and moves the sign where the |cosine| lies below that; the product changes
    // there by twice the signal. That change, the signal times those samples' -2 x sign, as a
    // density.
    NoiseDensity SignError(const LoWave& lo, const Distortion& d) const {
        NoiseDensity error;
        if (lo.magnitudes.size() != kSampleCount || lo.samples.size() != kSampleCount) return error;
        const double noise = antennaShare_ * reference_.Total() + added_.Total();
        const double sigmas = 5 * std::sqrt(noise * kReferenceOhms);
        std::vector<double> signal = LineSamples(lines_, kSampledAmplitude * Strongest(lines_));
        spread_.AddSamples(signal);
        std::vector<double> moved(kSampleCount, 0.0);
        bool any = false;
        const auto leakAt = [&](double y) {
            return d.c2 * y * y + d.c3 * y * y * y + d.c4 * y * y * y * y;
        };
        // The leak's turning points: 0, and the roots of 2 c2 + 3 c3 y + 4 c4 y^2.
        std::vector<double> turns{0.0};
        const double discriminant = 9 * d.c3 * d.c3 - 32 * d.c4 * d.c2;
        if (d.c4 > 0 && discriminant >= 0) {
            turns.push_back((-3 * d.c3 + std::sqrt(discriminant)) / (8 * d.c4));
            turns.push_back((-3 * d.c3 - std::sqrt(discriminant)) / (8 * d.c4));
        }
        for (std::size_t n = 0; n < kSampleCount; ++n) {
            const double lo_y = signal[n] - sigmas, hi_y = signal[n] + sigmas;
            double most = std::max(leakAt(lo_y), leakAt(hi_y));
            double least = std::min(leakAt(lo_y), leakAt(hi_y));
            for (const double t : turns) {
                if (t <= lo_y || t >= hi_y) continue;
                most = std::max(most, leakAt(t));
                least = std::min(least, leakAt(t));
            }
            // A negative cosine turns with a leak above its size, a positive one below minus it.
            const double sign = lo.samples[n];
            const bool turnsOver =
                sign < 0 ? most > lo.magnitudes[n]
                         : (sign > 0 ? least < -lo.magnitudes[n] : most != 0 || least != 0);
            if (!turnsOver) continue;
            moved[n] = -2 * lo.samples[n];
            any = true;
        }
        if (!any) return error;
        error.Add(reference_, antennaShare_);
        error.Add(added_);
        const std::vector<double> spread = spread_.OneSided();
        for (const Line& line : lines_) {
            const long bin = std::lround(line.mhz / kBinMHz);
            if (!(bin >= 0 && bin < kNoiseBins)) continue;
            if (AtDcOrNyquist(line.mhz)) {
                error.AddAt(static_cast<int>(bin), LineWatts(line));
                continue;
            }
            error.AddAt(static_cast<int>(bin), LineWatts(line) / 2);
            error.AddAt(static_cast<int>(kSampleCount) - static_cast<int>(bin),
                        LineWatts(line) / 2);
        }
        for (std::size_t k = 1; k + 1 < spread.size(); ++k) {
            error.AddAt(static_cast<int>(k), spread[k] / 2);
            error.AddAt(static_cast<int>(kSampleCount - k), spread[k] / 2);
        }
        error.Mix(MixingWave({}, 0, moved));
        return error;
    }

    // The polynomial is out of its small range when a 3rd-order product comes within 20 dB of
    // the strongest line it acts on, or when there were so many lines that some that would have
    // been listed were left out.
    void Watch(const Products& products, const LineSet& parents) {
        const double strongest = Strongest(parents);
        if (StrongestNewThirdOrder(products.lines, parents) > kNonlinearAmplitude * strongest ||
            products.leftOut > kListedAmplitude * strongest)
            nonlinear_ = true;
    }

    // What the polynomial does to the noise beyond the slope it sees at the signal: the terms of
    // second and higher order in the noise n, n^2 (c2 + 3 c3 x + 6 c4 x^2) + n^3 (c3 + 4 c4 x) +
    // c4 n^4, with the signal x at its peak S. For Gaussian noise of deviation s their mean
    // square is at most 3 s^4 K2^2 + 15 s^6 K3^2 + 105 s^8 c4^2 (the moments of n), in watts.
    double UnfollowedNoise(const Distortion& d) const {
        const double noise = antennaShare_ * reference_.Total() + added_.Total();
        if (!(noise > 0)) return 0;
        const double v = noise * kReferenceOhms;  // s^2
        const double x = AmplitudeSum(lines_);
        const double k2 = d.c2 + 3 * d.c3 * x + 6 * d.c4 * x * x;
        const double k3 = d.c3 + 4 * d.c4 * x;
        const double square =
            3 * v * v * k2 * k2 + 15 * v * v * v * k3 * k3 + 105 * v * v * v * v * d.c4 * d.c4;
        return square / kReferenceOhms;
    }

    // The centre of the nearest band-pass filter before stage `index`, switched in or not.
    std::optional<double> TunedBefore(int index) const {
        for (int k = index - 1; k >= 0; --k) {
            const StageRun& run = stages_[static_cast<std::size_t>(k)];
            if (run.settings.kind == StageKind::Filter && Filters(run.parameters))
                return run.parameters.centre;
        }
        return std::nullopt;
    }

    TestPointPrediction Report() const {
        TestPointPrediction tp;
        tp.noiseBins = reference_.OneSided(antennaShare_, added_);
        for (const double w : tp.noiseBins)
            tp.noiseWatts += w;
        tp.lineWatts = BufferWatts(lines_);
        tp.lines = ListedLines(lines_, naming_);
        tp.spreadBins = spread_.OneSided();
        for (const double w : tp.spreadBins)
            tp.spreadWatts += w;
        tp.totalWatts = tp.lineWatts + tp.noiseWatts + tp.spreadWatts;
        tp.nonlinear =
            nonlinear_ || doubt_.Total() > kDoubtShare * tp.totalWatts || ErrorMatters(tp);
        return tp;
    }

    // Whether the coherent change left out could move Pout by 5 %, a listed line by 0.5 dB, or
    // make a peak 30 dB below the strongest line where none is listed. A change of E watts moves
    // P watts by up to 2 sqrt(E P) + E.
    bool ErrorMatters(const TestPointPrediction& tp) const {
        const double total = error_.Total();
        if (!(total > 0)) return false;
        const auto moves = [](double e, double p) { return 2 * std::sqrt(e * p) + e; };
        if (moves(total, tp.totalWatts) > kErrorPout * tp.totalWatts) return true;
        const std::vector<double> bins = error_.OneSided(1.0, NoiseDensity());
        const auto near = [&](long bin) {
            double e = 0;
            for (long k = std::max(0L, bin - kErrorReach);
                 k <= std::min<long>(kNoiseBins - 1, bin + kErrorReach); ++k)
                e += bins[static_cast<std::size_t>(k)];
            return e;
        };
        const double strongest = tp.lines.empty() ? tp.totalWatts : tp.lines.front().watts;
        for (const PredictedLine& line : tp.lines) {
            if (moves(near(BinOfLine(line.frequencyMHz)), line.watts) > kErrorLine * line.watts)
                return true;
        }
        for (long bin = 0; bin < kNoiseBins; bin += kErrorReach) {
            if (near(bin) > kErrorPeak * strongest) return true;
        }
        return false;
    }

    static long BinOfLine(double mhz) { return std::lround(mhz / kBinMHz); }

    std::vector<StageRun> stages_;
    Naming naming_;
    LineSet lines_;
    NoiseDensity reference_;  // what 290 K at the antenna gives
    NoiseDensity added_;      // what the stages add
    Spread spread_;           // what filters leave of lines between bins, beyond the lines
    NoiseDensity doubt_;      // watts of lines and spread that are only estimated
    // Watts of a change the prediction leaves out that is coherent with the signal (moved signs
    // of a switching LO): it adds to a line as a phasor.
    NoiseDensity error_;
    double antennaShare_ = 0;  // the antenna's noise as a multiple of the reference
    bool nonlinear_ = false;
};

}  // namespace

const TestPointPrediction& ChainPrediction::At(int testPoint) const {
    return points[static_cast<std::size_t>(std::clamp(testPoint, 1, kPredictedTestPoints) - 1)];
}

ChainPrediction PredictChain(const ChainSnapshot& snapshot, Architecture architecture) {
    return Predictor(snapshot, architecture).Run(snapshot);
}

}  // namespace quorvane
