#include "setup/Setup.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "engine/NumberChars.h"
#include "panel/NumberText.h"
#include "panel/StageTexts.h"

namespace quorvane {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits from `at`; returns how many.
std::size_t Digits(std::string_view text, std::size_t at) {
    std::size_t n = 0;
    while (at + n < text.size() && IsDigit(text[at + n]))
        ++n;
    return n;
}

}  // namespace

std::optional<double> CleanNumber(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t whole = Digits(text, at);
    at += whole;
    std::size_t fraction = 0;
    if (at < text.size() && text[at] == '.') {
        ++at;
        fraction = Digits(text, at);
        at += fraction;
    }
    if (whole + fraction == 0) return std::nullopt;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        const std::size_t exponent = Digits(text, at);
        if (exponent == 0) return std::nullopt;
        at += exponent;
    }
    if (at != text.size()) return std::nullopt;

    // FromChars takes no "+" and reports a value beyond the double range, either way.
    std::string_view number = text;
    if (number.front() == '+') number.remove_prefix(1);
    double value = 0;
    const auto [end, error] = FromChars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string CleanBoxText(std::string_view boxText, bool interceptBox) {
    if (interceptBox && boxText == "Inf") return "Inf";
    if (boxText.size() <= kMostNumberCharacters && CleanNumber(boxText))
        return std::string(boxText);
    // The number the box reads, written so that it reads back to the last bit.
    const double value = ParseLeadingNumber(boxText);
    char buffer[64];
    const auto result = ToChars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

Setup Cleaned(const Setup& typed) {
    Setup setup = typed;
    for (ToneSetup& tone : setup.tones)
        tone.frequency = CleanBoxText(tone.frequency, false);
    setup.noise.temperature = CleanBoxText(setup.noise.temperature, false);
    for (int position = 0; position < kStageCandidates; ++position) {
        StageSetup& s = setup.stages[position];
        s.noiseFigure = CleanBoxText(s.noiseFigure, false);
        s.gain = CleanBoxText(s.gain, false);
        switch (kCandidateOrder[position].kind) {
            case StageKind::Filter:
                s.centre = CleanBoxText(s.centre, false);
                s.bandwidth = CleanBoxText(s.bandwidth, false);
                break;
            case StageKind::Mixer:
                s.lo = CleanBoxText(s.lo, false);
                [[fallthrough]];
            case StageKind::Amplifier:
                s.intercept = CleanBoxText(s.intercept, true);
                break;
        }
    }
    return setup;
}

ChainSnapshot SnapshotOf(const Setup& setup) {
    ChainSnapshot snapshot;
    for (std::size_t k = 0; k < setup.tones.size(); ++k) {
        const ToneSetup& tone = setup.tones[k];
        OscillatorSettings& o = snapshot.oscillators[k];
        o.Frequency = ParseLeadingNumber(tone.frequency);
        o.Power = tone.on && tone.powerPosition != kPowerScaleBottom
                      ? static_cast<double>(-tone.powerPosition)
                      : kSourceOff;
        o.Invert = tone.inverted ? 1 : 0;
    }
    snapshot.noise.Temperature = ParseLeadingNumber(setup.noise.temperature);
    snapshot.noise.Working = setup.noise.on ? 1 : 0;

    const WindowArrangement arrangement = ArrangeWindow(setup.architecture);
    for (int slot = 0; slot < kSlotCount; ++slot)
        snapshot.chainSlots[slot].switchedIn = setup.switchedIn[slot];
    for (int position = 0; position < kStageCandidates; ++position) {
        if (SlotAtLeft(arrangement.lefts[position]) < 0) continue;
        const StageId id = kCandidateOrder[position];
        const StageSetup& b = setup.stages[position];
        StageSettings s;
        s.kind = id.kind;
        s.index = static_cast<std::int16_t>(id.index);
        s.Gain = ParseLeadingNumber(b.gain);
        s.NF = ParseLeadingNumber(b.noiseFigure);
        if (id.kind != StageKind::Filter) s.IP3 = ReadIntercept(b.intercept);
        if (id.kind == StageKind::Mixer) {
            s.LO_Freq = ReadLoFrequency(b.lo).mhz;
            s.Switching = b.switching;
        }
        if (id.kind == StageKind::Filter) {
            s.CentreFreq = ReadBandFrequency(b.centre).mhz;
            s.Bandwidth = ReadBandFrequency(b.bandwidth).mhz;
        }
        JoinSlotAtLeft(snapshot, arrangement.lefts[position], s);
    }
    snapshot.first = static_cast<std::int16_t>(setup.firstTestPoint);
    snapshot.second = static_cast<std::int16_t>(setup.secondTestPoint);
    return snapshot;
}

}  // namespace quorvane
