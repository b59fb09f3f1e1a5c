#pragma once

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "analysis/ChainPrediction.h"

namespace quorvane {

// The noise figure and the signal-to-noise ratio of the line a student follows, by their
// textbook definitions, with the cascade stage by stage so that it can be checked by hand.
//
// The wanted tone is the lowest-numbered source that is on. Its line at a test point is the
// tone's first-order path: through every amplifier and filter, and through each mixer the
// stronger product (the difference product on a tie). The spot noise figure there is
//   F = N_out(f) / (G N_ref),
// N_out the one-sided noise density at the line's frequency when the antenna's noise is 290 K
// (whatever the noise source is set to), G the power gain from the tone to the line, and N_ref
// the density 290 K gives at the antenna. It counts the noise a mixer folds in from its image
// band, so it is the single-sideband figure and equals the fall of the line's SNR in equal
// bandwidths. A line at DC, where both sidebands of a homodyne come down in phase, gains twice
// what either sideband would: there the figure is the double-sideband one.

// One stage the wanted line has passed, with its share of the cascade, every noise as a
// multiple of what 290 K gives.
struct CascadeStep {
    std::string caption;
    bool mixer = false;
    double conversionDb = 0;  // mixer: what the LO does to the line, before the panel's gain
    double gainDb = 0;        // to the wanted line: conversion and the panel's gain
    double ownAtInput = 0;    // its own noise referred to its input: F - 1, or (F - 1) / conversion
    double ownAtAntenna = 0;  // the same referred to the antenna: ownAtInput / G before it
    // Noise that reaches the line from any band but the wanted line's own (a mixer's image band
    // and, for a switching mixer, the bands around the LO's odd harmonics), referred to the
    // antenna: I.
    double imageNoise = 0;
    double figureBefore = 1;  // the cascade up to the stage
    double figure = 1;        // the cascade after it: figureBefore + imageNoise + ownAtAntenna
};

inline constexpr double kNoFigure = std::numeric_limits<double>::quiet_NaN();

struct WantedLine {
    int tone = -1;              // 0 .. 2; -1 when every source is off
    bool present = false;       // the line reaches this test point
    std::string lostAt;         // where it does not: the stage that removed it
    double mhz = 0;             // 0 .. 40
    double watts = 0;           // the line alone, the tone as set
    double gain = 0;            // power gain from the tone at the antenna to the line
    bool coherentDc = false;    // at DC: the double-sideband figure
    std::string words;          // where it comes from: "1st Mixer LO − tone 1"
    double figure = kNoFigure;  // spot noise figure F (a ratio), at 290 K
    std::vector<CascadeStep> steps;
    // With the noise source as set: the line over the noise in the pass band of the narrowest
    // filter passed (the later one of equal width), carried along with the line through the
    // mixers, or in 0 .. 40 MHz.
    double snrDb = kNoFigure;  // +infinity without noise
    double bandMHz = 0;        // the filter's bandwidth; 0 for the whole 0 .. 40 MHz
    std::string bandStage;     // the filter's caption
};

struct NoiseCascade {
    std::array<WantedLine, kPredictedTestPoints> points;
    const WantedLine& At(int testPoint) const;  // 1 .. 8
};

NoiseCascade AnalyseNoiseCascade(const ChainSnapshot& snapshot, Architecture architecture);

}  // namespace quorvane
