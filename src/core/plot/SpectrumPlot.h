#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/SignalBuffer.h"
#include "plot/Drawing.h"

namespace quorvane {

// The frequency window of the spectrum plot: half-span h and centre c in MHz, kept inside
// 0..20 MHz, and the transform bins bf..bl it covers.
struct FrequencyWindow {
    double h = 10;
    double c = 10;
    std::int32_t bf = 0;
    std::int32_t bl = 2048;
    // The centre scroll bar's new value when the window had to be shifted back inside.
    std::optional<int> correctedCentre;
};

// Span values 0..6 give half-spans 0.1, 0.25, 0.5, 1, 2.5, 5, 10 MHz (any other value 10);
// the centre value is in tenths of a MHz.
inline constexpr std::array<double, 7> kHalfSpansMHz = {0.1, 0.25, 0.5, 1, 2.5, 5, 10};
inline constexpr int kLargestSpanValue = static_cast<int>(kHalfSpansMHz.size()) - 1;
FrequencyWindow ComputeFrequencyWindow(int spanValue, int centreValue);

// The span and centre scroll bars' readings: "20 MHz" for the whole span of value 6, "0.2 MHz"
// for value 0; the centre "10 MHz" for value 100.
std::string SpanText(int spanValue);
std::string CentreText(int centreValue);

// The axis labels in MHz, truncated to one decimal: " 9.7", " 10.2", " .5".
std::string MinFreqLabel(const FrequencyWindow& window);
std::string MaxFreqLabel(const FrequencyWindow& window);

// Bin powers |X(k)|^2, k = 0..8191, of the unscaled forward transform of the buffer after a
// raised-cosine taper over 2048 samples at each end. The buffer itself is not changed.
std::vector<double> BinPowers(const SignalBuffer& data);

// 10 * log10(p), with an infinite power held at the largest finite level so that an overflowing
// signal still has a scale, and 0 giving -infinity.
double PowerDb(double p);

// The level in dB of the strongest bin of all 8192, or -1000 when every bin is 0 (or NaN).
double StrongestLevelDb(const std::vector<double>& powers);

// The strongest bin's frequency in MHz, 0 to 40 MHz: bins above 4096 mirror those below it.
double StrongestFrequencyMHz(const std::vector<double>& powers);

// Levels at or below this are silence: the picture stays empty.
inline constexpr double kSilenceDb = -100;
// The strongest level of a transform with no power at all.
inline constexpr double kNoStrongestDb = -1000;

// The 100-column trace of the window: the top of the picture is 10 dB above the strongest bin
// and the bottom 40 dB below it. A column averages its bins when it spans more than one,
// otherwise shows the single bin at its right end. Levels below the bottom, and levels that are
// not a number, sit on the bottom edge.
Drawing SpectrumTrace(const std::vector<double>& powers, const FrequencyWindow& window,
                      double strongestDb, double width, double height, std::uint32_t colour);

// The level in dB of each of the 100 columns, as the trace draws it, before it is fitted into
// the picture.
std::vector<double> ColumnLevelsDb(const std::vector<double>& powers,
                                   const FrequencyWindow& window);

// Absolute calibration of the bin levels: the power in dBm, into 50 ohms, of a sine whose bin
// at the sine's frequency stands at binDb (a sine of amplitude A at a bin centre gives
// |X| = A * (sum of the taper) / 2, and carries A^2 / 100 watts).
double SineDbmForBinLevel(double binDb);

// What the pointer read-out over the spectrum picture needs to know about the last drawing.
struct SpectrumHoverModel {
    bool valid = false;
    bool silent = false;
    double lowMHz = 0;
    double highMHz = 20;
    double cw = 0;  // column width in twips
    double height = 0;
    double strongestDb = kNoStrongestDb;
};

struct SpectrumPlotSettings {
    int spanValue = 6;      // hscSpectrum
    int centreValue = 100;  // hscCentre
    double width = 0;       // drawable width in twips
    double height = 0;      // drawable height in twips
    std::uint32_t colour = 0;
};

// What "Copy Data" exports: the window and the power of every transform bin it covers.
struct SpectrumBins {
    double lowMHz = 0;
    double highMHz = 20;
    std::int32_t firstBin = 0;
    double strongestDb = kNoStrongestDb;
    std::vector<double> powers;  // bins firstBin, firstBin + 1, ...; empty when silent
};

struct SpectrumPlotResult {
    Drawing drawing;      // empty when the signal is silent
    std::string minFreq;  // lblMinFreq
    std::string maxFreq;  // lblMaxFreq
    std::optional<int> correctedCentre;
    SpectrumHoverModel hover;
    SpectrumBins bins;
    std::string description;  // what the picture shows, for screen readers
};

SpectrumPlotResult ComputeSpectrumPlot(const SignalBuffer& data,
                                       const SpectrumPlotSettings& settings);

// The frequency under x, the level under y relative to the strongest bin, and the dBm of a sine
// peaking at that level; empty without a drawing.
std::string SpectrumHoverText(const SpectrumHoverModel& model, double x, double y);

// What is known about the lines near a frequency: a text about the line within toleranceMHz of
// mhz, or an empty one.
using LineReadoutSource = std::function<std::string(double mhz, double toleranceMHz)>;

// The read-out above, followed by what `lines` says about the strongest line within three
// columns of the pointer (at least one bin either side, where the span is narrow).
std::string SpectrumHoverText(const SpectrumHoverModel& model, double x, double y,
                              const LineReadoutSource& lines);

// The window's bins as tab-separated text: a line naming the test point (testPoint, or that
// none is shown when it is empty) and the span, a header row with units, and one row per bin
// at the bin's own centre frequency in MHz: its level in dB relative to the strongest bin, and
// in dBm as the power of a sine at that frequency whose bin stands at that level.
std::string SpectrumTable(const SpectrumBins& bins, std::string_view testPoint);

// "span 20 MHz (0 to 20 MHz)" for the window from lowMHz to highMHz.
std::string SpanOfWindow(double lowMHz, double highMHz);

// "Spectrum from 0 to 20 MHz; strongest component at 5.000 MHz, -27.0 dBm", or "...: no signal".
std::string SpectrumDescription(const FrequencyWindow& window, const std::vector<double>& powers,
                                double strongestDb);

}  // namespace quorvane
