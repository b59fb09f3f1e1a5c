#include "analysis/NoiseFigure.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

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

constexpr int kBins = static_cast<int>(kSampleCount);
constexpr int kHalf = kBins / 2;
// Two products within 0.1 dB of each other are a tie: a switching LO's aliased harmonics move
// the sum and the difference product apart by about that much.
constexpr double kTie = 0.025;

// The wanted tone as a line at the antenna: the lowest-numbered source that is on.
std::optional<Line> WantedTone(const std::array<OscillatorSettings, 3>& oscillators, int& tone) {
    for (int k = 0; k < kToneBases; ++k) {
        const OscillatorSettings& o = oscillators[static_cast<std::size_t>(k)];
        const double amplitude = SourceAmplitude(o.Power, o.Invert);
        if (amplitude == 0 || !std::isfinite(amplitude) || !SampledThroughout(o.Frequency))
            continue;
        tone = k;
        Line line;
        line.mhz = WaveformFrequencyMHz(o.Frequency);
        line.phasor = amplitude;
        line.origin.recipe = BaseRecipe(k, FoldMHz(line.mhz) ? -1 : 1);
        LineSet normalised{line};
        Normalise(normalised, 0);  // a tone at DC or 40 MHz keeps its real value
        return normalised.empty() ? std::nullopt : std::optional<Line>(normalised.front());
    }
    return std::nullopt;
}

int BinOf(double mhz) {
    const double bins = mhz / kBinMHz;
    if (!(bins > 0)) return 0;  // NaN too
    return bins >= kHalf ? kHalf : static_cast<int>(std::lround(bins));
}

// The one-sided density at a line's bin, per bin width: at 0 and 40 MHz the one bin stands for
// both halves of the spectrum, so it counts twice.
double DensityAt(const std::vector<double>& oneSided, double mhz) {
    const int bin = BinOf(mhz);
    const double value = oneSided[static_cast<std::size_t>(bin)];
    return bin == 0 || bin == kHalf ? 2 * value : value;
}

// One-sided bin of any transform bin, either half, any number of turns.
int OneSidedBin(long bin) {
    long k = ((bin % kBins) + kBins) % kBins;
    if (k > kHalf) k = kBins - k;
    return static_cast<int>(k);
}

// A filter's pass band, kept relative to the wanted line so that it moves with it through the
// mixers: offsets in MHz from the line, and whether a mixer has mirrored them.
struct CarriedBand {
    double lowOffset = 0;
    double highOffset = 0;
    int bins = 0;
    double widthMHz = 0;
    std::string caption;
};

double Decibels(double ratio) {
    return 10.0 * math::Log10(ratio);
}

class Walker {
  public:
    Walker(const ChainSnapshot& snapshot, Architecture architecture)
        : chain_(StagesOf(snapshot, architecture)), naming_(NamingOf(snapshot, chain_.stages)) {
        const double referenceSigma = ThermalNoiseSigma(kReferenceKelvin);
        reference_.AddWhite(referenceSigma);
        referenceDensity_ = 2 * referenceSigma * referenceSigma / kReferenceOhms / kBins;
        const double sigma =
            snapshot.noise.Working != 0 ? ThermalNoiseSigma(snapshot.noise.Temperature) : 0.0;
        antennaShare_ = sigma * sigma / (referenceSigma * referenceSigma);
        const std::optional<Line> tone = WantedTone(snapshot.oscillators, tone_);
        if (tone) {
            line_ = *tone;
            toneWatts_ = LineWatts(line_);
            alive_ = toneWatts_ > 0 && std::isfinite(toneWatts_);
        }
    }

