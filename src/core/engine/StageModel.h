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

// Which effects a stage's parameters switch on.
bool Distorts(const StageParameters& stage);   // 0 < ip3 < 1e12 W
bool Mixes(const StageParameters& stage);      // loFrequency > 0
bool Filters(const StageParameters& stage);    // 0 < bandwidth < 25 MHz
bool AddsNoise(const StageParameters& stage);  // noiseFigure > 0

// Coefficients of the polynomial x + c2 x^2 + c3 x^3 + c4 x^4 a stage with an intercept point
// applies to every sample in volts: c3 = 4/3/(100 ip3), c2 = c3/10, c4 = c3/100. The same terms
// of the signal leak into the local oscillator of a mixing stage.
// - The factor 100 turns the intercept in watts into the square of its peak voltage across
//   50 ohms (a tone of p watts peaks at 10 sqrt(p) volts), so third-order products reach the
//   tones at the input power the panel states.
// - The even terms are fixed fractions of c3, so a stage makes second- and fourth-order
//   products as a real one does, without a second-order intercept of its own to set.
struct Distortion {
    double c2;
    double c3;
    double c4;
};
Distortion DistortionFor(double ip3Watts);

// The factor a switching mixer multiplies the signal by: the sign of the local oscillator's
// sample, 0 for a sample that is exactly 0.
double SwitchingFactor(double loSample);

// Standard deviation in volts of the noise a stage with this noise figure in dB adds to every
// sample: thermal noise at Te = (F - 1) * 290 K.
double StageNoiseSigma(double noiseFigureDb);

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
    friend bool operator==(const PassBand&, const PassBand&) = default;
};
PassBand PassBandBins(double centreMHz, double bandwidthMHz);

// Whether the filter keeps transform bin `bin` (0..4096; bin 8192 - b is kept with bin b).
// It says in one place what clearing the stop band leaves standing.
bool PassBandKeepsBin(const PassBand& band, int bin);

}  // namespace quorvane
