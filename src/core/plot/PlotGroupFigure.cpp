#include "plot/PlotGroupFigure.h"

#include <algorithm>
#include <cmath>

#include "panel/NumberText.h"
#include "plot/PlotNumbers.h"

namespace quorvane {

namespace {

constexpr int kPixel = kTwipsPerPixel;
constexpr float kHalfPixel = kPixel / 2.0f;
constexpr int kMarginLeft = 64 * kPixel;   // room for the scale values, as in the window
constexpr int kMarginRight = 24 * kPixel;  // room for half of the last axis value
constexpr int kMarginTop = 4 * kPixel;
constexpr int kMarginBottom = 6 * kPixel;
constexpr int kTitleFont = 13 * kPixel;
constexpr int kTextFont = 11 * kPixel;
constexpr int kTitleHeight = 18 * kPixel;
constexpr int kHeadingHeight = 15 * kPixel;
constexpr int kValueHeight = 13 * kPixel;
constexpr int kValueWidth = 44 * kPixel;
constexpr int kTick = 4 * kPixel;
constexpr int kGap = 4 * kPixel;
constexpr int kPlotGap = 8 * kPixel;
constexpr int kAxisValues = 5;  // about this many steps along an axis

// The spectrum's scale, relative to the strongest bin, and the steps of its marks and values.
constexpr int kTopMarginDb = 10;
constexpr int kBottomDb = -40;
constexpr int kLabelledDbStep = 20;
constexpr int kMarkedDbStep = 10;

// Where a picture stands and how much of its width its 100 columns fill.
struct Panel {
    FigureBox box;
    double traceWidth = 0;
};

class Composer {
  public:
    explicit Composer(PlotGroupFigure& figure) : f_(figure) {}

    void Text(int left, int top, int width, int height, FigureAlign align, std::string text,
              int font = kTextFont, bool bold = false) {
        f_.texts.push_back({left, top, width, height, align, font, bold, std::move(text)});
    }

    // A frame around the picture, one pixel wide and hugging it, so that no trace pixel is
    // covered: a line is centred on its coordinates, so they lie half a pixel outside.
    void Frame(const FigureBox& b) {
        const float l = static_cast<float>(b.left) - kHalfPixel;
        const float t = static_cast<float>(b.top) - kHalfPixel;
        const float r = static_cast<float>(b.left + b.width) + kHalfPixel;
        const float bottom = static_cast<float>(b.top + b.height) + kHalfPixel;
        f_.axes.push_back({l, t, r, t});
        f_.axes.push_back({r, t, r, bottom});
        f_.axes.push_back({r, bottom, l, bottom});
        f_.axes.push_back({l, bottom, l, t});
    }

    // A tick below the picture at x (twips in the picture), with its value under it.
    void XValue(const FigureBox& b, double x, std::string text) {
        const auto fx = static_cast<float>(b.left + x);
        const float bottom = static_cast<float>(b.top + b.height) + kHalfPixel;
        f_.axes.push_back({fx, bottom, fx, bottom + kTick});
        const int centre = b.left + static_cast<int>(std::lround(x));
        Text(centre - kValueWidth / 2, b.top + b.height + kPixel + kTick, kValueWidth, kValueHeight,
             FigureAlign::Centre, std::move(text));
    }

    // A tick left of the picture at row y (twips in the picture), with its value if any.
    void YValue(const FigureBox& b, double y, std::string text) {
        const auto fy = static_cast<float>(b.top + y);
        const float edge = static_cast<float>(b.left) - kHalfPixel;
        f_.axes.push_back({edge - kTick, fy, edge, fy});
        if (text.empty()) return;
        const int right = b.left - kPixel - kTick - kPixel;
        Text(0, b.top + static_cast<int>(std::lround(y)) - kValueHeight / 2, right, kValueHeight,
             FigureAlign::Right, std::move(text));
    }

