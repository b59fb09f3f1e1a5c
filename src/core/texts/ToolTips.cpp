#include "texts/ToolTips.h"

#include <cmath>

#include "chain/Architecture.h"
#include "engine/AntennaSynthesis.h"
#include "engine/Elementary.h"
#include "panel/NumberText.h"
#include "panel/StageTexts.h"
#include "plot/PlotNumbers.h"
#include "texts/TextWrap.h"

namespace quorvane {

namespace {

constexpr std::string_view kKiloHertzNote =
    " Numbers up to 40 are MHz; numbers above 40 are taken as kHz (500 means 500 kHz).";

double Dbm(double watts) {
    return 10.0 * math::Log10(watts) + 30.0;
}

// What 290 K gives here, and why it is not k T over the 40 MHz the samples hold.
std::string ReferenceNoiseNote() {
    const double sigma = ThermalNoiseSigma(kReferenceKelvin);
    const double watts = sigma * sigma / kReferenceOhms;
    const double kT = kBoltzmann * kReferenceKelvin;
    return "Here 290 K gives " + FormatFixed(Dbm(watts), 1) +
           " dBm over 0 to 40 MHz, where k T 40 MHz is " + FormatFixed(Dbm(kT * 40e6), 1) +
           " dBm: each sample carries k T of one bin (9765.625 Hz) times a fixed scale of " +
           FormatGeneral(kNoiseScale) + " in volts: k T " + FormatFixed(watts / kT / 1e6, 1) +
           " MHz of noise, spread over the 40 MHz. Noise figures are ratios and do not depend "
           "on the scale.";
}

std::string Explanation(BoxKind box) {
    switch (box) {
        case BoxKind::ToneFrequency:
            return "Frequency of the tone in MHz (for example 5 or 12.5).";
        case BoxKind::NoiseTemperature:
            return "Noise temperature in kelvin: the thermal noise power is k T B, so 290 K is "
                   "room temperature and doubling T doubles the noise power. " +
                   ReferenceNoiseNote();
        case BoxKind::NoiseFigure:
            return "Noise figure in dB: how much noise this stage adds, as the drop in "
                   "signal-to-noise ratio from its input to its output. 0 dB adds none.";
        case BoxKind::Gain:
            return "Power gain in dB: 10 dB makes the signal ten times stronger in power; a "
                   "negative value is a loss.";
        case BoxKind::Intercept:
            return "Input third-order intercept point in dBm: two tones of P dBm each make "
                   "products at 3P - 2 IP3 + gain. The stage's second-order term comes with it: "
                   "IIP2 is 2 IP3 + 7.5 dBm (2 IP3 + 13.5 on the second harmonic), so below an "
                   "IP3 of -7.5 dBm the IIP2 is the lower one. Its terms add, so the stage "
                   "expands rather than compresses (no 1 dB compression point), and in a cascade "
                   "they lower the intercept below the textbook's cascade formula. \"Inf\" (60 "
                   "dBm) is "
                   "practically distortion-free.";
        case BoxKind::LoFrequency:
            return "Local-oscillator frequency: the mixer shifts signals by this frequency (sum "
                   "and difference). Numbers up to 40 are MHz; numbers above 40 are taken as kHz.";
        case BoxKind::CentreFrequency:
            return "Centre frequency of the pass band." + std::string(kKiloHertzNote);
        case BoxKind::Bandwidth:
            break;
    }
    return "Bandwidth: the width of the pass band; signals outside it are removed." +
           std::string(kKiloHertzNote);
}

std::string Reading(double value, std::string_view unit) {
    return "Reads as " + FormatGeneral(value) + " " + std::string(unit);
}

// A frequency box shows kHz or MHz on its unit label; the reading uses the same unit.
std::string FrequencyReading(const BoxFrequency& f) {
    return f.kiloHertz ? Reading(f.mhz * 1000.0, "kHz") : Reading(f.mhz, "MHz");
}

}  // namespace

std::string ReadsAs(BoxKind box, std::string_view text) {
    if (box == BoxKind::Intercept && text == "Inf")
        return Reading(kInfiniteIntercept, "dBm") + " (Inf)";
    if (!HasLeadingNumber(text)) return "Reads as 0 (no number at the start)";
    switch (box) {
        case BoxKind::ToneFrequency:
            return Reading(ParseLeadingNumber(text), "MHz");
        case BoxKind::NoiseTemperature:
            return Reading(ParseLeadingNumber(text), "K");
        case BoxKind::NoiseFigure:
        case BoxKind::Gain:
            return Reading(ParseLeadingNumber(text), "dB");
        case BoxKind::Intercept:
            return Reading(ReadIntercept(text), "dBm");
        case BoxKind::LoFrequency:
            return FrequencyReading(ReadLoFrequency(text));
        case BoxKind::CentreFrequency:
        case BoxKind::Bandwidth:
            break;
    }
    return FrequencyReading(ReadBandFrequency(text));
}

std::string BoxToolTip(BoxKind box, std::string_view text) {
    return WrapText(Explanation(box) + "\n" + ReadsAs(box, text));
}

std::string ToolTip(Tip tip) {
    std::string_view text;
    switch (tip) {
        case Tip::ToneInverted:
            text =
                "Sign of the tone: dark red when the tone is inverted (multiplied by -1), which "
                "changes how it adds to the other sources.";
            break;
        case Tip::ToneOn:
            text = "Switches the tone on (red) or off.";
            break;
        case Tip::TonePowerText:
            text = "Power of the tone in dBnW, decibels relative to 1 nanowatt.";
            break;
        case Tip::TonePowerScale:
            text =
                "Power of the tone: up for more, from -50 to +10 dBnW in 1 dB steps; the bottom "
                "position switches the tone off.";
            break;
        case Tip::NoiseOn:
            text = "Switches the antenna's thermal noise on (orange) or off.";
            break;
        case Tip::Switching:
            text =
                "Switching mixer: when ticked the signal is multiplied by the sign of the local "
                "oscillator (a square wave, which also mixes with its odd harmonics); when "
                "clear, by the sine wave itself.";
            break;
        case Tip::TimeWindow:
            text =
                "Time window of the trace above, from 1.3 \u00B5s to 125 \u00B5s: right for a "
                "longer stretch of the signal, left for a shorter one.";
            break;
        case Tip::SpectrumSpan:
            text =
                "Span of the spectrum, from 0.2 MHz to 20 MHz: left to zoom in around the "
                "centre.";
            break;
        case Tip::SpectrumCentre:
            text =
                "Centre frequency of the spectrum, from 0.1 MHz to 20 MHz. The span stays "
                "within 0 to 20 MHz, so the centre moves back inside when it would not.";
            break;
        case Tip::SignalMax:
            text =
                "Full scale of the time trace in volts (m for milli, u for micro): the picture "
                "spans 1.25 times this value above and below its zero line.";
            break;
        case Tip::SignalZero:
            text = "The zero line of the time trace: 0 V lies at mid-height.";
            break;
        case Tip::MinTime:
            text = "Start of the time window: 0 seconds.";
            break;
        case Tip::MaxTime:
            text = "Length of the time window in seconds (u for micro).";
            break;
        case Tip::MinFreq:
            text = "Lowest frequency of the spectrum shown, in MHz.";
            break;
        case Tip::MaxFreq:
            text = "Highest frequency of the spectrum shown, in MHz.";
            break;
    }
    return WrapText(text);
}

std::string SwitchToolTip(std::string_view caption) {
    return WrapText("Ticked: the " + std::string(caption) +
                    " runs in the chain and its panel shows. Clear: the signal passes this slot "
                    "unchanged.");
}

std::string FreezeToolTip(bool frozen) {
    if (!frozen)
        return WrapText(
            "Freeze the vertical scale of the time trace above at its present full scale, to "
            "compare traces against one scale.");
    return WrapText(
        "Vertical scale frozen: the full scale stays as it is. A trace that grows beyond it is "
        "clipped at the picture's edges, and the pointer read-out says \"(clipped)\" there. Clear "
        "the box to scale automatically again.");
}

std::string ArchitectureToolTip(std::string_view text) {
    const Architecture architecture = ArchitectureFromText(text);
    return WrapText(
        "Receiver architecture: which stage stands in each of the seven slots. Only the three "
        "names exactly as listed are told apart; any other text gives the single-conversion "
        "heterodyne.\nReads as " +
        std::string(kArchitectureItems[ItemOf(architecture)]));
}

}  // namespace quorvane
