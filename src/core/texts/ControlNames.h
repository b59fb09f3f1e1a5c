#pragma once

#include <string>
#include <string_view>

#include "chain/Architecture.h"
#include "chain/TestPointSelection.h"

namespace quorvane {

// What a screen reader calls the window's controls, and how it reads their values. Names are in
// a student's words and unique within the window; they follow the architecture, so a box is
// named by the stage that now stands in its slot.

inline constexpr std::string_view kArchitectureName = "Receiver architecture";
inline constexpr std::string_view kOutputPowerName = "Output power";
inline constexpr std::string_view kNoiseTitle = "Noise";

// The title of a source panel: "Tone 1" for OscillatorControl1(0).
std::string ToneTitle(int index);

// The title of a stage panel: the caption of the slot it stands in ("Image Filter"), or, for a
// parked panel, its kind and number ("Filter 4" for FilterControl1(3)).
std::string StageTitle(StageId stage, Architecture architecture);

// The parameters a panel edits.
enum class ControlPart {
    Frequency,
    Power,
    On,
    Inverted,
    Temperature,
    NoiseFigure,
    Gain,
    Intercept,
    LoFrequency,
    Switching,
    CentreFrequency,
    Bandwidth,
};

// A panel control's name: its panel's title and the parameter, "Image Filter noise figure".
std::string PartName(std::string_view title, ControlPart part);

// A bypass switch's name, from its caption: "Switch in Image Filter".
std::string SwitchName(std::string_view caption);

// "Test point 3, after LNA".
std::string TestPointName(int testPoint, Architecture architecture);
// The last line of test point n's tooltip in a front end where `modifier`+n clicks it:
// "Shortcut: Alt+3".
std::string TestPointShortcut(int testPoint, std::string_view modifier);
// "shown in the left plot group", "shown in the right plot group", or empty.
std::string TestPointDescription(int testPoint, Selection selection);

// The controls of a plot group.
enum class PlotControl { TimePicture, SpectrumPicture, Freeze, TimeWindow, SpectrumSpan, Centre };

// "Left plot: time window", "Right plot: spectrum"; group 0 is the left one.
std::string PlotControlName(int group, PlotControl control);

// The power scale's reading: "-30 dBnW" at position 30, "Off" at the bottom position.
std::string PowerScaleText(int position, int bottom);

}  // namespace quorvane
