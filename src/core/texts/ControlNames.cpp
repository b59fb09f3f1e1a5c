#include "texts/ControlNames.h"

#include "chain/TestPointNames.h"

namespace quorvane {

namespace {

std::string_view KindName(StageKind kind) {
    switch (kind) {
        case StageKind::Filter:
            return "Filter";
        case StageKind::Mixer:
            return "Mixer";
        case StageKind::Amplifier:
            break;
    }
    return "Amplifier";
}

std::string_view PartWords(ControlPart part) {
    switch (part) {
        case ControlPart::Frequency:
            return "frequency";
        case ControlPart::Power:
            return "power";
        case ControlPart::On:
            return "on";
        case ControlPart::Inverted:
            return "inverted";
        case ControlPart::Temperature:
            return "temperature";
        case ControlPart::NoiseFigure:
            return "noise figure";
        case ControlPart::Gain:
            return "gain";
        case ControlPart::Intercept:
            return "third-order intercept";
        case ControlPart::LoFrequency:
            return "LO frequency";
        case ControlPart::Switching:
            return "switching";
        case ControlPart::CentreFrequency:
            return "centre frequency";
        case ControlPart::Bandwidth:
            break;
    }
    return "bandwidth";
}

std::string_view PlotControlWords(PlotControl control) {
    switch (control) {
        case PlotControl::TimePicture:
            return "time trace";
        case PlotControl::SpectrumPicture:
            return "spectrum";
        case PlotControl::Freeze:
            return "freeze vertical scale";
        case PlotControl::TimeWindow:
            return "time window";
        case PlotControl::SpectrumSpan:
            return "spectrum span";
        case PlotControl::Centre:
            break;
    }
    return "spectrum centre";
}

}  // namespace

std::string ToneTitle(int index) {
    return "Tone " + std::to_string(index + 1);
}

std::string StageTitle(StageId stage, Architecture architecture) {
    const Arrangement& arrangement = ArrangementFor(architecture);
    for (int slot = 0; slot < arrangement.filledSlots; ++slot) {
        if (arrangement.assignments[slot].stage == stage)
            return std::string(arrangement.assignments[slot].caption);
    }
    return std::string(KindName(stage.kind)) + " " + std::to_string(stage.index + 1);
}

std::string PartName(std::string_view title, ControlPart part) {
    return std::string(title) + " " + std::string(PartWords(part));
}

std::string SwitchName(std::string_view caption) {
    return "Switch in " + std::string(caption);
}

std::string TestPointName(int testPoint, Architecture architecture) {
    return "Test point " + std::to_string(testPoint) + ", " +
           TestPointPlace(testPoint, architecture);
}

std::string TestPointDescription(int testPoint, Selection selection) {
    if (testPoint == selection.first) return "shown in the left plot group";
    if (testPoint == selection.second) return "shown in the right plot group";
    return {};
}

std::string PlotControlName(int group, PlotControl control) {
    return std::string(group == 0 ? "Left plot: " : "Right plot: ") +
           std::string(PlotControlWords(control));
}

std::string PowerScaleText(int position, int bottom) {
    if (position == bottom) return "Off";
    return std::to_string(-position) + " dBnW";
}

std::string TestPointShortcut(int testPoint, std::string_view modifier) {
    return "Shortcut: " + std::string(modifier) + "+" + std::to_string(testPoint);
}

}  // namespace quorvane
