#pragma once

#include "analysis/Lines.h"

namespace quorvane::analysis {

// What a mixer multiplies the signal by, as lines: the recipe of each line is n x the mixer's
// LO, for the harmonic n it stands for.
struct LoWave {
    LineSet lines;
    double meanSquare = 0;      // mean of the samples squared: what the mixer does to noise power
    double smallestSample = 0;  // smallest |cos| the LO takes: how much leakage keeps its signs
    bool approximate = false;   // the lines are an estimate (see SwitchingLo)
    // The switching mixer's signs sample by sample, exact whatever its lines leave out; empty
    // for the multiplying mixer, whose one line is exact.
    std::vector<double> samples;
    // The switching mixer's |cosine| at every sample: a leak into the LO of this much moves the
    // sign of the sample.
    std::vector<double> magnitudes;
};

// Whether the engine's cosine of this frequency has a phase it can compute at every sample;
// where it has not, the waveform is 0.
bool SampledThroughout(double mhz);

// Beyond this the engine's phase products keep too few digits to fold the frequency: the
// samples are no longer a clean cosine.
inline constexpr double kLargestCleanMHz = 1e9;

// The multiplying mixer's unit cosine: one line, 1 V at zero phase.
LoWave MultiplyingLo(double loMHz, int mixer);

// The switching mixer's square wave, the sign of the sampled cosine. When the signs repeat
// with a period of at most 1024 samples over the whole buffer (every LO frequency that is a
// multiple of 80/1024 MHz, as the panels' lists give), the lines are that period's transform,
// exact, with the aliased harmonics and the signs of the samples that fall on a zero crossing
// included. Otherwise they are the odd harmonics 4/(n pi) up to n = 199, folded. Either way,
// lines weaker than 1/1000 of the strongest are left out; the noise still gets their power.
LoWave SwitchingLo(double loMHz, int mixer);

}  // namespace quorvane::analysis
