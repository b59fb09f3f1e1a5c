#include "plot/TimePlot.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

#include "engine/Elementary.h"
#include "engine/NumberChars.h"
#include "plot/PlotNumbers.h"

namespace quorvane {

namespace {

constexpr auto kWindowStart = static_cast<std::int32_t>(kSampleCount / 8);
constexpr auto kLastSample = static_cast<std::int32_t>(kSampleCount - 1);
constexpr int kColumns = kPlotColumns;
constexpr double kFullScaleHeight = 0.4;  // zero line to full scale, as a share of the height
constexpr double kSmallestPeak = 1e-18;
constexpr double kScanStart = 1000;
constexpr auto kThickening = static_cast<float>(kTwipsPerPixel);  // one pixel lower

double SamplesPerColumn(const TimeWindow& window) {
    return static_cast<double>(window.last - window.first) / kColumns;
}

float ColumnWidth(double width) {
    return std::floor(static_cast<float>(width) / kColumns);
}

// Highest and lowest value of samples s0..s1; both NaN when no sample there compares (all NaN),
// which puts the column on the zero line instead of spanning the picture.
struct Extremes {
    double hi = -1e200;
    double lo = 1e200;
};

Extremes ColumnExtremes(const SignalBuffer& data, const ColumnSpan& span) {
    Extremes e;
    for (int n = span.s0; n <= span.s1; ++n) {
        if (data[n] > e.hi) e.hi = data[n];
        if (data[n] < e.lo) e.lo = data[n];
    }
    if (e.hi < e.lo) e.hi = e.lo = std::nan("");
    return e;
}

void AddLine(Drawing& drawing, double x1, double y1, double x2, double y2) {
    drawing.lines.push_back({static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                             static_cast<float>(y2)});
}

void DrawColumns(const SignalBuffer& data, const TimeWindow& window, const RowScale& rows,
                 double width, Drawing& drawing, std::bitset<kColumns>& clipped) {
    const float cw = ColumnWidth(width);
    drawing.lines.reserve(4 * static_cast<std::size_t>(kColumns));
    for (int c = 0; c < kColumns; ++c) {
        const ColumnSpan span = ColumnSamples(c, window);
        const Extremes e = ColumnExtremes(data, span);
        const std::int32_t y0 = rows.Row(data[span.s0]);
        const std::int32_t y1 = rows.Row(data[span.s1]);
        const std::int32_t yhi = rows.Row(e.hi);
        const std::int32_t ylo = rows.Row(e.lo);
        clipped[static_cast<std::size_t>(c)] = rows.Clips(e.hi) || rows.Clips(e.lo);
        const float xl = static_cast<float>(c) * cw;
        const float xr = static_cast<float>(c + 1) * cw;
        AddLine(drawing, xl, y0, xr, y1);
        AddLine(drawing, xl, static_cast<float>(y0) + kThickening, xr,
                static_cast<float>(y1) + kThickening);
        if (std::abs(yhi - ylo) > rows.height / 2) {
            const double xm = (c + 0.5) * cw;
            AddLine(drawing, xl, ylo, xm, yhi);
            AddLine(drawing, xm, ylo, xl, yhi);
        }
    }
}

}  // namespace

TimeWindow ZoomWindow(int zoomValue) {
    TimeWindow window;
    window.z = zoomValue >= 0 && zoomValue <= kLargestZoomValue
                   ? kZoomFactors[static_cast<std::size_t>(zoomValue)]
                   : 0;
    window.first = kWindowStart;
    window.last = std::min(100 * window.z + kWindowStart, kLastSample);
    return window;
}

std::string MaxTimeLabel(int z) {
    return FormatEng(z * kSampleInterval * 100);
}

double WindowPeak(const SignalBuffer& data, const TimeWindow& window) {
    // The scan starts from +-1000 V, far beyond any sample a sane chain makes.
    double hi = -kScanStart;
    double lo = kScanStart;
    bool nan = false;
    for (std::int32_t n = window.first; n < window.last; ++n) {
        const double v = data[static_cast<std::size_t>(n)];
        if (v > hi) hi = v;
        if (v < lo) lo = v;
        nan = nan || std::isnan(v);
    }
    if (nan) return std::nan("");
    // The larger of hi and -lo: for an all-negative signal that is the magnitude of its most
    // negative value, even when every sample is the same.
    return std::max(hi, -lo);
}

double FullScale(double peak) {
    if (!std::isfinite(peak)) return kLargestScale;
    if (peak < kSmallestPeak) peak = kSmallestPeak;
    const double t = peak * 5 / 4;
    const double e = std::floor(3 * math::Log(t) / math::Log(10.0) + 0.5) / 3;
    return RoundScale(math::Exp10(e));
}

double FreezeMemory::Apply(bool frozen, double computed) {
    if (frozen && remembered_) return fullScale_;
    remembered_ = true;
    fullScale_ = computed;
    return computed;
}

RowScale::RowScale(double h, double fullScale)
    : height(h), ys(fullScale > 0 ? kFullScaleHeight * h / fullScale : 1), yz(h / 2) {}

std::int32_t RowScale::Row(double v) const {
    double row = height - std::floor(ys * v + yz + 0.5);
    if (std::isnan(row)) row = height - std::floor(yz + 0.5);
    row = std::clamp(row, 0.0, height);
    return static_cast<std::int32_t>(row);
}

bool RowScale::Clips(double v) const {
    const double row = height - std::floor(ys * v + yz + 0.5);
    return row < 0 || row > height;
}

double RowScale::Value(double row) const {
    return (height - row - yz) / ys;
}

ColumnSpan ColumnSamples(int c, const TimeWindow& window) {
    const double spc = SamplesPerColumn(window);
    ColumnSpan span;
    span.s0 = static_cast<std::int16_t>(std::floor(c * spc + 0.5) + window.first);
    span.s1 = c == kColumns - 1
                  ? static_cast<std::int16_t>(window.last)
                  : static_cast<std::int16_t>(std::floor((c + 1) * spc + 0.5) + window.first);
    return span;
}

TimePlotResult ComputeTimePlot(const SignalBuffer& data, const TimePlotSettings& settings,
                               FreezeMemory& freeze) {
    const TimeWindow window = ZoomWindow(settings.zoomValue);
    const double fullScale = freeze.Apply(settings.frozen, FullScale(WindowPeak(data, window)));

    TimePlotResult result;
    result.minTime.push_back('0');  // the window always starts at time 0
    result.maxTime = MaxTimeLabel(window.z);
    result.signalMax = FormatEng(fullScale);
    result.drawing.colour = settings.colour;
    DrawColumns(data, window, RowScale(settings.height, fullScale), settings.width, result.drawing,
                result.hover.clippedColumns);
    result.samples.assign(data.begin() + window.first, data.begin() + window.last);
    result.description = TimeDescription(fullScale, settings.zoomValue, settings.frozen);

    result.hover.valid = true;
    result.hover.window = window;
    result.hover.cw = ColumnWidth(settings.width);
    result.hover.height = settings.height;
    result.hover.fullScale = fullScale;
    return result;
}

std::string TimeHoverText(const TimeHoverModel& model, double x, double y) {
    if (!model.valid) return {};
    double sample = model.window.first;
    bool clipped = false;
    if (model.cw > 0) {
        // A pointer off the picture reads at its nearest edge; a position that is no number at
        // all reads at the left edge rather than reaching the integer column below as NaN.
        const double across = std::isnan(x) ? 0.0 : x / model.cw;
        const double position = std::clamp(across, 0.0, static_cast<double>(kColumns));
        const int c = std::min(static_cast<int>(position), kColumns - 1);
        const double within = position - c;
        const ColumnSpan span = ColumnSamples(c, model.window);
        sample = span.s0 + within * (span.s1 - span.s0);
        clipped = model.clippedColumns[static_cast<std::size_t>(c)];
    }
    const double t = (sample - model.window.first) * kSampleInterval;
    const double v = RowScale(model.height, model.fullScale).Value(y);
    return "t = " + FormatReading(t, "s") + "\nv = " + FormatReading(v, "V") +
           (clipped ? " (clipped)" : "");
}

std::string TimeTraceTable(const std::vector<double>& samples, std::string_view testPoint,
                           double fullScale) {
    std::string table(testPoint.empty() ? kNoTestPointTitle : testPoint);
    table += "; time trace";
    if (!samples.empty()) table += ", full scale " + EngWithUnit(fullScale, "V");
    table += "\nTime (\u00B5s)\tVoltage (V)\n";
    table.reserve(table.size() + 32 * samples.size());
    for (std::size_t n = 0; n < samples.size(); ++n) {
        table += FormatFixed(static_cast<double>(n) * kSampleInterval * 1e6, 4);
        table += '\t';
        // The shortest text that reads back as the same double.
        char number[32];
        const auto written = ToChars(std::begin(number), std::end(number), samples[n]);
        table.append(number, written.ptr);
        table += '\n';
    }
    return table;
}

std::string TimeWindowText(int zoomValue) {
    return EngWithUnit(ZoomWindow(zoomValue).z * kSampleInterval * 100, "s");
}

std::string TimeDescription(double fullScale, int zoomValue, bool frozen) {
    return "Time trace: full scale " + EngWithUnit(fullScale, "V") + ", time window " +
           TimeWindowText(zoomValue) + (frozen ? ", scale frozen" : "");
}

}  // namespace quorvane
