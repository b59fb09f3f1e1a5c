#include "panel/PanelGeometry.h"

#include <array>

namespace quorvane {

namespace {

constexpr int kRowPitch = 480;

constexpr ParameterRowPlace NoiseRow(int top, std::span<const std::string_view> items) {
    return {.box = StageBox::Noise,
            .symbol = {"Label1(0)", {120, top, 495, 375}, "NF", kSymbolPoints},
            .list = {"cmbNoise", {600, top, 735, 420}},
            .items = items,
            .unit = {"Label1(1)", {1320, top + 60, 495, 375}, kDecibels},
            .tip = BoxKind::NoiseFigure,
            .part = ControlPart::NoiseFigure};
}

constexpr ParameterRowPlace GainRow(int top, std::span<const std::string_view> items) {
    return {.box = StageBox::Gain,
            .symbol = {"Label1(2)", {240, top, 375, 375}, "G", kSymbolPoints},
            .list = {"cmbGain", {600, top, 735, 420}},
            .items = items,
            .unit = {"Label1(3)", {1320, top + 60, 495, 375}, kDecibels},
            .tip = BoxKind::Gain,
            .part = ControlPart::Gain};
}

constexpr ParameterRowPlace InterceptRow(int top, std::span<const std::string_view> items) {
    return {.box = StageBox::Intercept,
            .symbol = {"Label1(4)", {120, top, 495, 375}, "IP3", kSymbolPoints},
            .list = {"cmbIP3", {600, top, 735, 420}},
            .items = items,
            .unit = {"Label1(5)", {1320, top + 60, 495, 375}, kDecibelsMilliwatt},
            .tip = BoxKind::Intercept,
            .part = ControlPart::Intercept};
}

// The lists. The noise-figure and gain lists of amplifier and mixer are the same; the filter's
// noise figures go on to 30 dB and its gains are losses; the mixer's intercepts go on to -30 dBm.
constexpr std::array<std::string_view, 7> kNoiseItems = {"0", "1", "2", "3", "6", "10", "20"};
constexpr std::array<std::string_view, 6> kGainItems = {"0", "3", "6", "10", "20", "30"};
constexpr std::array<std::string_view, 5> kAmplifierIntercepts = {"Inf", "20", "10", "0", "-10"};
constexpr std::array<std::string_view, 7> kMixerIntercepts = {"Inf", "20",  "10", "0",
                                                              "-10", "-20", "-30"};
constexpr std::array<std::string_view, 9> kLoItems = {"100", "200", "500", "800", "1.2",
                                                      "2",   "5",   "9",   "11"};
constexpr std::array<std::string_view, 8> kFilterNoiseItems = {"0", "1",  "2",  "3",
                                                               "6", "10", "20", "30"};
constexpr std::array<std::string_view, 8> kFilterGainItems = {"0",  "-1",  "-2",  "-3",
                                                              "-6", "-10", "-20", "-30"};
constexpr std::array<std::string_view, 8> kCentreItems = {"0", "100", "200", "500",
                                                          "1", "2",   "5",   "10"};
constexpr std::array<std::string_view, 8> kRangeItems = {"100", "200", "500", "1",
                                                         "2",   "5",   "10",  "20"};

// Oscillator: a circle with a wave mark, the output line to the right edge.
constexpr std::array<SymbolLine, 4> kOscillatorLines{{
    {"lneIcon(0)", 720, 1200, 840, 1080, 2},  // wave mark
    {"lneIcon(1)", 840, 1080, 960, 1200, 2},
    {"lneIcon(2)", 1080, 1080, 960, 1200, 2},
    {"Line3", 1140, 1140, 1920, 1140, 3},  // output line
}};
constexpr std::array<SymbolOutline, 1> kOscillatorOutlines{{
    {"Shape1", ShapeKind::Circle, {480, 900, 855, 495}, 3},
}};
constexpr std::array<std::string_view, 4> kOscillatorFocus = {"cmdInvert", "Text1", "vscPower",
                                                              "cmdWorking"};

constexpr OscillatorGeometry kOscillator{
    .frame = {1860, 1455, kOscillatorLines, kOscillatorOutlines, kOscillatorFocus},
    .cmdInvert = {.name = "cmdInvert",
                  .box = {60, 180, 255, 255},
                  .tip = Tip::ToneInverted,
                  .part = ControlPart::Inverted},
    .text1 = {.name = "Text1",
              .box = {360, 90, 735, 420},
              .reads = BoxKind::ToneFrequency,
              .part = ControlPart::Frequency},
    .txtFreq = {"txtFreq", {360, 120, 1335, 255}, kMegahertz, kBoxPoints, TextAlign::Right},
    .txtPower = {.name = "txtPower",
                 .box = {180, 600, 1215, 255},
                 .align = TextAlign::Right,
                 .tip = Tip::TonePowerText},
    .vscPower = {.name = "vscPower",
                 .box = {1560, 480, 255, 495},
                 .tip = Tip::TonePowerScale,
                 .part = ControlPart::Power},
    .cmdWorking = {.name = "cmdWorking",
                   .box = {240, 960, 255, 255},
                   .tip = Tip::ToneOn,
                   .part = ControlPart::On},
};

// Noise source: a circle with the letter N, the output line to the right edge.
constexpr std::array<SymbolLine, 1> kNoiseLines{{{"Line3", 1140, 780, 1920, 780, 3}}};
constexpr std::array<SymbolOutline, 1> kNoiseOutlines{{
    {"Shape1", ShapeKind::Circle, {480, 540, 855, 495}, 3},
}};
constexpr std::array<std::string_view, 2> kNoiseFocus = {"Text1", "cmdWorking"};

constexpr NoiseGeometry kNoise{
    .frame = {1860, 1140, kNoiseLines, kNoiseOutlines, kNoiseFocus},
    .text1 = {.name = "Text1",
              .box = {600, 60, 855, 420},
              .reads = BoxKind::NoiseTemperature,
              .part = ControlPart::Temperature},
    .txtNoise = {"txtNoise", {360, 120, 1335, 255}, "K", kBoxPoints, TextAlign::Right},
    .cmdWorking = {.name = "cmdWorking",
                   .box = {240, 600, 255, 255},
                   .tip = Tip::NoiseOn,
                   .part = ControlPart::On},
    .label1 = {"Label1", {780, 600, 255, 375}, "N", kSymbolPoints},
};

// Amplifier: a triangle between the input and output lines.
constexpr std::array<SymbolLine, 5> kAmplifierLines{{
    {"Line4", 360, 960, 360, 0, 4},      // triangle, input side
    {"Line5", 1320, 480, 360, 0, 4},     // triangle, upper side
    {"Line3", 1320, 480, 360, 960, 4},   // triangle, lower side
    {"Line1", 360, 480, 0, 480, 4},      // input line
    {"Line2", 2040, 480, 1320, 480, 4},  // output line
}};
constexpr std::array<std::string_view, 3> kAmplifierFocus = {"cmbGain", "cmbIP3", "cmbNoise"};

constexpr int kAmplifierRows = 1080;
constexpr AmplifierGeometry kAmplifier{
    .frame = {1860, 2490, kAmplifierLines, {}, kAmplifierFocus},
    .rows = {NoiseRow(kAmplifierRows, kNoiseItems), GainRow(kAmplifierRows + kRowPitch, kGainItems),
             InterceptRow(kAmplifierRows + 2 * kRowPitch, kAmplifierIntercepts)},
};

// Mixer: the local oscillator's circle above the mixer's crossed circle.
constexpr std::array<SymbolLine, 8> kMixerLines{{
    {"lneIcon(0)", 720, 900, 840, 780, 2},  // wave mark in the oscillator circle
    {"lneIcon(1)", 840, 780, 960, 900, 2},
    {"lneIcon(2)", 1080, 780, 960, 900, 2},
    {"Line3", 900, 1240, 900, 1080, 3},   // oscillator down to the mixer
    {"Line5", 720, 1380, 1080, 1760, 3},  // cross in the mixer circle
    {"Line6", 720, 1769, 1080, 1380, 3},
    {"Line1", 480, 1560, 0, 1560, 4},      // input line
    {"Line2", 2040, 1560, 1320, 1560, 4},  // output line
}};
constexpr std::array<SymbolOutline, 2> kMixerOutlines{{
    {"Shape1", ShapeKind::Circle, {480, 600, 855, 495}, 3},   // local oscillator
    {"Shape2", ShapeKind::Circle, {480, 1200, 855, 735}, 4},  // mixer
}};
constexpr std::array<std::string_view, 5> kMixerFocus = {"cmbNoise", "cmbIP3", "cmbGain",
                                                         "cmbLOFreq", "chkSwitching"};

constexpr int kMixerRows = 2160;
constexpr MixerGeometry kMixer{
    .frame = {1860, 3615, kMixerLines, kMixerOutlines, kMixerFocus},
    .rows = {NoiseRow(kMixerRows, kNoiseItems), GainRow(kMixerRows + kRowPitch, kGainItems),
             InterceptRow(kMixerRows + 2 * kRowPitch, kMixerIntercepts)},
    .lo = {.box = StageBox::LoFrequency,
           .symbol = {"Label1(6)", {120, 120, 495, 375}, "Fc", kSymbolPoints},
           .list = {"cmbLOFreq", {480, 120, 855, 420}},
           .items = kLoItems,
           .unit = {"Label1(7)", {1320, 180, 495, 375}, kMegahertz},
           .tip = BoxKind::LoFrequency,
           .part = ControlPart::LoFrequency},
    .chkSwitching = {.name = "chkSwitching",
                     .box = {1200, 720, 255, 255},
                     .tip = Tip::Switching,
                     .part = ControlPart::Switching},
};

// Filter: a rectangle holding three wave marks, the upper and lower ones struck through.
constexpr std::array<SymbolLine, 13> kFilterLines{{
    {"lneIcon(0)", 480, 360, 720, 120, 1},  // upper wave mark
    {"lneIcon(1)", 720, 120, 960, 360, 1},
    {"lneIcon(2)", 1200, 120, 960, 360, 1},
    {"lneIcon(3)", 480, 600, 720, 360, 1},  // middle wave mark
    {"lneIcon(4)", 720, 360, 960, 600, 1},
    {"lneIcon(5)", 1200, 360, 960, 600, 1},
    {"lneIcon(6)", 480, 840, 720, 600, 1},  // lower wave mark
    {"lneIcon(7)", 720, 600, 960, 840, 1},
    {"lneIcon(8)", 1200, 600, 960, 840, 1},
    {"Line3", 840, 360, 960, 120, 1},    // stroke through the upper wave
    {"Line4", 720, 840, 840, 600, 1},    // stroke through the lower wave
    {"Line1", 360, 480, 0, 480, 4},      // input line
    {"Line2", 2040, 480, 1320, 480, 4},  // output line
}};
constexpr std::array<SymbolOutline, 1> kFilterOutlines{{
    {"Shape1", ShapeKind::Rectangle, {375, 15, 915, 960}, 3},
}};
constexpr std::array<std::string_view, 4> kFilterFocus = {"cmbNoise", "cmbRange", "cmbFreq",
                                                          "cmbGain"};

constexpr int kFilterRows = 1080;
constexpr FilterGeometry kFilter{
    .frame = {1950, 3435, kFilterLines, kFilterOutlines, kFilterFocus},
    .rows = {NoiseRow(kFilterRows, kFilterNoiseItems),
             GainRow(kFilterRows + kRowPitch, kFilterGainItems), std::nullopt},
    .centre = {.box = StageBox::Centre,
               .symbol = {"Label1(4)", {120, 2400, 495, 375}, "Fc", kSymbolPoints},
               .list = {"cmbFreq", {480, 2400, 855, 420}},
               .items = kCentreItems,
               .unit = {"Label1(6)", {1320, 2460, 615, 375}, kMegahertz},
               .tip = BoxKind::CentreFrequency,
               .part = ControlPart::CentreFrequency},
    .range = {.box = StageBox::Bandwidth,
              .symbol = {"Label1(5)", {0, 2880, 495, 375}, "BW", kSymbolPoints},
              .list = {"cmbRange", {480, 2880, 855, 420}},
              .items = kRangeItems,
              .unit = {"Label1(7)", {1320, 2940, 615, 375}, kMegahertz},
              .tip = BoxKind::Bandwidth,
              .part = ControlPart::Bandwidth},
};

}  // namespace

const OscillatorGeometry& OscillatorPanelGeometry() {
    return kOscillator;
}
const NoiseGeometry& NoisePanelGeometry() {
    return kNoise;
}
const AmplifierGeometry& AmplifierPanelGeometry() {
    return kAmplifier;
}
const MixerGeometry& MixerPanelGeometry() {
    return kMixer;
}
const FilterGeometry& FilterPanelGeometry() {
    return kFilter;
}

}  // namespace quorvane
