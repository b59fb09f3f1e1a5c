#include "analysis/Readouts.h"

#include <cmath>

#include "access/TextWrap.h"
#include "display/PlotNumbers.h"
#include "engine/Elementary.h"
#include "engine/ReceiverEngine.h"
#include "window/TestPointNames.h"

namespace quorvane {

namespace {

constexpr std::size_t kListedLines = 3;
constexpr std::size_t kContinuationIndent = 2;
constexpr const char* kNoBreakSpace = "\u00a0";
constexpr const char* kNonlinearWarning = "(nonlinear: the prediction is only a guide)";

std::string Dbm(double watts) {
    return FormatFixed(10.0 * math::Log10(watts) + 30.0, 1) + " dBm";
}

std::string LineLevel(const PredictedLine& line) {
    return (line.approximate ? "\u2248" : "") + Dbm(line.watts);
}

std::string Origins(const PredictedLine& line) {
    std::string words;
    for (const std::string& o : line.origins)
        words += (words.empty() ? "" : "; ") + o;
    return words;
}

std::string Mhz(double mhz) {
    return FormatFixed(mhz, 3) + " MHz";
}

std::string Budget(const TestPointPrediction& p) {
    std::string text;
    if (p.lines.empty())
        text += "Strongest line: none\n";
    else
        text += "Strongest line: " + Mhz(p.lines.front().frequencyMHz) + ", " +
                LineLevel(p.lines.front()) + "\n";
    if (p.noiseWatts > 0) {
        text += "Noise: " + Dbm(p.noiseWatts);
        if (!p.lines.empty()) text += ", SNR " + FormatFixed(p.snrDb, 1) + " dB";
        text += "\n";
    } else {
        text += "Noise: none\n";
    }
    if (std::isfinite(p.noiseFigureDb))
        text += "Noise figure so far: " + FormatFixed(p.noiseFigureDb, 1) + " dB\n";
    if (p.totalWatts > 0) text += "Total power: " + Dbm(p.totalWatts) + "\n";
    return text;
}

}  // namespace

std::string TestPointReadout(int testPoint, Architecture architecture,
                             const ChainPrediction& prediction) {
    const TestPointPrediction& p = prediction.At(testPoint);
    std::string text = TestPointTitle(testPoint, architecture) + "\n" + Budget(p);
    for (std::size_t n = 0; n < p.lines.size() && n < kListedLines; ++n) {
        const PredictedLine& line = p.lines[n];
        text += Mhz(line.frequencyMHz) + ", " + LineLevel(line) + ": " + Origins(line) + "\n";
    }
    if (p.nonlinear) text += std::string(kNonlinearWarning) + "\n";
    text.pop_back();
    return WrapText(text, kToolTipWidth, kContinuationIndent);
}

std::string PowerOutReadout(const PowerHistory& history, const ChainPrediction& prediction) {
    if (history.Count() == 0) return {};
    const double pout = prediction.PoutWatts();
    std::string text =
        "Shown: " + FormatPowerNumber(history.Last()) + " W, " + Dbm(history.Last()) + "\n";
    text += "Mean of the last " + std::to_string(history.Count()) + ": " +
            FormatPowerNumber(history.Mean()) + " W, " + Dbm(history.Mean()) + "\n";
    text += "Predicted " + FormatPowerCaption(pout) + ", " + Dbm(pout);
    if (prediction.At(kPredictedTestPoints).nonlinear)
        text += "\n" + std::string(kNonlinearWarning);
    return WrapText(text, kToolTipWidth, kContinuationIndent);
}

std::string LineReadout(const TestPointPrediction& point, double mhz, double toleranceMHz) {
    const PredictedLine* nearest = nullptr;
    for (const PredictedLine& line : point.lines) {
        const double distance = std::abs(line.frequencyMHz - mhz);
        if (distance > toleranceMHz) continue;
        if (!nearest || distance < std::abs(nearest->frequencyMHz - mhz)) nearest = &line;
    }
    if (!nearest) return {};
    // The level is kept in one piece: no-break spaces hold it to "predicted".
    std::string level = "predicted " + LineLevel(*nearest);
    for (std::size_t at = level.find(' '); at != std::string::npos; at = level.find(' ', at))
        level.replace(at, 1, kNoBreakSpace);
    return WrapText("Line: " + Origins(*nearest) + ", " + level, kToolTipWidth,
                    kContinuationIndent);
}

}  // namespace quorvane
