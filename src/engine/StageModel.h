#pragma once

#include "engine/ChainSnapshot.h"
#include "engine/EngineBuffers.h"

namespace quorvane {

class UniformRandom;

// The parameters of the one stage model every chain stage runs. Each effect is switched on by
// its own parameter's value; a value outside the range just leaves the effect out.
struct StageParameters {
    double gain = 1.0;         // linear voltage factor, always applied
    double bandwidth = 100.0;  // MHz: band-pass filter when 0 < bandwidth < 25
    double centre = 0.0;       // MHz: centre of the band-pass filter
    double noiseFigure = 0.0;  // dB: added input noise when > 0
    double ip3 = 0.0;          // W: third-order nonlinearity when 0 < ip3 < 1e12
    double loFrequency = 0.0;  // MHz: local oscillator and mixing when > 0
    bool switching = false;    // mixing law: false multiplies, true switches by the LO's sign
};

// Runs one stage on buffers.dSignal in place, in this order: nonlinearity, local oscillator
// (with the signal's distortion leaking into it), mixing, band-pass filter, noise, gain.
void ProcessStage(const StageParameters& stage, EngineBuffers& buffers, UniformRandom& random);

// What each kind of panel hands the stage model: its Gain in dB becomes a voltage factor, its
// IP3 in dBm becomes watts. Filters never distort or mix; amplifiers and mixers never filter.
StageParameters FilterParameters(const StageSettings& panel);
StageParameters AmplifierParameters(const StageSettings& panel);
StageParameters MixerParameters(const StageSettings& panel);

void ProcessFilter(const StageSettings& panel, EngineBuffers& buffers, UniformRandom& random);
void ProcessAmplifier(const StageSettings& panel, EngineBuffers& buffers, UniformRandom& random);
void ProcessMixer(const StageSettings& panel, EngineBuffers& buffers, UniformRandom& random);

// Runs the adapter that matches panel.kind.
void ProcessChainStage(const StageSettings& panel, EngineBuffers& buffers, UniformRandom& random);

// The band-pass filter's edges as bin numbers: bins lo .. hi-1 and their mirrors pass.
// lo is held within 0..8192 and hi within 0..8191, so clearing the stop band only touches
// the filter's own 8192 points. A band that lies wholly below DC (hi = 0) or above the top
// bin (lo = 8192), or whose centre is NaN, passes nothing.
struct PassBand {
    int lo = 0;
    int hi = 0;
};
PassBand PassBandBins(double centreMHz, double bandwidthMHz);

}  // namespace quorvane
