#pragma once

#include <array>
#include <complex>
#include <cstdint>
#include <vector>

#include "engine/SignalBuffer.h"
#include "engine/StageModel.h"

namespace quorvane::analysis {

// The prediction's picture of a signal: a sum of sinusoids ("lines"), each known by its
// frequency, its complex amplitude and where it came from. Sampling at 80 MHz folds every
// frequency into 0..40 MHz; a line at 0 or 40 MHz has no phase of its own, only a signed value.

inline constexpr double kSamplingMHz = 1e-6 / kSampleInterval;
inline constexpr double kNyquistMHz = kSamplingMHz / 2;
inline constexpr double kBinMHz = kBinWidth / 1e6;
// Lines closer than this (10 Hz, a thousandth of a bin) are one frequency: over the 102.4 us of
// a buffer they drift less than 0.4 degrees apart, so they add as phasors.
inline constexpr double kSameFrequencyMHz = 1e-5;

// The base frequencies every line is a combination of: the three tones and the local
// oscillators of the three mixer panels.
inline constexpr int kToneBases = 3;
inline constexpr int kLoBases = 3;
inline constexpr int kBases = kToneBases + kLoBases;
inline constexpr int LoBase(int mixerIndex) {
    return kToneBases + mixerIndex;
}

// An integer combination of the base frequencies, e.g. 2 x tone 1 - tone 2. Its value in MHz
// folds to the frequency of the line it names.
struct Recipe {
    std::array<std::int16_t, kBases> counts{};

    bool IsZero() const;
    Recipe operator+(const Recipe& other) const;
    Recipe operator-(const Recipe& other) const;
    Recipe operator-() const;
    friend bool operator==(const Recipe&, const Recipe&) = default;
};

Recipe BaseRecipe(int base, int count = 1);

enum class OriginKind : std::uint8_t {
    Linear,   // a source, or a product of mixing named by its recipe
    Product,  // made by a stage's polynomial
    Image,    // reached through a mixer from the far side of its LO
    DcMix,    // a DC level multiplied by a mixer's LO
};

// Where a line (or one contribution to it) comes from.
struct Origin {
    Recipe recipe;
    OriginKind kind = OriginKind::Linear;
    std::int8_t order = 1;     // Product: the power of the stage's polynomial term
    std::int8_t stage = -1;    // Product: the chain stage whose polynomial made it
    std::int8_t mixer = -1;    // Image, DcMix: the mixer panel
    std::int8_t harmonic = 1;  // DcMix: which multiple of the LO
    bool above = false;        // Image: the parent line lay above the LO
};

// One sinusoid: Re(phasor * exp(i 2 pi f t)) volts, t from the buffer's first sample.
struct Line {
    double mhz = 0;  // 0 .. 40
    std::complex<double> phasor;
    bool approximate = false;  // its level is only a guide (see the filter)
    // The filters that have cleared bins its transform reaches: only what they all keep of it
    // is left, so a later filter finds it in those bins alone.
    std::vector<PassBand> confinedBy;
    // Made by mixing or a polynomial from lines that filters had confined: it is no longer the
    // whole sinusoid its phasor stands for, and what a filter leaves of it is an estimate.
    bool truncated = false;
    Origin origin;               // the strongest contribution
    std::vector<Origin> others;  // the other contributions of a merged line, strongest first
    int moreOrigins = 0;         // contributions beyond those kept
};

// A merged line keeps the words of its strongest contributions, up to this many, and counts
// the rest.
inline constexpr std::size_t kMostOrigins = 6;

using LineSet = std::vector<Line>;

// Folds a frequency into 0 .. 40 MHz. Returns true when the fold mirrors it, which conjugates
// the line's phasor (and negates its recipe).
bool FoldMHz(double& mhz);

bool AtDcOrNyquist(double mhz);
// Whether a line lies on a bin's centre (within a ten-thousandth of a bin), where a transform of
// the whole buffer holds it in that one bin without spreading it over its neighbours.
bool OnBinCentre(double mhz);

// Power in watts into 50 ohms: |phasor|^2 / 100, or value^2 / 50 at 0 and 40 MHz.
double LineWatts(const Line& line);

// The watts the lines give a buffer together: its mean square over 50 ohms. Lines closer than a
// few bins, and a line near 0 or 40 MHz with its own mirror, do not stay apart over the 8192
// samples: they beat, and add as phasors weighted by the buffer's Dirichlet kernel. `lines` are
// in order of frequency.
double BufferWatts(const LineSet& lines);

double Strongest(const LineSet& lines);     // the largest |phasor|
double AmplitudeSum(const LineSet& lines);  // a bound on the signal's peak

// Sorts by frequency, adds lines of one frequency as phasors (keeping their origins, the
// strongest first, each recipe once), takes the real value of lines at 0 and 40 MHz, and drops
// lines whose amplitude is below `floor`.
void Normalise(LineSet& lines, double floor);

// Keeps the `count` strongest lines, still in order of frequency. Returns the amplitude of the
// strongest line left out, 0 if none was.
double KeepStrongest(LineSet& lines, std::size_t count);

// Every product of a line of `a` with a line of `b` whose amplitude reaches `floor`: the sum and
// the difference frequency, at half the product of the amplitudes. Origins are the operands'
// strongest recipes added and subtracted, marked as products of `order` and `stage`. The
// products come normalised (Normalise with `floor`) and only the `count` strongest are kept
// (KeepStrongest); `leftOut` is then the amplitude of the strongest left out, 0 if none was.
LineSet Multiply(const LineSet& a, const LineSet& b, double floor, int order, int stage,
                 std::size_t count, double& leftOut);

}  // namespace quorvane::analysis
