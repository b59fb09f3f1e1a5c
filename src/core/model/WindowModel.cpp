#include "model/WindowModel.h"

#include <algorithm>
#include <charconv>
#include <span>

#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"
#include "setup/Experiments.h"
#include "setup/SetupText.h"
#include "texts/ToolTips.h"
#include "texts/WindowSummary.h"

namespace quorvane {

namespace {

// "Name(3)" gives "Name" and 3; a name without an index gives -1.
struct ArrayName {
    std::string_view name;
    int index = -1;
};

ArrayName SplitName(std::string_view text) {
    ArrayName split{text, -1};
    const std::size_t open = text.find('(');
    if (open == std::string_view::npos || text.back() != ')') return split;
    const std::string_view digits = text.substr(open + 1, text.size() - open - 2);
    int index = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty() || index < 0)
        return {text, -2};
    return {text.substr(0, open), index};
}

std::optional<int> Whole(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A check box's or button's new state: "1" or "0", or nothing for a click.
std::optional<bool> Ticked(std::string_view value, bool now) {
    if (value.empty()) return !now;
    if (value == "1") return true;
    if (value == "0") return false;
    return std::nullopt;
}

std::string Refused(std::string_view what, std::string_view value) {
    return std::string(what) + " cannot take \"" + std::string(value) + "\"";
}

// A scroll bar's position after moving it to `value`: it stops at its ends.
int Scrolled(const layout::ScrollSetting& bar, int value) {
    return std::clamp(value, bar.minimum, bar.maximum);
}

}  // namespace

WindowModel::WindowModel() : setup_(StartupSetup()), engine_(std::make_unique<ReceiverEngine>()) {
    // Start-up shows the start-up item of the architecture list.
    Arrange(kArchitectureItems[kStartupItem]);
}

WindowModel::~WindowModel() = default;

void WindowModel::Arrange(std::string_view modeText) {
    modeText_ = std::string(modeText);
    setup_.architecture = ArchitectureFromText(modeText_);
    const WindowArrangement arrangement = ArrangeWindow(setup_.architecture);
    lefts_ = arrangement.lefts;
    switchShown_ = arrangement.switchShown;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!arrangement.captions[slot].empty()) captions_[slot] = arrangement.captions[slot];
    }
}

std::array<bool, kStageCandidates> WindowModel::StagesShown() const {
    std::array<bool, kStageCandidates> shown{};
    for (int position = 0; position < kStageCandidates; ++position)
        shown[position] = PanelShown(lefts_[position], setup_.switchedIn);
    return shown;
}

ButtonColours WindowModel::TestPointColours() const {
    return SelectionColours({setup_.firstTestPoint, setup_.secondTestPoint});
}

LeaderLine WindowModel::Leader(int group) const {
    if (group < 0 || group > 1) return {};
    const int n = group == 0 ? setup_.firstTestPoint : setup_.secondTestPoint;
    return LeaderLineFor(group, n, n > 0 ? TestPointColours()[n - 1] : 0);
}

std::string WindowModel::Edit(std::string_view control, std::string_view value) {
    if (control == "cmbMode") {
        Arrange(value);
        return {};
    }
    const ArrayName name = SplitName(control);
    if (name.name == "Check1" && name.index >= 0 && name.index < kSlotCount) {
        const std::optional<bool> on = Ticked(value, setup_.switchedIn[name.index]);
        if (!on) return Refused(control, value);
        setup_.switchedIn[name.index] = *on;
        return {};
    }
    if (name.name == "cmdGraph" && name.index >= 1 && name.index <= layout::kTestPointCount) {
        Click(name.index);
        return {};
    }
    if (name.index < 0 || name.index > 1) return "No control is named " + std::string(control);
    PlotSetup& plot = setup_.plots[name.index];
    if (name.name == "chkFreeze") {
        const std::optional<bool> on = Ticked(value, plot.frozen);
        if (!on) return Refused(control, value);
        plot.frozen = *on;
        return {};
    }
    int* position = nullptr;
    const layout::ScrollSetting* bar = nullptr;
    if (name.name == "hscSignal") {
        position = &plot.timeWindow;
        bar = &layout::kSignalScroll;
    } else if (name.name == "hscSpectrum") {
        position = &plot.span;
        bar = &layout::kSpectrumScroll;
    } else if (name.name == "hscCentre") {
        position = &plot.centre;
        bar = &layout::kCentreScroll;
    } else {
        return "No control is named " + std::string(control);
    }
    const std::optional<int> moved = Whole(value);
    if (!moved) return Refused(control, value);
    *position = Scrolled(*bar, *moved);
    return {};
}

void WindowModel::Click(int testPoint) {
    const TestPointClick click = ClickOutcome(TestPointColours(), testPoint);
    setup_.firstTestPoint = click.selection.first;
    setup_.secondTestPoint = click.selection.second;
    for (int g = 0; g < 2; ++g) {
        if (click.cleared[g]) groups_[g].Clear();
    }
}

