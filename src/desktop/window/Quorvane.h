#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "analysis/TickReadouts.h"
#include "chain/Architecture.h"
#include "chain/TestPointSelection.h"
#include "engine/ChainSnapshot.h"
#include "engine/SignalBuffer.h"
#include "setup/Setup.h"
#include "setup/SetupActions.h"

class QCheckBox;
class QLabel;
class QMenu;
class QScrollBar;
class QTimer;

namespace quorvane {

class AmplifierControl;
class Balloon;
class ColourButton;
class FilterControl;
class FocusMark;
class LineControl;
class MixerControl;
class NoiseControl;
class OscillatorControl;
class PictureBox;
class PlotGroup;
struct PlotGroupControls;
class ReadoutLabel;
class ReceiverEngine;
class ShapeControl;
class StagePanel;
class SteppingComboBox;

// The program's one window: the sources and the receiver chain as a block diagram, the
// bypass switches and test-point buttons, the architecture combo, the output power and the
// two plot groups. Its controls are the model: every tick reads the receiver from them.
// Every control is named for screen readers and reachable with Tab in the order the window
// reads; Ctrl+1 to Ctrl+8 click the test points, and Ctrl+C or the context menu copies the
// window with a summary of its settings. Ctrl+Shift+C and Ctrl+V copy and paste the settings as a
// setup text; Ctrl+E offers ready experiments.
class Quorvane : public QWidget {
    Q_OBJECT

  public:
    explicit Quorvane(QWidget* parent = nullptr);
    ~Quorvane() override;

    // Shows the FFT's refusal as a modal box; no tick starts while it is open.
    void ShowRefusal(const QString& message);

    // Puts the window's picture on the clipboard, with Summary() as its text.
    void CopyWindow();
    // The settings and readings of the window as plain text, one item a line.
    QString Summary() const;

    // The window's settings as setup text, naming only what differs from the start-up state.
    QString SetupAsText() const;
    // Sets the window to its start-up state and then to the setup, through each control's own
    // rule. Returns the parser's message, changing nothing, when the text is not a setup.
    QString ApplySetupText(const QString& text);
    // "Copy Setup", and "Paste Setup", which shows a refused setup's message in a modal box.
    void CopySetup();
    void PasteSetup();
    // Applies a ready experiment as a paste does and shows its note over the diagram.
    void RunExperiment(int index);

  public Q_SLOTS:
    void Form_Load();
    void cmbMode_Click();
    void cmbMode_Change();
    void Check1_Click(int Index);
    void cmdGraph_Click(int Index);
    void Timer1_Timer();
    // Draws the signal of the tick in progress in the plot group showing iTestPoint, if any.
    virtual void PlotTestPoint(int iTestPoint, int iFirst, int iSecond);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void CreateSources();
    void CreateStages();
    void CreateDiagram();
    void CreateSwitches();
    void CreateTestPoints();
    void CreateConfigurationRow();
    void CreatePlotGroup(int g);
    void StackControls();
    void ConnectHandlers();
    void InstallRefusalBox();
    void RemoveRefusalBox();
    // Cuts every way the controls could call back while the window is destroyed.
    void LetGoOfControls();

    void InstallReadouts();
    Architecture ShownArchitecture() const;
    void CreateShortcuts();
    void CreateSetupActions();
    Setup ReadSetup() const;
    void ApplySetup(const Setup& setup);
    // The output power's reading, with the experiment's note while its setup stands unchanged.
    std::string ExperimentNote(const std::string& reading) const;
    void DescribeControls();
    void DescribePlotGroup(int g);
    void DescribeChain();
    void DescribeSelection(Selection selection);
    QList<QWidget*> FocusChain() const;

    void ArrangeStages();
    void ShowRunningStages();
    // Slot by slot, whether the switch's state shows its panel (a partly ticked one does).
    std::array<bool, kSlotCount> SwitchesShowing() const;
    StagePanel* Candidate(int position) const;
    ButtonColours ReadButtonColours() const;
    ChainSnapshot ReadChain() const;
    StageSettings ReadStage(int position) const;

    std::array<OscillatorControl*, 3> oscillators_{};
    NoiseControl* noise_ = nullptr;
    std::array<FilterControl*, 4> filters_{};
    std::array<MixerControl*, 3> mixers_{};
    std::array<AmplifierControl*, 2> amplifiers_{};

    std::array<QCheckBox*, 7> switches_{};                             // Check1(0..6)
    std::array<ColourButton*, layout::kTestPointCount> testPoints_{};  // element n - 1: button n
    SteppingComboBox* cmbMode_ = nullptr;
    ReadoutLabel* lblPowerOut_ = nullptr;
    FocusMark* focusMark_ = nullptr;

    std::array<std::unique_ptr<PlotGroupControls>, 2> groups_;

    QTimer* timer1_ = nullptr;
    std::unique_ptr<ReceiverEngine> engine_;
    const SignalBuffer* tickSignal_ = nullptr;  // the buffer while a tick walks the chain
    bool ticking_ = false;

    // What the read-outs explain: the last tick's chain, test points and output power.
    std::unique_ptr<TickReadouts> readouts_;

    QMenu* experimentsMenu_ = nullptr;
    Balloon* balloon_ = nullptr;
    ExperimentMark experiment_;  // the experiment last picked, while no paste followed
};

}  // namespace quorvane