    NoiseCascade Run() {
        NoiseCascade cascade;
        cascade.points[0] = Report();
        std::size_t next = 0;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            for (; next < chain_.slotEnds[static_cast<std::size_t>(slot)]; ++next) {
                if (chain_.stages[next].runs) RunStage(next);
            }
            cascade.points[static_cast<std::size_t>(slot) + 1] = Report();
        }
        return cascade;
    }

  private:
    double LineGain() const { return LineWatts(line_) / toneWatts_; }

    // The figure the densities give at the line's frequency for a line gain.
    double FigureFrom(const std::vector<double>& oneSided, double gain) const {
        return DensityAt(oneSided, line_.mhz) / (gain * referenceDensity_);
    }

    std::vector<double> At290() const { return reference_.OneSided(1.0, added_); }

    void Lose(const std::string& caption) {
        alive_ = false;
        lostAt_ = caption;
    }

    void RunStage(std::size_t index) {
        const StageRun& stage = chain_.stages[index];
        const StageParameters& p = stage.parameters;
        CascadeStep step;
        step.caption = stage.caption;
        step.mixer = Mixes(p);
        step.figureBefore = figure_;
        const double gainBefore = alive_ ? LineGain() : 0;
        double conversion = 1;
        if (Mixes(p)) conversion = Mix(index);
        if (Filters(p)) Filter(p, stage.caption);
        const double gainAfterEffects = alive_ ? LineGain() : 0;
        const double beforeOwn = alive_ ? FigureFrom(At290(), gainAfterEffects) : 0;
        if (AddsNoise(p)) added_.AddWhite(StageNoiseSigma(p.noiseFigure));
        const double withOwn = alive_ ? FigureFrom(At290(), gainAfterEffects) : 0;
        line_.phasor *= p.gain;
        reference_.Scale(p.gain * p.gain);
        added_.Scale(p.gain * p.gain);
        if (!alive_) return;
        step.conversionDb = Decibels(conversion);
        step.gainDb = Decibels(conversion * p.gain * p.gain);
        step.imageNoise = beforeOwn - figure_;
        step.ownAtAntenna = withOwn - beforeOwn;
        step.ownAtInput = step.ownAtAntenna * gainBefore;
        figure_ = withOwn;
        step.figure = figure_;
        steps_.push_back(step);
    }

    // The line through a mixer: the stronger product, the difference on a tie. Returns the
    // conversion, the power ratio from the line before to the line after.
    double Mix(std::size_t index) {
        const StageRun& stage = chain_.stages[index];
        const StageParameters& p = stage.parameters;
        const int mixerIndex = std::clamp<int>(stage.settings.index, 0, kLoBases - 1);
        const LoWave lo = p.switching ? SwitchingLo(p.loFrequency, mixerIndex)
                                      : MultiplyingLo(p.loFrequency, mixerIndex);
        const MixingWave mixing(lo.samples.empty() ? lo.lines : LineSet{}, lo.meanSquare,
                                lo.samples);
        reference_.Mix(mixing);
        added_.Mix(mixing);
        if (!alive_) return 1;
        const MixerSetting setting{mixerIndex, p.loFrequency, TunedBefore(index)};
        const LineSet products = MixLines({line_}, lo, setting, 0);
        double foldedLo = WaveformFrequencyMHz(p.loFrequency);
        FoldMHz(foldedLo);
        double difference = line_.mhz - foldedLo;
        FoldMHz(difference);
        const Line* chosen = nullptr;
        for (const Line& product : products) {
            if (!chosen) {
                chosen = &product;
                continue;
            }
            const double w = LineWatts(product), best = LineWatts(*chosen);
            const bool tie = std::abs(w - best) <= kTie * std::max(w, best);
            if ((!tie && w > best) ||
                (tie && std::abs(product.mhz - difference) < std::abs(chosen->mhz - difference)))
                chosen = &product;
        }
        const double before = LineWatts(line_);
        if (!chosen || !(LineWatts(*chosen) > 0)) {
            Lose(stage.caption);
            return 1;
        }
        CarryBand(lo, *chosen);
        line_ = *chosen;
        return LineWatts(line_) / before;
    }

    // Moves the SNR band with the line: the raw product that made the chosen line tells whether
    // the mixer (with the fold at 0 or 40 MHz) turned the spectrum round.
    void CarryBand(const LoWave& lo, const Line& chosen) {
        if (!band_) return;
        double strongest = -1;
        bool mirrored = false;
        for (const Line& l : lo.lines) {
            for (const bool sum : {true, false}) {
                double mhz = sum ? line_.mhz + l.mhz : line_.mhz - l.mhz;
                const bool turned = FoldMHz(mhz);
                const double amplitude = math::Abs(l.phasor);
                if (std::abs(mhz - chosen.mhz) < kSameFrequencyMHz && amplitude > strongest) {
                    strongest = amplitude;
                    mirrored = turned;
                }
            }
        }
        if (mirrored) {
            const double low = band_->lowOffset;
            band_->lowOffset = -band_->highOffset;
            band_->highOffset = -low;
        }
    }

    void Filter(const StageParameters& p, const std::string& caption) {
        const PassBand band = PassBandBins(p.centre, p.bandwidth);
        reference_.Mask(band);
        added_.Mask(band);
        if (!alive_) return;
        // What the band keeps of the line stays the line; its leakage into far bins is not
        // part of the wanted line.
        LineSet lines{line_};
        Spread leakage;
        NoiseDensity doubt;
        FilterLines(lines, band, leakage, doubt);
        if (lines.empty() || !(LineWatts(lines.front()) > 0)) {
            Lose(caption);
            return;
        }
        line_ = lines.front();
        const int bins = std::max(0, band.hi - band.lo);
        if (!band_ || bins <= band_->bins)
            band_ = CarriedBand{band.lo * kBinMHz - line_.mhz, (band.hi - 1) * kBinMHz - line_.mhz,
                                bins, p.bandwidth, caption};
    }

    // The centre of the nearest band-pass filter before stage `index`, switched in or not: the
    // side of the LO it is tuned to tells the image from the wanted product.
    std::optional<double> TunedBefore(std::size_t index) const {
        for (std::size_t k = index; k-- > 0;) {
            const StageRun& stage = chain_.stages[k];
            if (stage.settings.kind == StageKind::Filter && Filters(stage.parameters))
                return stage.parameters.centre;
        }
        return std::nullopt;
    }

    double SnrDb(const WantedLine& w) const {
        const std::vector<double> noise = reference_.OneSided(antennaShare_, added_);
        double watts = 0;
        const double a = band_ ? (line_.mhz + band_->lowOffset) / kBinMHz : 0;
        const double b = band_ ? (line_.mhz + band_->highOffset) / kBinMHz : 0;
        // A pass band is at most the whole transform wide.
        if (band_ && std::isfinite(a) && std::isfinite(b) && std::abs(b - a) <= kBins) {
            std::set<int> bins;
            for (long k = std::lround(std::min(a, b)); k <= std::lround(std::max(a, b)); ++k)
                bins.insert(OneSidedBin(k));
            for (const int k : bins)
                watts += noise[static_cast<std::size_t>(k)];
        } else {
            for (const double n : noise)
                watts += n;
        }
        return Decibels(w.watts / watts);
    }

    WantedLine Report() const {
        WantedLine w;
        w.tone = tone_;
        w.present = alive_;
        w.lostAt = lostAt_;
        if (!alive_) return w;
        w.mhz = line_.mhz;
        w.watts = LineWatts(line_);
        w.gain = LineGain();
        w.coherentDc = AtDcOrNyquist(line_.mhz) &&
                       steps_.end() != std::find_if(steps_.begin(), steps_.end(),
                                                    [](const CascadeStep& s) { return s.mixer; });
        w.words = OriginWords(line_.origin, naming_);
        const double figure = FigureFrom(At290(), w.gain);
        // A gain or a noise beyond the double range leaves no figure to state.
        if (std::isfinite(figure) && figure > 0) w.figure = figure;
        w.steps = steps_;
        w.snrDb = SnrDb(w);
        if (band_) {
            w.bandMHz = band_->widthMHz;
            w.bandStage = band_->caption;
        }
        return w;
    }

    ChainStages chain_;
    Naming naming_;
    NoiseDensity reference_;  // what 290 K at the antenna gives
    NoiseDensity added_;      // what the stages add
    double referenceDensity_ = 0;
    double antennaShare_ = 0;
    int tone_ = -1;
    Line line_;
    double toneWatts_ = 0;
    bool alive_ = false;
    std::string lostAt_;
    double figure_ = 1;
    std::vector<CascadeStep> steps_;
    std::optional<CarriedBand> band_;
};

}  // namespace

const WantedLine& NoiseCascade::At(int testPoint) const {
    return points[static_cast<std::size_t>(std::clamp(testPoint, 1, kPredictedTestPoints) - 1)];
}

NoiseCascade AnalyseNoiseCascade(const ChainSnapshot& snapshot, Architecture architecture) {
    return Walker(snapshot, architecture).Run();
}

}  // namespace quorvane
