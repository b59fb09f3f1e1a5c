#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/TickReadouts.h"
#include "chain/Architecture.h"
#include "chain/TestPointSelection.h"
#include "engine/ChainSnapshot.h"
#include "panel/ChainPanelStates.h"
#include "panel/SourcePanelStates.h"
#include "plot/PlotGroupFigure.h"
#include "plot/PlotGroupModel.h"
#include "setup/Setup.h"
#include "setup/SetupActions.h"

namespace quorvane {

class ReceiverEngine;

// A whole window without a toolkit: every panel's settings, the architecture, the switches, the
// test-point selection and the plot groups, changed by edits addressed with the controls' own
// names and worked through the same rules as the desktop window's controls. Its tick runs the
// receiver and draws the plot groups as the window does, so two front ends over this core show
// the same texts and traces, tick for tick once their generators are reset together.
class WindowModel {
  public:
    // The window just after start-up.
    WindowModel();
    ~WindowModel();
    WindowModel(const WindowModel&) = delete;
    WindowModel& operator=(const WindowModel&) = delete;

    // An edit of a window control: "cmbMode" with the text shown in the list, "Check1(k)" with
    // "1" or "0" (nothing: a click), "cmdGraph(n)" (a click), "hscSignal(g)", "hscSpectrum(g)"
    // or "hscCentre(g)" with a position, "chkFreeze(g)" with "1" or "0" (nothing: a click).
    // Returns why an edit was refused (no such control, or a value it cannot take), else empty.
    std::string Edit(std::string_view control, std::string_view value = {});
    // An edit of a panel's box, as typing into it or clicking it would: "OscillatorControl1(k)"
    // (Text1, vscPower, cmdWorking, cmdInvert), "NoiseControl1" (Text1, cmdWorking), the stage
    // panels "FilterControl1(i)", "MixerControl1(i)", "AmplifierControl1(i)" (cmbNoise, cmbGain,
    // cmbFreq, cmbRange, cmbLOFreq, cmbIP3, chkSwitching with "1" or "0").
    std::string EditPanel(std::string_view panel, std::string_view box,
                          std::string_view value = {});
    // What else a key or a click does to a panel's box without typing into it. StepList is the
    // Up (direction -1) or Down (+1) key in a stage panel's drop-down list: it picks the item
    // one step from the value the box's rule reads from its text, as the list does, and does
    // nothing at the list's end; panel "" with box "cmbMode" is the window's architecture list,
    // which steps from the architecture its text arranges. ClickBox is a click in the noise panel's
    // Text1, which reads its text again. Both return why they were refused (no such panel or box),
    // else empty.
    std::string StepList(std::string_view panel, std::string_view box, int direction);
    std::string ClickBox(std::string_view panel, std::string_view box);

    // The settings, every box's text as typed, as a setup, and its text (the boxes' texts made
    // clean, as the window writes them); applying one sets every control through its own rule
    // to the setup's value, as the window does. ApplySetupText returns the parser's message,
    // changing nothing, when refused.
    Setup Settings() const;
    std::string SetupAsText() const;
    std::string ApplySetupText(std::string_view text);
    void ApplySetup(const Setup& setup);
    // A ready experiment, applied as a paste is; its note joins the output power's read-out
    // while its setup stands unchanged.
    void RunExperiment(int index);

    // Puts the process's generator back at its start, where every run of the program begins.
    static void ResetRandom();

    // One refresh of the timer: runs the receiver and draws the plot groups.
    void Tick();

    // The panels, each a state driven by the same calls as its widget: what every box, unit
    // label, scale, read-out and button shows. Oscillator k of 3; a stage panel by its position
    // in kCandidateOrder, or by kind and index.
    const OscillatorPanelState& Oscillator(int k) const { return oscillators_[k]; }
    const NoisePanelState& Noise() const { return noise_; }
    const ChainPanelState& Stage(int position) const;
    const FilterPanelState& Filter(int i) const { return filters_[i]; }
    const MixerPanelState& Mixer(int i) const { return mixers_[i]; }
    const AmplifierPanelState& Amplifier(int i) const { return amplifiers_[i]; }
    // The chain the next tick reads from the panels, the switches and the selection.
    ChainSnapshot Chain() const;

