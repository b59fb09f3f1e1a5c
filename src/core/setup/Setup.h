#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "chain/Architecture.h"
#include "chain/Layout.h"
#include "engine/ChainSnapshot.h"
#include "panel/SourcePanelStates.h"

namespace quorvane {

// A lab setup: everything a student sets in the window, as the window's boxes, scales, buttons
// and switches hold it. Box values are kept as the box's text, so a setup brought back into the
// window goes through each box's own rule (numbers above 40 in a kHz/MHz box are kHz, "Inf" is
// 60 dBm). Every text here is a clean number or one of the box's own words.

// The tone panels' power scale: position p is -p dBnW, the bottom position is "Off".
inline constexpr int kPowerScaleTop = OscillatorPanelState::kScaleTop;
inline constexpr int kPowerScaleBottom = OscillatorPanelState::kScaleBottom;
inline constexpr int kPowerScaleStart = OscillatorPanelState::kScaleStart;

// The texts are empty until set: StartupSetup() and StartupStage() read the start-up texts from
// new panels.

struct ToneSetup {
    std::string frequency;                 // the frequency box, MHz
    int powerPosition = kPowerScaleStart;  // the power scale
    bool on = false;
    bool inverted = false;
    friend bool operator==(const ToneSetup&, const ToneSetup&) = default;
};

struct NoiseSetup {
    std::string temperature;  // K
    bool on = false;
    friend bool operator==(const NoiseSetup&, const NoiseSetup&) = default;
};

// One stage panel's boxes; a field the panel kind has not holds its start-up text.
struct StageSetup {
    std::string noiseFigure;  // dB
    std::string gain;         // dB
    std::string intercept;    // dBm (amplifier, mixer)
    std::string lo;           // mixer: as typed, above 40 is kHz
    bool switching = false;   // mixer
    std::string centre;       // filter: above 40 is kHz
    std::string bandwidth;    // filter: above 40 is kHz
    friend bool operator==(const StageSetup&, const StageSetup&) = default;
};

struct PlotSetup {
    int timeWindow = layout::kSignalScroll.value;  // hscSignal
    int span = layout::kSpectrumScroll.value;      // hscSpectrum
    int centre = layout::kCentreScroll.value;      // hscCentre
    bool frozen = false;
    friend bool operator==(const PlotSetup&, const PlotSetup&) = default;
};

struct Setup {
    Architecture architecture = Architecture::SingleConversion;
    std::array<ToneSetup, 3> tones{};
    NoiseSetup noise{};
    std::array<bool, kSlotCount> switchedIn{};          // Check1(0..6)
    std::array<StageSetup, kStageCandidates> stages{};  // in kCandidateOrder
    int firstTestPoint = 0;                             // 0 or 1..8
    int secondTestPoint = 0;                            // 0, or above the first
    std::array<PlotSetup, 2> plots{};                   // left, right
    friend bool operator==(const Setup&, const Setup&) = default;
};

// The window just after start-up.
Setup StartupSetup();

// The start-up texts of one panel kind (a filter's gain is -3 dB, the others' 10 dB), as a new
// panel of that kind shows them (setup/PanelSetups.cpp).
StageSetup StartupStage(StageKind kind);

// The longest number a setup holds; a longer clean text is written in its shortest form.
inline constexpr std::size_t kMostNumberCharacters = 32;

// The value of a clean number: an optional sign, digits with at most one ".", an optional
// exponent, nothing else (no blanks, no comma), and within the double range. Otherwise none.
std::optional<double> CleanNumber(std::string_view text);

// A clean text for a box's value: the box's text itself when it is a clean number of at most
// kMostNumberCharacters ("Inf" too, where allowed), else the shortest clean number that the box
// reads as the same value.
std::string CleanBoxText(std::string_view boxText, bool interceptBox);

// The setup with every box's text made clean as CleanBoxText makes it (the intercept boxes
// keep "Inf"): what a window whose boxes hold these texts as typed writes as its setup.
Setup Cleaned(const Setup& typed);

// The chain the tick would read from a window holding this setup, with its test points.
ChainSnapshot SnapshotOf(const Setup& setup);

}  // namespace quorvane
