#pragma once

#include <optional>
#include <vector>

#include "analysis/Lines.h"
#include "analysis/LocalOscillator.h"
#include "analysis/NoiseDensity.h"
#include "engine/StageModel.h"

namespace quorvane::analysis {

// One term c x^power of a stage's polynomial.
struct Term {
    int power;
    double coefficient;
};

struct Products {
    LineSet lines;
    // The most a line left out to bound the work could have been worth: 0 unless the lines are
    // so many that only the strongest were multiplied out.
    double leftOut = 0;
};

// The sum of the terms applied to the lines: every product of the lines that reaches `floor`,
// each marked with its term's power and the stage. Powers are built up one factor at a time,
// and a partial product too weak to reach `floor` in any later term is dropped.
Products PolynomialTerms(const LineSet& x, const std::vector<Term>& terms, double floor, int stage);

// The amplitude of the strongest 3rd-order product among `products` that is not one of the
// `parents` acting on itself.
double StrongestNewThirdOrder(const LineSet& products, const LineSet& parents);

// Where the stage before a mixer is tuned: the centre of the nearest band-pass filter before
// it. A line on the other side of the LO is an image when it comes down through the mixer.
struct MixerSetting {
    int mixer = 0;     // panel index: its LO is base LoBase(mixer)
    double loMHz = 0;  // as set
    std::optional<double> tunedMHz;
};

// The signal times the LO: every line with every LO line, at the sum and the difference of
// their frequencies. Every origin of a line is carried over, renamed as a DC level times the
// LO, or as an image where it comes down from the far side of the LO.
LineSet MixLines(const LineSet& y, const LoWave& lo, const MixerSetting& mixer, double floor);

// The band-pass filter on lines. The filter clears whole bins, and a line between bins spreads
// over every bin. A line whose nearest 10 bins either side are kept passes whole; a line on a
// bin's centre passes when its bin is kept. Of any other line, what the kept bins near it hold
// stays the line (marked approximate where the band's edge cuts it), and what its other kept
// bins hold, added as phasors with the other lines', goes to `spread`, bin by bin. Watts the
// prediction can only estimate there go to `doubt`.
void FilterLines(LineSet& lines, const PassBand& band, Spread& spread, NoiseDensity& doubt);

}  // namespace quorvane::analysis