  private:
    PlotGroupFigure& f_;
};

// Values k * step from low to high, step from the 1-2-5 series, about kAxisValues steps apart.
std::vector<double> AxisValues(double low, double high) {
    std::vector<double> values;
    if (!(high > low)) return values;
    const double step = RoundScale((high - low) / kAxisValues);
    // The ends come out of binary arithmetic a hair off the values they stand for.
    const double slack = 1e-9;
    const auto first = static_cast<long>(std::ceil(low / step - slack));
    const auto last = static_cast<long>(std::floor(high / step + slack));
    for (long k = first; k <= last; ++k)
        values.push_back(static_cast<double>(k) * step);
    return values;
}

double TraceWidth(double cw) {
    return cw * kPlotColumns;
}

void ComposeTime(Composer& c, const Panel& p, const TimeHoverModel& m) {
    const double seconds = (m.window.last - m.window.first) * kSampleInterval;
    for (const double us : AxisValues(0, seconds * 1e6))
        c.XValue(p.box, us / (seconds * 1e6) * p.traceWidth, FormatGeneral(us));
    const RowScale rows(m.height, m.fullScale);
    const std::string scale = EngWithUnit(m.fullScale, "V");
    c.YValue(p.box, rows.Row(m.fullScale), scale);
    c.YValue(p.box, rows.Row(m.fullScale / 2), "");
    c.YValue(p.box, rows.Row(0), "0 V");
    c.YValue(p.box, rows.Row(-m.fullScale / 2), "");
    c.YValue(p.box, rows.Row(-m.fullScale), "-" + scale);
}

void ComposeSpectrum(Composer& c, const Panel& p, const SpectrumHoverModel& m) {
    const double span = m.highMHz - m.lowMHz;
    for (const double mhz : AxisValues(m.lowMHz, m.highMHz))
        c.XValue(p.box, (mhz - m.lowMHz) / span * p.traceWidth, FormatGeneral(mhz));
    if (m.silent) return;
    const double range = kTopMarginDb - kBottomDb;
    for (int db = kTopMarginDb; db >= kBottomDb; db -= kMarkedDbStep) {
        const double row = std::floor((1 - (db - kBottomDb) / range) * m.height + 0.5);
        const bool labelled = db % kLabelledDbStep == 0;
        c.YValue(p.box, row, labelled ? std::to_string(db) + " dB" : "");
    }
}

std::string TimeHeading(const TimeHoverModel& m) {
    if (!m.valid) return "Time trace: nothing shown";
    return "Time trace, full scale " + EngWithUnit(m.fullScale, "V");
}

std::string SpectrumHeading(const SpectrumHoverModel& m) {
    if (!m.valid) return "Spectrum: nothing shown";
    std::string text = "Spectrum, " + SpanOfWindow(m.lowMHz, m.highMHz);
    if (m.silent) return text + ": no signal";
    return text + "; 0 dB = " + FormatFixed(SineDbmForBinLevel(m.strongestDb), 1) + " dBm sine";
}

}  // namespace

PlotGroupFigure ComposePlotGroupFigure(const PlotGroupFigureInput& input) {
    PlotGroupFigure figure;
    Composer c(figure);
    const int plotWidth = std::max(input.timeWidth, input.spectrumWidth);
    figure.width = kMarginLeft + plotWidth + kMarginRight;
    const int textWidth = figure.width - 2 * kGap;
    const bool shown = input.time.valid || input.spectrum.valid;

    int y = kMarginTop;
    c.Text(kGap, y, textWidth, kTitleHeight, FigureAlign::Left,
           shown && !input.testPoint.empty() ? input.testPoint : std::string(kNoTestPointTitle),
           kTitleFont, true);
    y += kTitleHeight + kGap;

    // One picture: its heading, the picture framed, its axis values and the axis's name.
    const auto place = [&](const std::string& heading, int width, int height, double cw,
                           const char* axis) {
        c.Text(kGap, y, textWidth, kHeadingHeight, FigureAlign::Left, heading);
        y += kHeadingHeight + kGap;
        const Panel panel{{kMarginLeft, y, width, height}, TraceWidth(cw)};
        c.Frame(panel.box);
        y += height + kPixel + kTick;
        c.Text(kMarginLeft, y + kValueHeight, width, kValueHeight, FigureAlign::Centre, axis);
        y += 2 * kValueHeight;
        return panel;
    };

    const Panel time = place(TimeHeading(input.time), input.timeWidth, input.timeHeight,
                             input.time.cw, "Time (\u00B5s)");
    figure.timePicture = time.box;
    if (input.time.valid) ComposeTime(c, time, input.time);
    y += kPlotGap;

    const Panel spectrum = place(SpectrumHeading(input.spectrum), input.spectrumWidth,
                                 input.spectrumHeight, input.spectrum.cw, "Frequency (MHz)");
    figure.spectrumPicture = spectrum.box;
    if (input.spectrum.valid) ComposeSpectrum(c, spectrum, input.spectrum);

    figure.height = y + kMarginBottom;
    return figure;
}

}  // namespace quorvane