std::string WindowModel::EditPanel(std::string_view panel, std::string_view box,
                                   std::string_view value) {
    const ArrayName name = SplitName(panel);
    const std::string what = std::string(panel) + " " + std::string(box);
    if (name.name == "OscillatorControl1" && name.index >= 0 && name.index < 3) {
        ToneSetup& tone = setup_.tones[name.index];
        if (box == "Text1") {
            tone.frequency = std::string(value);
        } else if (box == "vscPower") {
            const std::optional<int> p = Whole(value);
            if (!p) return Refused(what, value);
            tone.powerPosition = std::clamp(*p, kPowerScaleTop, kPowerScaleBottom);
        } else if (box == "cmdWorking" && value.empty()) {
            tone.on = !tone.on;
        } else if (box == "cmdInvert" && value.empty()) {
            tone.inverted = !tone.inverted;
        } else {
            return Refused(what, value);
        }
        return {};
    }
    if (panel == "NoiseControl1") {
        if (box == "Text1") {
            setup_.noise.temperature = std::string(value);
        } else if (box == "cmdWorking" && value.empty()) {
            setup_.noise.on = !setup_.noise.on;
        } else {
            return Refused(what, value);
        }
        return {};
    }
    for (int position = 0; position < kStageCandidates; ++position) {
        if (panel == DesignName(kCandidateOrder[position])) return EditStage(position, box, value);
    }
    return "No panel is named " + std::string(panel);
}

std::string WindowModel::EditStage(int position, std::string_view box, std::string_view value) {
    const StageKind kind = kCandidateOrder[position].kind;
    StageSetup& s = setup_.stages[position];
    const bool filter = kind == StageKind::Filter;
    const bool mixer = kind == StageKind::Mixer;
    if (box == "cmbNoise") {
        s.noiseFigure = std::string(value);
    } else if (box == "cmbGain") {
        s.gain = std::string(value);
    } else if (box == "cmbFreq" && filter) {
        s.centre = std::string(value);
    } else if (box == "cmbRange" && filter) {
        s.bandwidth = std::string(value);
    } else if (box == "cmbLOFreq" && mixer) {
        s.lo = std::string(value);
    } else if (box == "cmbIP3" && !filter) {
        s.intercept = std::string(value);
    } else if (box == "chkSwitching" && mixer) {
        const std::optional<bool> on = Ticked(value, s.switching);
        if (!on) return Refused(box, value);
        s.switching = *on;
    } else {
        return Refused(box, value);
    }
    return {};
}

std::string WindowModel::SetupAsText() const {
    return SetupText(Cleaned(setup_));
}

std::string WindowModel::ApplySetupText(std::string_view text) {
    const SetupParse parse = ParseSetup(text.substr(0, kMostSetupCharacters + 1));
    if (!parse.ok) return SetupErrorMessage(parse.error);
    ApplySetup(parse.setup);
    experiment_ = {};
    return {};
}

void WindowModel::ApplySetup(const Setup& setup) {
    Arrange(kArchitectureItems[ItemOf(setup.architecture)]);
    const Selection shown{setup_.firstTestPoint, setup_.secondTestPoint};
    for (int n : SelectionClicks(shown, {setup.firstTestPoint, setup.secondTestPoint})) {
        if (n > 0) Click(n);
    }
    const Selection reached{setup_.firstTestPoint, setup_.secondTestPoint};
    setup_ = setup;
    setup_.firstTestPoint = reached.first;
    setup_.secondTestPoint = reached.second;
    // A pasted freeze holds the scale of the first refresh after the paste.
    for (PlotGroupModel& group : groups_)
        group.ForgetFrozenScale();
}

void WindowModel::RunExperiment(int index) {
    const std::span<const Experiment> experiments = Experiments();
    if (index < 0 || static_cast<std::size_t>(index) >= experiments.size()) return;
    const SetupParse parse = ParseSetup(experiments[static_cast<std::size_t>(index)].setup);
    if (!parse.ok) return;
    ApplySetup(parse.setup);
    experiment_ = {index, SetupText(parse.setup)};
}

void WindowModel::ResetRandom() {
    ProcessRandom() = UniformRandom();
}

void WindowModel::Tick() {
    const ChainSnapshot snapshot = SnapshotOf(setup_);
    const Selection selection{snapshot.first, snapshot.second};
    const bool chainChanged = readouts_.BeginTick(snapshot);
    const ButtonColours colours = TestPointColours();
    const double watts =
        engine_->RunTick(snapshot, [&](std::int16_t testPoint, const SignalBuffer& signal) {
            const std::array<bool, 2> drawing = GroupsDrawing(testPoint, selection);
            for (int g = 0; g < 2; ++g) {
                if (drawing[g]) Draw(g, signal, colours[testPoint - 1]);
            }
        });
    powerCaption_ = FormatPowerCaption(watts);
    readouts_.EndTick(watts, chainChanged);
}

