#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/SignalBuffer.h"
#include "plot/Drawing.h"

namespace quorvane {

// The stretch of a buffer the time plot shows: samples first..last, 100 * z samples long from
// sample 1024 (cut at the end of the buffer), z chosen by the zoom scroll bar's value.
struct TimeWindow {
    int z = 0;
    std::int32_t first = 1024;
    std::int32_t last = 1024;
};

// Zoom values 0..6 give z = 1, 2, 5, 10, 20, 50, 100; any other value gives z = 0.
inline constexpr std::array<int, 7> kZoomFactors = {1, 2, 5, 10, 20, 50, 100};
inline constexpr int kLargestZoomValue = static_cast<int>(kZoomFactors.size()) - 1;
TimeWindow ZoomWindow(int zoomValue);

// The right-hand time label: the nominal length of the window (z * 100 samples), so zoom 6
// reads " 125u" although its window is cut to 7167 samples.
std::string MaxTimeLabel(int z);

// The largest magnitude over samples first..last-1 (the last sample of the window is not
// scanned): the highest value, or the magnitude of the lowest where that is larger. A NaN
// sample makes the peak NaN; an infinite one makes it infinite.
double WindowPeak(const SignalBuffer& data, const TimeWindow& window);

// The 1-2-5 full scale for a peak: 1.25 * peak rounded to the nearest third of a decade, then
// to the series. Peaks below 1e-18 use 1e-18; a peak so large that the scale would overflow,
// or an infinite one, gives kLargestScale.
double FullScale(double peak);

// The full scale remembered with one plot group's freeze box. While the box is unchecked every
// draw remembers its computed scale; while it is checked the remembered scale is used. A box
// checked before anything was remembered uses, and remembers, the computed scale.
class FreezeMemory {
  public:
    double Apply(bool frozen, double computed);

  private:
    bool remembered_ = false;
    double fullScale_ = 0;
};

// Maps a sample value to an integer row of the picture: Y(v) = H - floor(ys * v + yz + 0.5)
// with ys = 0.4 * H / F and yz = H / 2, clamped into 0..H before it becomes an integer, so
// values beyond the picture (infinities among them) sit on its edges. NaN sits on the zero line.
struct RowScale {
    RowScale(double height, double fullScale);
    std::int32_t Row(double v) const;
    // Whether a value lies beyond the picture's top or bottom edge, so its row is clamped.
    bool Clips(double v) const;
    double Value(double row) const;  // the value a (fractional) row stands for

    double height;
    double ys;
    double yz;
};

// The samples column c (0..99) spans, both ends included: neighbouring columns share their
// boundary sample, and the last column ends at the window's last sample.
struct ColumnSpan {
    std::int16_t s0 = 0;
    std::int16_t s1 = 0;
};
ColumnSpan ColumnSamples(int c, const TimeWindow& window);

// What the pointer read-out over the time picture needs to know about the last drawing.
struct TimeHoverModel {
    bool valid = false;
    TimeWindow window;
    double cw = 0;  // column width in twips
    double height = 0;
    double fullScale = 0;
    std::bitset<100> clippedColumns;  // columns whose trace runs past the picture's edges
};

struct TimePlotSettings {
    int zoomValue = 0;    // hscSignal
    bool frozen = false;  // chkFreeze checked
    double width = 0;     // drawable width in twips
    double height = 0;    // drawable height in twips
    std::uint32_t colour = 0;
};

struct TimePlotResult {
    Drawing drawing;
    std::string minTime;    // lblMinTime
    std::string maxTime;    // lblMaxTime
    std::string signalMax;  // lblSignalMax
    TimeHoverModel hover;
    std::vector<double> samples;  // the window's samples, first .. last - 1, for "Copy Data"
    std::string description;      // what the picture shows, for screen readers
};

// The whole time plot of one buffer: 100 columns joining each column's boundary samples (each
// line drawn again 15 twips lower), crossing lines where a column sweeps more than half the
// height, and the label texts.
TimePlotResult ComputeTimePlot(const SignalBuffer& data, const TimePlotSettings& settings,
                               FreezeMemory& freeze);

// "t = 1.28 us" and "v = -12.3 mV" for the point (x, y) in twips; empty without a drawing. Where
// the trace runs past the picture's edges (a frozen scale too small for the signal), the voltage
// line ends with "(clipped)", so that clipping is not mistaken for the chain compressing.
std::string TimeHoverText(const TimeHoverModel& model, double x, double y);

// The window's samples as tab-separated text: a line naming the test point (testPoint, or that
// none is shown when it is empty) and the full scale, a header row with units, and one row per
// sample: time in µs from the window's start and voltage in V.
std::string TimeTraceTable(const std::vector<double>& samples, std::string_view testPoint,
                           double fullScale);

// The zoom scroll bar's reading: the window's nominal length as the right-hand label gives it,
// with its unit ("1.3 µs" for zoom 0, "125 µs" for zoom 6).
std::string TimeWindowText(int zoomValue);

// "Time trace: full scale 20 mV, time window 1.3 µs", with ", scale frozen" while frozen.
std::string TimeDescription(double fullScale, int zoomValue, bool frozen);

}  // namespace quorvane
