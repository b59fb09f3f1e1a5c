#pragma once

#include <vector>

#include "analysis/Lines.h"
#include "engine/StageModel.h"

namespace quorvane::analysis {

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
    // What a mixer does to noise: each line of the LO shifts a copy of the density by its
    // frequency, weighted by its power (|a|^2 / 4 to each side, a DC or 40 MHz value squared).
    // A shift between bins is split between the two neighbours. The part of the LO's power in
    // lines too weak to list is spread evenly. With `overlap`, adds to it in each bin the most
    // by which the copies landing there could exceed their sum if they were sinusoids adding in
    // phase: (sum of their square roots)^2 - their sum.
    void Mix(const LineSet& lo, double meanSquare, NoiseDensity* overlap = nullptr);

    double Total() const;
    // For power made of sinusoids on the bins' centres: the most their sum can reach, the sum of
    // each bin's peak volts sqrt(2 x 50 x watts), counting a bin and its mirror as one.
    double PeakBound() const;
    // The density folded into bins 0..4096, each bin with its mirror.
    std::vector<double> OneSided(double factor, const NoiseDensity& plus) const;

  private:
    std::vector<double> bins_;
};

}  // namespace quorvane::analysis
