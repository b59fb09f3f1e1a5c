#include "analysis/Readouts.h"

#include <cmath>

#include "analysis/Lines.h"
#include "chain/TestPointNames.h"
#include "engine/Elementary.h"
#include "engine/ReceiverEngine.h"
#include "panel/NumberText.h"
#include "plot/PlotNumbers.h"
#include "texts/TextWrap.h"

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
    text += p.noiseWatts > 0 ? "Noise: " + Dbm(p.noiseWatts) + " in 0–40 MHz\n" : "Noise: none\n";
    if (p.totalWatts > 0) text += "Total power: " + Dbm(p.totalWatts) + "\n";
    return text;
}

std::string Ratio(double x) {
    return FormatFixed(x, 3);
}

std::string Db(double ratio) {
    return FormatFixed(10.0 * math::Log10(ratio), 1) + " dB";
}

// The other contributions to the wanted line's bin, by their origins.
std::string Coinciding(const TestPointPrediction& p, const WantedLine& w) {
    const long bin = std::lround(w.mhz / analysis::kBinMHz);
    for (const PredictedLine& line : p.lines) {
        if (std::lround(line.frequencyMHz / analysis::kBinMHz) != bin) continue;
        std::string others;
        for (const std::string& o : line.origins) {
            if (o != w.words) others += (others.empty() ? "" : "; ") + o;
        }
        return others;
    }
    return {};
}

std::string Step(const CascadeStep& s) {
    std::string text = s.caption + ": ";
    if (s.mixer) {
        text += "conversion " + FormatFixed(s.conversionDb, 1) + " dB, panel gain " +
                FormatFixed(s.gainDb - s.conversionDb, 1) + " dB; own noise (F−1)/conversion " +
                Ratio(s.ownAtInput) + ", over G before " + Ratio(s.ownAtAntenna) +
                "; image band I " + Ratio(s.imageNoise) + "; F = " + Ratio(s.figureBefore) + " + " +
                Ratio(s.imageNoise) + " + " + Ratio(s.ownAtAntenna) + " = ";
    } else {
        text += "gain " + FormatFixed(s.gainDb, 1) + " dB; own noise F−1 " + Ratio(s.ownAtInput) +
                ", over G before " + Ratio(s.ownAtAntenna) + "; F = ";
    }
    return text + Ratio(s.figure) + " (" + Db(s.figure) + ")\n";
}

std::string Wanted(const TestPointPrediction& p, const WantedLine& w) {
    if (w.tone < 0) return "Wanted line: none, every source is off\n";
    const std::string tone = "tone " + std::to_string(w.tone + 1);
    if (!w.present)
        return "Wanted line (" + tone + "): removed by " +
               (w.lostAt.empty() ? std::string("the chain") : w.lostAt) + "\n";
    std::string text = "Wanted line: " + w.words + ", " + Mhz(w.mhz) + ", " + Dbm(w.watts) + "\n";
    const std::string others = Coinciding(p, w);
    if (!others.empty()) text += "In its bin as well: " + others + "\n";
    text += "SNR " +
            (std::isinf(w.snrDb) ? std::string("without noise") : FormatFixed(w.snrDb, 1) + " dB") +
            " in ";
    text += w.bandStage.empty() ? std::string("0–40 MHz")
                                : FormatGeneral(w.bandMHz) + " MHz (" + w.bandStage + ")";
    text += "\n";
    if (!std::isfinite(w.figure)) return text;
    text += "Noise figure " + Db(w.figure) +
            (w.coherentDc ? " (double sideband: both sidebands add at DC; 290 K)\n"
                          : " (single sideband, 290 K)\n");
    if (w.steps.empty()) return text;
    text += "Cascade, noise referred to the antenna:\n";
    for (const CascadeStep& s : w.steps)
        text += Step(s);
    return text;
}

}  // namespace

std::string TestPointReadout(int testPoint, Architecture architecture,
                             const ChainPrediction& prediction, const NoiseCascade& cascade) {
    const TestPointPrediction& p = prediction.At(testPoint);
    std::string text = TestPointTitle(testPoint, architecture) + "\n" + Budget(p) +
                       Wanted(p, cascade.At(testPoint));
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
    const PredictedLine* strongest = nullptr;
    for (const PredictedLine& line : point.lines) {
        if (!(std::abs(line.frequencyMHz - mhz) <= toleranceMHz)) continue;
        if (!strongest || line.watts > strongest->watts) strongest = &line;
    }
    if (!strongest) return {};
    // The level is kept in one piece: no-break spaces hold it to "predicted".
    std::string level = "predicted " + LineLevel(*strongest);
    for (std::size_t at = level.find(' '); at != std::string::npos; at = level.find(' ', at))
        level.replace(at, 1, kNoBreakSpace);
    return WrapText(
        "Line: " + Mhz(strongest->frequencyMHz) + ", " + Origins(*strongest) + ", " + level,
        kToolTipWidth, kContinuationIndent);
}

}  // namespace quorvane
