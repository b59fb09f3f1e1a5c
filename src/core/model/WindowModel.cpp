#include "model/WindowModel.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <span>
#include <vector>

#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"
#include "panel/ListStep.h"
#include "panel/PanelGeometry.h"
#include "setup/Experiments.h"
#include "setup/PanelSetups.h"
#include "setup/SetupText.h"
#include "texts/ControlNames.h"
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

// The row of a stage panel's kind that shows the box, with the items of its list.
const ParameterRowPlace* RowOf(StageKind kind, StageBox box) {
    std::vector<const ParameterRowPlace*> rows;
    const auto addRows = [&rows](const GainRowsPlaces& places) {
        rows.push_back(&places.noise);
        rows.push_back(&places.gain);
        if (places.intercept) rows.push_back(&*places.intercept);
    };
    switch (kind) {
        case StageKind::Filter:
            addRows(FilterPanelGeometry().rows);
            rows.push_back(&FilterPanelGeometry().centre);
            rows.push_back(&FilterPanelGeometry().range);
            break;
        case StageKind::Mixer:
            addRows(MixerPanelGeometry().rows);
            rows.push_back(&MixerPanelGeometry().lo);
            break;
        case StageKind::Amplifier:
            addRows(AmplifierPanelGeometry().rows);
            break;
    }
    for (const ParameterRowPlace* row : rows) {
        if (row->box == box) return row;
    }
    return nullptr;
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
    clicked_ = true;
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
        OscillatorPanelState& tone = oscillators_[name.index];
        if (box == "vscPower") {
            const std::optional<int> p = Whole(value);
            if (!p) return Refused(what, value);
            tone.MoveScale(*p);
        } else if (!tone.Type(box, value) && (!value.empty() || !tone.Press(box))) {
            return Refused(what, value);
        }
        return {};
    }
    if (panel == "NoiseControl1") {
        if (!noise_.Type(box, value) && (!value.empty() || !noise_.Press(box)))
            return Refused(what, value);
        return {};
    }
    for (int position = 0; position < kStageCandidates; ++position) {
        if (panel == DesignName(kCandidateOrder[position])) return EditStage(position, box, value);
    }
    return "No panel is named " + std::string(panel);
}

std::string WindowModel::StepList(std::string_view panel, std::string_view box, int direction) {
    // The architecture list on the window steps from the architecture its text arranges.
    if (panel.empty() && box == "cmbMode") {
        std::vector<double> values;
        values.reserve(kArchitectureItems.size());
        for (std::string_view item : kArchitectureItems)
            values.push_back(static_cast<double>(ItemOf(ArchitectureFromText(item))));
        const int item = SteppedItem(
            values, static_cast<double>(ItemOf(ArchitectureFromText(modeText_))), direction);
        if (item >= 0) Arrange(kArchitectureItems[static_cast<std::size_t>(item)]);
        return {};
    }
    for (int position = 0; position < kStageCandidates; ++position) {
        if (panel != DesignName(kCandidateOrder[position])) continue;
        const std::optional<StageBox> id = StageBoxNamed(box);
        const ParameterRowPlace* row = id ? RowOf(kCandidateOrder[position].kind, *id) : nullptr;
        if (row == nullptr) return std::string(panel) + " has no list " + std::string(box);
        ChainPanelState& state = StageState(position);
        std::vector<double> values;
        values.reserve(row->items.size());
        for (std::string_view item : row->items)
            values.push_back(ReadBoxValue(*id, item));
        const int item = SteppedItem(values, ReadBoxValue(*id, state.Shown(*id).text), direction);
        // The picked item's text goes to the box as typed text.
        if (item >= 0) state.Type(*id, row->items[static_cast<std::size_t>(item)]);
        return {};
    }
    return "No stage panel is named " + std::string(panel);
}

std::string WindowModel::ClickBox(std::string_view panel, std::string_view box) {
    if (panel != "NoiseControl1" || box != "Text1")
        return "No click reads " + std::string(panel) + " " + std::string(box);
    noise_.ClickTemperature();
    return {};
}

