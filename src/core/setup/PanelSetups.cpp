#include "setup/PanelSetups.h"

#include <array>

namespace quorvane {

namespace {

void ReadRows(StageSetup& s, const ChainPanelState& panel) {
    s.noiseFigure = panel.Shown(StageBox::Noise).text;
    s.gain = panel.Shown(StageBox::Gain).text;
}

void ReadFilter(StageSetup& s, const FilterPanelState& panel) {
    ReadRows(s, panel);
    s.centre = panel.Shown(StageBox::Centre).text;
    s.bandwidth = panel.Shown(StageBox::Bandwidth).text;
}

void ReadMixer(StageSetup& s, const MixerPanelState& panel) {
    ReadRows(s, panel);
    s.lo = panel.Shown(StageBox::LoFrequency).text;
    s.switching = panel.Switching();
    s.intercept = panel.Shown(StageBox::Intercept).text;
}

void ReadAmplifier(StageSetup& s, const AmplifierPanelState& panel) {
    ReadRows(s, panel);
    s.intercept = panel.Shown(StageBox::Intercept).text;
}

// Typing a text into a box runs the box's rule only when the text changes.
void TypeInto(ChainPanelState& panel, StageBox box, const std::string& text) {
    if (panel.Shown(box).text != text) panel.Type(box, text);
}

void ApplyRows(ChainPanelState& panel, const StageSetup& stage) {
    TypeInto(panel, StageBox::Noise, stage.noiseFigure);
    TypeInto(panel, StageBox::Gain, stage.gain);
}

}  // namespace

// The boxes a panel kind lacks hold the start-up texts of the kind that has them.
StageSetup StartupStage(StageKind kind) {
    static const std::array<StageSetup, 3> kStarts = [] {
        StageSetup common;
        ReadFilter(common, FilterPanelState());
        ReadAmplifier(common, AmplifierPanelState());
        ReadMixer(common, MixerPanelState());
        std::array<StageSetup, 3> starts{common, common, common};
        ReadFilter(starts[0], FilterPanelState());
        ReadMixer(starts[1], MixerPanelState());
        ReadAmplifier(starts[2], AmplifierPanelState());
        return starts;
    }();
    switch (kind) {
        case StageKind::Filter:
            return kStarts[0];
        case StageKind::Mixer:
            return kStarts[1];
        case StageKind::Amplifier:
            break;
    }
    return kStarts[2];
}

Setup StartupSetup() {
    Setup setup;
    for (ToneSetup& tone : setup.tones)
        tone = ToneOf(OscillatorPanelState());
    setup.noise = NoiseOf(NoisePanelState());
    for (int position = 0; position < kStageCandidates; ++position)
        setup.stages[position] = StartupStage(kCandidateOrder[position].kind);
    return setup;
}

ToneSetup ToneOf(const OscillatorPanelState& panel) {
    return {panel.FrequencyText().text, panel.ScalePosition(), panel.Working() != 0,
            panel.Invert() != 0};
}

NoiseSetup NoiseOf(const NoisePanelState& panel) {
    return {panel.TemperatureText().text, panel.Working() != 0};
}

StageSetup StageOf(const FilterPanelState& panel) {
    StageSetup s = StartupStage(StageKind::Filter);
    ReadFilter(s, panel);
    return s;
}

StageSetup StageOf(const MixerPanelState& panel) {
    StageSetup s = StartupStage(StageKind::Mixer);
    ReadMixer(s, panel);
    return s;
}

StageSetup StageOf(const AmplifierPanelState& panel) {
    StageSetup s = StartupStage(StageKind::Amplifier);
    ReadAmplifier(s, panel);
    return s;
}

void ApplyTone(OscillatorPanelState& panel, const ToneSetup& tone) {
    if (panel.FrequencyText().text != tone.frequency) panel.TypeFrequency(tone.frequency);
    panel.MoveScale(tone.powerPosition);
    if ((panel.Working() != 0) != tone.on) panel.PressWorking();
    if ((panel.Invert() != 0) != tone.inverted) panel.PressInvert();
}

void ApplyNoise(NoisePanelState& panel, const NoiseSetup& noise) {
    if (panel.TemperatureText().text != noise.temperature) panel.TypeTemperature(noise.temperature);
    if ((panel.Working() != 0) != noise.on) panel.PressWorking();
}

void ApplyStage(FilterPanelState& panel, const StageSetup& stage) {
    ApplyRows(panel, stage);
    TypeInto(panel, StageBox::Centre, stage.centre);
    TypeInto(panel, StageBox::Bandwidth, stage.bandwidth);
}

void ApplyStage(MixerPanelState& panel, const StageSetup& stage) {
    ApplyRows(panel, stage);
    TypeInto(panel, StageBox::LoFrequency, stage.lo);
    if (panel.SwitchingChecked() != stage.switching) panel.CheckSwitching(stage.switching);
    TypeInto(panel, StageBox::Intercept, stage.intercept);
}

void ApplyStage(AmplifierPanelState& panel, const StageSetup& stage) {
    ApplyRows(panel, stage);
    TypeInto(panel, StageBox::Intercept, stage.intercept);
}

OscillatorSettings OscillatorOf(const OscillatorPanelState& panel) {
    return {panel.Frequency(), panel.Power(), panel.Invert()};
}

NoiseSettings NoiseSettingsOf(const NoisePanelState& panel) {
    return {panel.Temperature(), panel.Working()};
}

namespace {

StageSettings RowsOf(StageId id, const ChainPanelState& panel) {
    StageSettings s;
    s.kind = id.kind;
    s.index = static_cast<std::int16_t>(id.index);
    s.Gain = panel.Gain();
    s.NF = panel.NF();
    return s;
}

}  // namespace

StageSettings SettingsOf(StageId id, const FilterPanelState& panel) {
    StageSettings s = RowsOf(id, panel);
    s.Bandwidth = panel.Bandwidth();
    s.CentreFreq = panel.CentreFreq();
    return s;
}

StageSettings SettingsOf(StageId id, const MixerPanelState& panel) {
    StageSettings s = RowsOf(id, panel);
    s.IP3 = panel.IP3();
    s.LO_Freq = panel.LO_Freq();
    s.Switching = panel.Switching();
    return s;
}

StageSettings SettingsOf(StageId id, const AmplifierPanelState& panel) {
    StageSettings s = RowsOf(id, panel);
    s.IP3 = panel.IP3();
    return s;
}

}  // namespace quorvane
