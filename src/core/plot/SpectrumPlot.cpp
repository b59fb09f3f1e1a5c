#include "plot/SpectrumPlot.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

#include "engine/Elementary.h"
#include "engine/NumberChars.h"
#include "engine/Waveform.h"
#include "engine/nrFFT.h"
#include "panel/NumberText.h"
#include "plot/PlotNumbers.h"

namespace quorvane {

namespace {

constexpr auto kPoints = static_cast<int>(kSampleCount);
constexpr int kTaperLength = kPoints / 4;  // samples at each end
constexpr double kHighestMHz = 20;
constexpr int kColumns = kPlotColumns;
constexpr double kTopMarginDb = 10;
constexpr double kBottomDb = -40;
constexpr double kRangeDb = kTopMarginDb - kBottomDb;
constexpr double kAveragingFloor = 1e-12;
constexpr auto kThickening = static_cast<float>(kTwipsPerPixel);  // one pixel lower

double TaperWeight(int j) {
    return 0.5 * (1 - math::Cos(j / static_cast<double>(kTaperLength) * kShortPi));
}

const std::array<double, kTaperLength>& TaperWeights() {
    static const std::array<double, kTaperLength> weights = [] {
        std::array<double, kTaperLength> w{};
        for (int j = 0; j < kTaperLength; ++j)
            w[static_cast<std::size_t>(j)] = TaperWeight(j);
        return w;
    }();
    return weights;
}

// The half-span in MHz for a span value.
double HalfSpan(int spanValue) {
    return spanValue >= 0 && spanValue <= kLargestSpanValue
               ? kHalfSpansMHz[static_cast<std::size_t>(spanValue)]
               : kHalfSpansMHz.back();
}

// Cuts a frequency to one decimal. The window's ends come out of binary arithmetic a hair
// below a tenth they stand for (4.1 - 0.1 gives 3.9999999999999996), which must not cost the
// label a whole tenth, so the cut allows for that error.
double TruncateToTenths(double mhz) {
    return std::floor(mhz * 10 + 1e-9) / 10;
}

std::int32_t RoundToBin(double mhz) {
    return static_cast<std::int32_t>(std::nearbyint(mhz * 1e6 / kBinWidth));
}

// The row of a level in dB: 0 at the top (strongest + 10 dB), the height at the bottom
// (strongest - 40 dB) and below; a level that is not a number sits on the bottom edge.
int LevelRow(double d, double top, double bottom, double height) {
    double y = (1 - (d - bottom) / (top - bottom)) * height;
    if (std::isnan(y) || y > height) y = height;
    if (y < 0) y = 0;
    return static_cast<int>(std::floor(y + 0.5));
}

double ColumnLevelDb(const std::vector<double>& powers, std::int32_t b0, std::int32_t b1,
                     double bpc) {
    if (bpc <= 1) return PowerDb(powers[static_cast<std::size_t>(b1)]);
    double sum = kAveragingFloor;
    for (std::int32_t b = b0; b <= b1; ++b)
        sum += powers[static_cast<std::size_t>(b)];
    return PowerDb(sum / (b1 - b0 + 1));
}

// The connected trace of the column levels: 100 segments, each drawn again 15 twips lower.
Drawing TraceOfLevels(const std::vector<double>& levels, double strongestDb, double width,
                      double height, std::uint32_t colour) {
    const double top = strongestDb + kTopMarginDb;
    const double bottom = strongestDb + kBottomDb;
    const double cw = std::floor(width / kColumns);

    Drawing drawing;
    drawing.colour = colour;
    drawing.lines.reserve(2 * static_cast<std::size_t>(kColumns));
    int yp = 0;
    for (int n = 0; n < kColumns; ++n) {
        const int yi = LevelRow(levels[static_cast<std::size_t>(n)], top, bottom, height);
        if (n == 0) yp = yi;
        const auto xl = static_cast<float>(n * cw);
        const auto xr = static_cast<float>((n + 1) * cw);
        drawing.lines.push_back({xl, static_cast<float>(yp), xr, static_cast<float>(yi)});
        drawing.lines.push_back(
            {xl, static_cast<float>(yp) + kThickening, xr, static_cast<float>(yi) + kThickening});
        yp = yi;
    }
    return drawing;
}

double TaperSum() {
    double sum = kPoints - 2 * kTaperLength;
    for (int j = 0; j < kTaperLength; ++j)
        sum += 2 * TaperWeight(j);
    return sum;
}

}  // namespace

FrequencyWindow ComputeFrequencyWindow(int spanValue, int centreValue) {
    FrequencyWindow w;
    w.h = HalfSpan(spanValue);
    w.c = centreValue / 10.0;
    if (w.c - w.h < 0) {
        w.c = w.h;
        w.correctedCentre = static_cast<int>(std::nearbyint(w.h * 10));
    }
    if (w.c + w.h > kHighestMHz) {
        w.c = kHighestMHz - w.h;
        w.correctedCentre = static_cast<int>(std::nearbyint(w.c * 10));
    }
    w.bf = RoundToBin(w.c - w.h);
    w.bl = RoundToBin(w.c + w.h);
    return w;
}

std::string SpanText(int spanValue) {
    return FormatGeneral(2 * HalfSpan(spanValue)) + " MHz";
}

std::string CentreText(int centreValue) {
    return FormatGeneral(centreValue / 10.0) + " MHz";
}

std::string MinFreqLabel(const FrequencyWindow& window) {
    return FormatPlain(TruncateToTenths(window.c - window.h));
}

std::string MaxFreqLabel(const FrequencyWindow& window) {
    return FormatPlain(TruncateToTenths(window.c + window.h));
}

std::vector<double> BinPowers(const SignalBuffer& data) {
    // Interleaved complex points: element 2n is the real part of point n.
    std::vector<double> work(2 * kSampleCount, 0.0);
    for (std::size_t n = 0; n < kSampleCount; ++n)
        work[2 * n] = data[n];
    const std::array<double, kTaperLength>& weights = TaperWeights();
    for (std::size_t j = 0; j < weights.size(); ++j) {
        work[2 * j] *= weights[j];
        work[2 * (kSampleCount - 1 - j)] *= weights[j];
    }
    nrFFT::FFT(work.data(), kPoints, 0);
    // Bin k's power goes to element k, which has already been read (k <= 2k).
    for (std::size_t k = 0; k < kSampleCount; ++k) {
        const double re = work[2 * k];
        const double im = work[2 * k + 1];
        work[k] = re * re + im * im;
    }
    work.resize(kSampleCount);
    return work;
}

double PowerDb(double p) {
    if (std::isinf(p) && p > 0) p = std::numeric_limits<double>::max();
    return 10 * math::Log(p) / math::Log(10.0);
}

double StrongestLevelDb(const std::vector<double>& powers) {
    // The logarithm rises with the power, so only the strongest bin needs converting.
    double strongest = 0;
    for (const double p : powers) {
        if (p > strongest) strongest = p;
    }
    return strongest > 0 ? std::max(kNoStrongestDb, PowerDb(strongest)) : kNoStrongestDb;
}

double StrongestFrequencyMHz(const std::vector<double>& powers) {
    // The first of the strongest bins; the running maximum is kept at hand rather than read
    // back through the index, which WebAssembly engines do not optimise away.
    std::size_t strongest = 0;
    double most = powers.empty() ? 0.0 : powers[0];
    for (std::size_t k = 1; k < powers.size(); ++k) {
        if (powers[k] > most) {
            most = powers[k];
            strongest = k;
        }
    }
    const std::size_t folded =
        strongest > powers.size() / 2 ? powers.size() - strongest : strongest;
    return static_cast<double>(folded) * kBinWidth / 1e6;
}

std::vector<double> ColumnLevelsDb(const std::vector<double>& powers,
                                   const FrequencyWindow& window) {
    const double bpc = static_cast<double>(window.bl - window.bf) / kColumns;
    std::vector<double> levels(kColumns);
    for (int n = 0; n < kColumns; ++n) {
        const auto b0 = static_cast<std::int32_t>(std::floor(n * bpc + 0.5)) + window.bf;
        const auto b1 = static_cast<std::int32_t>(std::floor((n + 1) * bpc + 0.5)) + window.bf;
        levels[static_cast<std::size_t>(n)] = ColumnLevelDb(powers, b0, b1, bpc);
    }
    return levels;
}

Drawing SpectrumTrace(const std::vector<double>& powers, const FrequencyWindow& window,
                      double strongestDb, double width, double height, std::uint32_t colour) {
    return TraceOfLevels(ColumnLevelsDb(powers, window), strongestDb, width, height, colour);
}

double SineDbmForBinLevel(double binDb) {
    static const double kGainDb = 20 * math::Log10(TaperSum() / 2);
    // A^2 = P / G^2 and the sine's power is A^2 / 100 W = A^2 * 10 mW.
    return binDb - kGainDb + 10;
}

SpectrumPlotResult ComputeSpectrumPlot(const SignalBuffer& data,
                                       const SpectrumPlotSettings& settings) {
    const FrequencyWindow window = ComputeFrequencyWindow(settings.spanValue, settings.centreValue);
    SpectrumPlotResult result;
    result.minFreq = MinFreqLabel(window);
    result.maxFreq = MaxFreqLabel(window);
    result.correctedCentre = window.correctedCentre;
    result.drawing.colour = settings.colour;

    const std::vector<double> powers = BinPowers(data);
    const double strongest = StrongestLevelDb(powers);
    const bool silent = strongest <= kSilenceDb;
    result.bins = {window.c - window.h, window.c + window.h, window.bf, strongest, {}};
    if (!silent) {
        result.bins.powers.assign(powers.begin() + window.bf, powers.begin() + window.bl + 1);
        result.drawing = SpectrumTrace(powers, window, strongest, settings.width, settings.height,
                                       settings.colour);
    }
    result.description = SpectrumDescription(window, powers, strongest);
    result.hover = {true,
                    silent,
                    window.c - window.h,
                    window.c + window.h,
                    std::floor(settings.width / kColumns),
                    settings.height,
                    strongest};
    return result;
}

namespace {

double HoverMHz(const SpectrumHoverModel& model, double x) {
    const double across =
        model.cw > 0 && !std::isnan(x) ? std::clamp(x / (kColumns * model.cw), 0.0, 1.0) : 0;
    return model.lowMHz + across * (model.highMHz - model.lowMHz);
}

}  // namespace

std::string SpectrumHoverText(const SpectrumHoverModel& model, double x, double y) {
    if (!model.valid) return {};
    const double mhz = HoverMHz(model, x);
    std::string text = "f = " + FormatFixed(mhz, 3) + " MHz";
    if (model.silent) return text + "\nno signal";
    const double relative = model.height > 0 ? (1 - y / model.height) * kRangeDb + kBottomDb : 0;
    const double dbm = SineDbmForBinLevel(model.strongestDb + relative);
    return text + "\n" + FormatFixed(relative, 1) + " dB relative to the strongest bin" +
           "\na sine peaking here: " + FormatFixed(dbm, 1) + " dBm";
}

std::string SpectrumHoverText(const SpectrumHoverModel& model, double x, double y,
                              const LineReadoutSource& lines) {
    std::string text = SpectrumHoverText(model, x, y);
    if (text.empty() || model.silent || !lines) return text;
    // A line is drawn in one column at full span but spreads over several when zoomed in, so
    // the reach is the larger of three columns and one bin either side of the pointer.
    constexpr double kNearColumns = 3;
    const double column = (model.highMHz - model.lowMHz) / kColumns;
    const double tolerance = std::max(kNearColumns * column, kBinWidth / 1e6);
    const std::string line = lines(HoverMHz(model, x), tolerance);
    return line.empty() ? text : text + "\n" + line;
}

std::string SpanOfWindow(double lowMHz, double highMHz) {
    // The difference of the ends is a hair off the span they were made from (11.1 - 10.9 gives
    // 0.1999999999999993), so the span is named by the scroll bar's span nearest to it.
    double span = 2 * kHalfSpansMHz.back();
    for (const double h : kHalfSpansMHz) {
        if (std::fabs(2 * h - (highMHz - lowMHz)) < std::fabs(span - (highMHz - lowMHz)))
            span = 2 * h;
    }
    return "span " + FormatGeneral(span) + " MHz (" + FormatGeneral(lowMHz) + " to " +
           FormatGeneral(highMHz) + " MHz)";
}

std::string SpectrumTable(const SpectrumBins& bins, std::string_view testPoint) {
    std::string table(testPoint.empty() ? kNoTestPointTitle : testPoint);
    table += "; spectrum, " + SpanOfWindow(bins.lowMHz, bins.highMHz) + "\n";
    table +=
        "Frequency (MHz)\tLevel (dB relative to the strongest bin)\tLevel (dBm, a sine at the "
        "bin's centre)\n";
    table.reserve(table.size() + 40 * bins.powers.size());
    for (std::size_t n = 0; n < bins.powers.size(); ++n) {
        const double bin = static_cast<double>(bins.firstBin) + static_cast<double>(n);
        // Bin centres are multiples of 9765.625 Hz: the shortest text is exact.
        char number[32];
        const auto written = ToChars(std::begin(number), std::end(number), bin * kBinWidth / 1e6);
        table.append(number, written.ptr);
        const double level = PowerDb(bins.powers[n]);
        table.append("\t").append(FormatFixed(level - bins.strongestDb, 2));
        table.append("\t").append(FormatFixed(SineDbmForBinLevel(level), 2)).append("\n");
    }
    return table;
}

std::string SpectrumDescription(const FrequencyWindow& window, const std::vector<double>& powers,
                                double strongestDb) {
    std::string text = "Spectrum from " + FormatGeneral(window.c - window.h) + " to " +
                       FormatGeneral(window.c + window.h) + " MHz";
    if (strongestDb <= kSilenceDb) return text + ": no signal";
    return text + "; strongest component at " + FormatFixed(StrongestFrequencyMHz(powers), 3) +
           " MHz, " + FormatFixed(SineDbmForBinLevel(strongestDb), 1) + " dBm";
}

}  // namespace quorvane