    // What the window shows.
    const std::string& PowerCaption() const { return powerCaption_; }  // lblPowerOut
    const std::string& ModeText() const { return modeText_; }          // cmbMode
    Architecture ShownArchitecture() const { return setup_.architecture; }
    const std::array<int, kStageCandidates>& StageLefts() const { return lefts_; }
    // The Tab order by the controls' names (a panel's name stands for its own controls).
    std::vector<std::string> FocusOrder() const { return WindowFocusOrder(lefts_); }
    std::array<bool, kStageCandidates> StagesShown() const;
    const std::array<std::string_view, kSlotCount>& SwitchCaptions() const { return captions_; }
    const std::array<bool, kSlotCount>& SwitchesShown() const { return switchShown_; }
    const std::array<bool, kSlotCount>& SwitchedIn() const { return setup_.switchedIn; }
    ButtonColours TestPointColours() const;
    Selection ShownSelection() const { return {setup_.firstTestPoint, setup_.secondTestPoint}; }
    LeaderLine Leader(int group) const;
    // Until the first click on a test point the leader lines stand as drawn at start-up
    // (layout::PlotGroupPlaces::lneToG, a short stub in the window-text colour).
    bool TestPointClicked() const { return clicked_; }
    // A plot group's pictures and labels, drawn in the colour of the test point it shows.
    const PlotGroupView& PlotGroup(int group) const { return groups_[group].View(); }
    // A plot group's scroll bars and freeze box.
    const PlotSetup& PlotControls(int group) const { return setup_.plots[group]; }
    // What a plot group's copies are titled: the test point it shows, empty for none.
    std::string GroupTitle(int group) const;
    // What "Copy Data" puts on the clipboard from a plot group's time or spectrum picture, and
    // the figure "Copy Picture" draws with the two pictures' drawings.
    std::string CopyData(int group, bool spectrum) const;
    PlotGroupFigure Figure(int group) const;

    // The settings and readings as plain text for a lab report, one item a line.
    std::string Summary() const;

    // The read-outs: a test point's tooltip, the output power's, and what the pointer over a
    // plot group's time trace or spectrum reads (x, y in twips on the picture).
    // A front end whose key for clicking test point n is `modifier`+n ("Alt") names it on a
    // last line of the test point's tooltip.
    std::string TestPointToolTip(int testPoint, std::string_view modifier = {});
    std::string PowerOutToolTip();
    std::string TimeReadout(int group, double x, double y) const;
    // The tooltip of a window control by its name ("Check1(2)", "cmbMode", "chkFreeze(0)",
    // "lblMinTime(1)", "cmdGraph(4)", "lblPowerOut"), and of a panel's box that reads a number
    // ("FilterControl1(1)", "cmbRange"); empty for any other name.
    std::string ToolTip(std::string_view control);
    std::string PanelToolTip(std::string_view panel, std::string_view box) const;
    std::string SpectrumReadout(int group, double x, double y);

  private:
    void Arrange(std::string_view modeText);
    void Draw(int group, const SignalBuffer& signal, std::uint32_t colour);
    void Click(int testPoint);
    std::string EditStage(int position, std::string_view box, std::string_view value);
    ChainPanelState& StageState(int position);

    // The architecture, switches, selection and plot groups; the panels' part is in the states.
    Setup setup_;
    std::array<OscillatorPanelState, 3> oscillators_;
    NoisePanelState noise_;
    std::array<FilterPanelState, 4> filters_;
    std::array<MixerPanelState, 3> mixers_;
    std::array<AmplifierPanelState, 2> amplifiers_;
    std::string modeText_;
    std::array<int, kStageCandidates> lefts_{};
    std::array<std::string_view, kSlotCount> captions_{};
    std::array<bool, kSlotCount> switchShown_{};
    std::array<PlotGroupModel, 2> groups_;
    std::string powerCaption_;
    bool clicked_ = false;

    std::unique_ptr<ReceiverEngine> engine_;
    TickReadouts readouts_;
    ExperimentMark experiment_;
};

}  // namespace quorvane
