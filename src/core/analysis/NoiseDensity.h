#pragma once

#include <complex>
#include <vector>

#include "analysis/Lines.h"
#include "engine/StageModel.h"

namespace quorvane::analysis {

// A waveform the signal is multiplied by over the buffer: a mixer's LO, or the slope a
// polynomial gives noise at the signal, as lines. Its samples are worked out in full, so that a
// line between bins carries its whole transform: multiplied by it, a component on a bin's centre
// lands between bins and reaches every bin, not only the two beside it.
class MixingWave {
  public:
    // `meanSquare` is the waveform's own mean square; what its lines leave of it is taken to be
    // spread evenly. Given `exact` samples, the waveform is those plus the lines, exactly.
    MixingWave(const LineSet& lines, double meanSquare, const std::vector<double>& exact = {});

    const std::vector<double>& Samples() const { return samples_; }
    // The transform of |W(k)|^2 / N^2, interleaved complex, W the waveform's transform: the
    // kernel a density is convolved with.
    const std::vector<double>& KernelTransform() const { return kernel_; }
    // The mean square of the waveform that its lines do not hold.
    double Remainder() const { return remainder_; }

  private:
    std::vector<double> samples_;
    std::vector<double> kernel_;
    double remainder_ = 0;
};

// The samples over the buffer of a set of lines, leaving out lines below `floor` volts.
std::vector<double> LineSamples(const LineSet& lines, double floor = 0);

// Adds to `samples` what filters took of the lines: for the lines they confined, the part of
// their transforms in the bins any of those filters cleared.
void AddClearedSamples(std::vector<double>& samples, const LineSet& lines);

// The expected noise power of a signal in each of the 8192 bins of its transform (both
// halves, so bin 8192 - k mirrors bin k), in watts: the sum of all bins is the noise power.
class NoiseDensity {
  public:
    NoiseDensity();

    // Adds white noise of this many volts standard deviation per sample.
    void AddWhite(double sigmaVolts);
    // Adds another density times a factor, bin by bin.
    void Add(const NoiseDensity& other, double factor = 1.0);
    // Adds watts to one of the 8192 bins.
    void AddAt(int bin, double watts);
    // Zeroes the bins the filter clears.
    void Mask(const PassBand& band);
    // Multiplies by a power factor.
    void Scale(double factor);
    // What a mixer does to noise: the density convolved with the power of the waveform's
    // transform, each bin's noise being independent of the others'. Each line of an LO on a
    // bin's centre shifts a copy by its frequency, weighted by its power (|a|^2 / 4 to each
    // side, a DC or 40 MHz value squared); one between bins lays it over every bin, the most
    // on the two beside the shift. The part of the waveform's power its lines leave out is
    // spread evenly. With `signedBins`, bins may hold negative watts (a correction to another
    // density) and are not clipped at zero.
    void Mix(const MixingWave& wave, bool signedBins = false);

    double Total() const;
    // For power made of sinusoids on the bins' centres: the most their sum can reach, the sum of
    // each bin's peak volts sqrt(2 x 50 x watts), counting a bin and its mirror as one.
    double PeakBound() const;
    // The density folded into bins 0..4096, each bin with its mirror.
    std::vector<double> OneSided(double factor, const NoiseDensity& plus) const;
    // The bins of what has been filtered or added bin by bin (white noise not yet filtered is
    // held apart).
    const std::vector<double>& Bins() const { return bins_; }

  private:
    // White noise times the waveforms of the mixers it has passed since it was added: its
    // transform is white, at watts per bin times the envelope's mean square. Its bins are
    // correlated, so a second mixer multiplies the envelope rather than the density; a filter
    // makes it a density like any other.
    struct White {
        double perBin = 0;
        std::vector<double> envelope;  // empty: 1 throughout
        double Level() const;          // watts per bin
    };
    void Settle();  // the white parts into the bins
    double WhiteLevel() const;

    std::vector<double> bins_;
    std::vector<White> white_;
};

// What filters leave of lines between bins beyond the lines themselves: a sum of sinusoids on
// the bins' centres, held as its transform (8192 complex values, bin N - k the conjugate of bin
// k), so that a mixer or a polynomial's slope multiplies it exactly and a later filter finds in
// its pass band what the shifted copies really put there, added in phase. Where a filter's leaks
// interfere with the lines' own bins, the difference in watts is kept beside, as a density.
class Spread {
  public:
    Spread();

    // Adds a transform value X (the DFT of the samples) to bin k of 8192.
    void AddValue(int bin, std::complex<double> value) {
        values_[static_cast<std::size_t>(bin)] += value;
        any_ = true;
    }
    // Watts, possibly negative, beside the transform values.
    void AddWatts(int bin, double watts) { residue_.AddAt(bin, watts); }

    void Mask(const PassBand& band);
    void Scale(double powerFactor);
    void Mix(const MixingWave& wave);
    // What a stage's polynomial p does to the spread s beside a signal x, given by its samples:
    // p(x + s) - p(x), sample by sample, so that the spread's own peaks bend it as they do in the
    // buffer. The watts kept beside see the slope, as noise does.
    // `cleared` is what filters took of the lines x: the buffer holds x - cleared, and what the
    // lines' bins keep of the cleared part's first-order term is already theirs.
    void Distort(const MixingWave& slope, const std::vector<double>& x,
                 const std::vector<double>& cleared, const Distortion& d);
    bool Empty() const { return !any_; }
    // Adds the spread's samples over the buffer to `samples`.
    void AddSamples(std::vector<double>& samples) const;

    double Total() const;
    double PeakBound() const;
    // Watts in bins 0..4096, each bin with its mirror.
    std::vector<double> OneSided() const;

  private:
    double BinWatts(std::size_t k) const;

    std::vector<std::complex<double>> values_;
    NoiseDensity residue_;
    bool any_ = false;
};

}  // namespace quorvane::analysis