ChainPanelState& WindowModel::StageState(int position) {
    const StageId id = kCandidateOrder[position];
    switch (id.kind) {
        case StageKind::Filter:
            return filters_[id.index];
        case StageKind::Mixer:
            return mixers_[id.index];
        case StageKind::Amplifier:
            break;
    }
    return amplifiers_[id.index];
}

const ChainPanelState& WindowModel::Stage(int position) const {
    return const_cast<WindowModel*>(this)->StageState(position);
}

std::string WindowModel::EditStage(int position, std::string_view box, std::string_view value) {
    const StageId id = kCandidateOrder[position];
    if (box == "chkSwitching" && id.kind == StageKind::Mixer) {
        MixerPanelState& mixer = mixers_[id.index];
        const std::optional<bool> on = Ticked(value, mixer.SwitchingChecked());
        if (!on) return Refused(box, value);
        // The box's rule runs when its tick changes.
        if (*on != mixer.SwitchingChecked()) mixer.CheckSwitching(*on);
        return {};
    }
    if (!StageState(position).Type(box, value)) return Refused(box, value);
    return {};
}

Setup WindowModel::Settings() const {
    Setup setup = setup_;
    for (std::size_t k = 0; k < oscillators_.size(); ++k)
        setup.tones[k] = ToneOf(oscillators_[k]);
    setup.noise = NoiseOf(noise_);
    for (int position = 0; position < kStageCandidates; ++position) {
        const StageId id = kCandidateOrder[position];
        switch (id.kind) {
            case StageKind::Filter:
                setup.stages[position] = StageOf(filters_[id.index]);
                break;
            case StageKind::Mixer:
                setup.stages[position] = StageOf(mixers_[id.index]);
                break;
            case StageKind::Amplifier:
                setup.stages[position] = StageOf(amplifiers_[id.index]);
                break;
        }
    }
    return setup;
}

ChainSnapshot WindowModel::Chain() const {
    ChainSnapshot snapshot;
    for (std::size_t k = 0; k < oscillators_.size(); ++k)
        snapshot.oscillators[k] = OscillatorOf(oscillators_[k]);
    snapshot.noise = NoiseSettingsOf(noise_);
    for (int slot = 0; slot < kSlotCount; ++slot)
        snapshot.chainSlots[slot].switchedIn = setup_.switchedIn[slot];
    // Each panel joins the slot its Left names, in candidate order; parked panels join none.
    for (int position = 0; position < kStageCandidates; ++position) {
        const int left = lefts_[position];
        if (SlotAtLeft(left) < 0) continue;
        const StageId id = kCandidateOrder[position];
        switch (id.kind) {
            case StageKind::Filter:
                JoinSlotAtLeft(snapshot, left, SettingsOf(id, filters_[id.index]));
                break;
            case StageKind::Mixer:
                JoinSlotAtLeft(snapshot, left, SettingsOf(id, mixers_[id.index]));
                break;
            case StageKind::Amplifier:
                JoinSlotAtLeft(snapshot, left, SettingsOf(id, amplifiers_[id.index]));
                break;
        }
    }
    snapshot.first = static_cast<std::int16_t>(setup_.firstTestPoint);
    snapshot.second = static_cast<std::int16_t>(setup_.secondTestPoint);
    return snapshot;
}

std::string WindowModel::SetupAsText() const {
    return SetupText(Cleaned(Settings()));
}

std::string WindowModel::ApplySetupText(std::string_view text) {
    const SetupParse parse = ParseSetup(text.substr(0, kMostSetupCharacters + 1));
    if (!parse.ok) return SetupErrorMessage(parse.error);
    ApplySetup(parse.setup);
    experiment_ = {};
    return {};
}