void WindowModel::Draw(int group, const SignalBuffer& signal, std::uint32_t colour) {
    PlotGroupModel& g = groups_[group];
    PlotSetup& plot = setup_.plots[group];
    const layout::PlotGroupPlaces& places = layout::kPlotGroups[group];
    const layout::Place& time = places.picSignal;
    g.DrawTime(signal, plot.timeWindow, plot.frozen,
               static_cast<double>(layout::ShownLength(time.left, time.width)),
               static_cast<double>(layout::ShownLength(time.top, time.height)), colour);
    const layout::Place& spectrum = places.picSpectrum;
    const std::optional<int> centre = g.DrawSpectrum(
        signal, plot.span, plot.centre,
        static_cast<double>(layout::ShownLength(spectrum.left, spectrum.width)),
        static_cast<double>(layout::ShownLength(spectrum.top, spectrum.height)), colour);
    if (centre) plot.centre = Scrolled(layout::kCentreScroll, *centre);
}

std::string WindowModel::Summary() const {
    return WindowSummary({modeText_, SnapshotOf(setup_), powerCaption_});
}

std::string WindowModel::TestPointToolTip(int testPoint) {
    return readouts_.TestPoint(testPoint, setup_.architecture);
}

std::string WindowModel::PowerOutToolTip() {
    std::string reading = readouts_.PowerOut(setup_.architecture);
    if (experiment_.index < 0) return reading;
    return WithExperimentNote(experiment_, SetupAsText(), reading);
}

std::string WindowModel::ToolTip(std::string_view control) {
    if (control == "cmbMode") return ArchitectureToolTip(modeText_);
    if (control == "lblPowerOut") return PowerOutToolTip();
    const ArrayName name = SplitName(control);
    if (name.name == "Check1" && name.index >= 0 && name.index < kSlotCount)
        return SwitchToolTip(captions_[name.index]);
    if (name.name == "cmdGraph" && name.index >= 1 && name.index <= layout::kTestPointCount)
        return TestPointToolTip(name.index);
    if (name.index < 0 || name.index > 1) return {};
    if (name.name == "chkFreeze") return FreezeToolTip(setup_.plots[name.index].frozen);
    static constexpr std::pair<std::string_view, Tip> kFixed[] = {
        {"hscSignal", Tip::TimeWindow},     {"hscSpectrum", Tip::SpectrumSpan},
        {"hscCentre", Tip::SpectrumCentre}, {"lblSignalMax", Tip::SignalMax},
        {"lblSignalZero", Tip::SignalZero}, {"lblMinTime", Tip::MinTime},
        {"lblMaxTime", Tip::MaxTime},       {"lblMinFreq", Tip::MinFreq},
        {"lblMaxFreq", Tip::MaxFreq}};
    for (const auto& [fixed, tip] : kFixed) {
        if (name.name == fixed) return quorvane::ToolTip(tip);
    }
    return {};
}

std::string WindowModel::PanelToolTip(std::string_view panel, std::string_view box) const {
    if (panel == "NoiseControl1")
        return box == "Text1" ? BoxToolTip(BoxKind::NoiseTemperature, setup_.noise.temperature)
                              : std::string();
    const ArrayName name = SplitName(panel);
    if (name.name == "OscillatorControl1" && name.index >= 0 && name.index < 3)
        return box == "Text1"
                   ? BoxToolTip(BoxKind::ToneFrequency, setup_.tones[name.index].frequency)
                   : std::string();
    for (int position = 0; position < kStageCandidates; ++position) {
        if (panel != DesignName(kCandidateOrder[position])) continue;
        const StageKind kind = kCandidateOrder[position].kind;
        const StageSetup& s = setup_.stages[position];
        if (box == "cmbNoise") return BoxToolTip(BoxKind::NoiseFigure, s.noiseFigure);
        if (box == "cmbGain") return BoxToolTip(BoxKind::Gain, s.gain);
        if (kind == StageKind::Filter && box == "cmbFreq")
            return BoxToolTip(BoxKind::CentreFrequency, s.centre);
        if (kind == StageKind::Filter && box == "cmbRange")
            return BoxToolTip(BoxKind::Bandwidth, s.bandwidth);
        if (kind == StageKind::Mixer && box == "cmbLOFreq")
            return BoxToolTip(BoxKind::LoFrequency, s.lo);
        if (kind != StageKind::Filter && box == "cmbIP3")
            return BoxToolTip(BoxKind::Intercept, s.intercept);
    }
    return {};
}

std::string WindowModel::TimeReadout(int group, double x, double y) const {
    if (group < 0 || group > 1) return {};
    return TimeHoverText(groups_[group].TimeHover(), x, y);
}

std::string WindowModel::SpectrumReadout(int group, double x, double y) {
    if (group < 0 || group > 1) return {};
    return SpectrumHoverText(
        groups_[group].SpectrumHover(), x, y, [this, group](double mhz, double toleranceMHz) {
            return readouts_.SpectrumLine(group, mhz, toleranceMHz, setup_.architecture);
        });
}

}  // namespace quorvane
