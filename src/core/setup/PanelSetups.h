#pragma once

#include "engine/ChainSnapshot.h"
#include "panel/ChainPanelStates.h"
#include "panel/SourcePanelStates.h"
#include "setup/Setup.h"

namespace quorvane {

// A setup's panel part read from the panels' states, and set into them: each box gets its text
// as typing it would, the scale is moved and the buttons pressed where they differ, the
// switching box ticked where it differs, so every value goes through the panel's own rule.
ToneSetup ToneOf(const OscillatorPanelState& panel);
NoiseSetup NoiseOf(const NoisePanelState& panel);
StageSetup StageOf(const FilterPanelState& panel);
StageSetup StageOf(const MixerPanelState& panel);
StageSetup StageOf(const AmplifierPanelState& panel);

void ApplyTone(OscillatorPanelState& panel, const ToneSetup& tone);
void ApplyNoise(NoisePanelState& panel, const NoiseSetup& noise);
void ApplyStage(FilterPanelState& panel, const StageSetup& stage);
void ApplyStage(MixerPanelState& panel, const StageSetup& stage);
void ApplyStage(AmplifierPanelState& panel, const StageSetup& stage);

// What the tick reads from a panel: its properties.
OscillatorSettings OscillatorOf(const OscillatorPanelState& panel);
NoiseSettings NoiseSettingsOf(const NoisePanelState& panel);
StageSettings SettingsOf(StageId id, const FilterPanelState& panel);
StageSettings SettingsOf(StageId id, const MixerPanelState& panel);
StageSettings SettingsOf(StageId id, const AmplifierPanelState& panel);

}  // namespace quorvane
