#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The tooltips of the window's controls, each wrapped to lines of about 45 characters.

// The boxes a student types into, each read by its own rule.
enum class BoxKind {
    ToneFrequency,
    NoiseTemperature,
    NoiseFigure,
    Gain,
    Intercept,
    LoFrequency,
    CentreFrequency,
    Bandwidth,
};

// What a box's text reads as, with its unit: "Reads as 7 MHz" for "7,5", "Reads as 0 (no number
// at the start)" for "abc", "Reads as 60 dBm (Inf)" for "Inf", "Reads as 500 kHz" for a
// bandwidth of "0.5". It uses the same readers as the boxes' rules.
std::string ReadsAs(BoxKind box, std::string_view text);

// The box's explanation with ReadsAs on a line of its own at the end.
std::string BoxToolTip(BoxKind box, std::string_view text);

// Controls whose tooltip never changes.
enum class Tip {
    ToneInverted,
    ToneOn,
    TonePowerText,
    TonePowerScale,
    NoiseOn,
    Switching,
    TimeWindow,
    SpectrumSpan,
    SpectrumCentre,
    SignalMax,
    SignalZero,
    MinTime,
    MaxTime,
    MinFreq,
    MaxFreq,
};
std::string ToolTip(Tip tip);

// A bypass switch's tooltip, from its caption.
std::string SwitchToolTip(std::string_view caption);

// The freeze box's tooltip; while the box is ticked it says the scale is frozen.
std::string FreezeToolTip(bool frozen);

// The architecture combo's tooltip, ending with the architecture its text arranges.
std::string ArchitectureToolTip(std::string_view text);

}  // namespace quorvane