// In the window's order: the architecture, the sources, the stage panels, the switches, the
// selection (by clicks), the plot groups.
void WindowModel::ApplySetup(const Setup& setup) {
    Arrange(kArchitectureItems[ItemOf(setup.architecture)]);
    for (std::size_t k = 0; k < oscillators_.size(); ++k)
        ApplyTone(oscillators_[k], setup.tones[k]);
    ApplyNoise(noise_, setup.noise);
    for (int position = 0; position < kStageCandidates; ++position) {
        const StageId id = kCandidateOrder[position];
        const StageSetup& s = setup.stages[position];
        switch (id.kind) {
            case StageKind::Filter:
                ApplyStage(filters_[id.index], s);
                break;
            case StageKind::Mixer:
                ApplyStage(mixers_[id.index], s);
                break;
            case StageKind::Amplifier:
                ApplyStage(amplifiers_[id.index], s);
                break;
        }
    }
    setup_.switchedIn = setup.switchedIn;
    const Selection shown{setup_.firstTestPoint, setup_.secondTestPoint};
    for (int n : SelectionClicks(shown, {setup.firstTestPoint, setup.secondTestPoint})) {
        if (n > 0) Click(n);
    }
    setup_.plots = setup.plots;
    for (PlotSetup& plot : setup_.plots) {
        plot.timeWindow = Scrolled(layout::kSignalScroll, plot.timeWindow);
        plot.span = Scrolled(layout::kSpectrumScroll, plot.span);
        plot.centre = Scrolled(layout::kCentreScroll, plot.centre);
    }
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
    const ChainSnapshot snapshot = Chain();
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
    return WindowSummary({modeText_, Chain(), powerCaption_});
}

std::string WindowModel::TestPointToolTip(int testPoint, std::string_view modifier) {
    std::string text = readouts_.TestPoint(testPoint, setup_.architecture);
    if (!modifier.empty()) {
        text += '\n';
        text += TestPointShortcut(testPoint, modifier);
    }
    return text;
}

std::string WindowModel::GroupTitle(int group) const {
    if (group < 0 || group > 1) return {};
    return readouts_.GroupTitle(group, setup_.architecture);
}

std::string WindowModel::CopyData(int group, bool spectrum) const {
    if (group < 0 || group > 1) return {};
    const PlotGroupModel& g = groups_[group];
    if (spectrum) return SpectrumTable(g.Bins(), GroupTitle(group));
    return TimeTraceTable(g.TimeSamples(), GroupTitle(group), g.TimeHover().fullScale);
}

PlotGroupFigure WindowModel::Figure(int group) const {
    if (group < 0 || group > 1) return {};
    const layout::PlotGroupPlaces& places = layout::kPlotGroups[group];
    PlotGroupFigureInput input;
    input.testPoint = GroupTitle(group);
    input.timeWidth = layout::ShownLength(places.picSignal.left, places.picSignal.width);
    input.timeHeight = layout::ShownLength(places.picSignal.top, places.picSignal.height);
    input.spectrumWidth = layout::ShownLength(places.picSpectrum.left, places.picSpectrum.width);
    input.spectrumHeight = layout::ShownLength(places.picSpectrum.top, places.picSpectrum.height);
    input.time = groups_[group].TimeHover();
    input.spectrum = groups_[group].SpectrumHover();
    return ComposePlotGroupFigure(input);
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
        return box == "Text1" ? BoxToolTip(BoxKind::NoiseTemperature, noise_.TemperatureText().text)
                              : std::string();
    const ArrayName name = SplitName(panel);
    if (name.name == "OscillatorControl1" && name.index >= 0 && name.index < 3)
        return box == "Text1" ? BoxToolTip(BoxKind::ToneFrequency,
                                           oscillators_[name.index].FrequencyText().text)
                              : std::string();
    for (int position = 0; position < kStageCandidates; ++position) {
        if (panel != DesignName(kCandidateOrder[position])) continue;
        static constexpr std::pair<StageBox, BoxKind> kReads[] = {
            {StageBox::Noise, BoxKind::NoiseFigure},
            {StageBox::Gain, BoxKind::Gain},
            {StageBox::Centre, BoxKind::CentreFrequency},
            {StageBox::Bandwidth, BoxKind::Bandwidth},
            {StageBox::LoFrequency, BoxKind::LoFrequency},
            {StageBox::Intercept, BoxKind::Intercept}};
        const ChainPanelState& state = Stage(position);
        const std::optional<StageBox> named = StageBoxNamed(box);
        if (!named || !state.Has(*named)) return {};
        for (const auto& [stageBox, kind] : kReads) {
            if (stageBox == *named) return BoxToolTip(kind, state.Shown(stageBox).text);
        }
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
