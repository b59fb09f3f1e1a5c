#pragma once

#include "panel/SourcePanelStates.h"
#include "panels/StagePanel.h"
#include "setup/Setup.h"

class QLabel;
class QLineEdit;

namespace quorvane {

class BoxView;
class ColourButton;
class ReadingScrollBar;

// One sine source at the antenna: frequency text, power scale, on/off and sign toggles. A view
// of its OscillatorPanelState: what the user does goes to the state, and the controls show what
// the state says.
class OscillatorControl : public StagePanel {
    Q_OBJECT
    Q_PROPERTY(double Frequency READ Frequency WRITE SetFrequency)
    Q_PROPERTY(double Power READ Power WRITE SetPowerProperty)
    Q_PROPERTY(short Working READ Working WRITE SetWorking)
    Q_PROPERTY(short Invert READ Invert WRITE SetInvert)

  public:
    explicit OscillatorControl(QWidget* parent = nullptr);

    double Frequency() const;  // MHz
    void SetFrequency(double mhz);

    double Power() const;  // dBnW, -1e12 when off
    // Moves the scale to -dBnW (rounded, halves to even). Returns false, changing nothing,
    // when that is not a scale position.
    [[nodiscard]] bool SetPower(double dBnW);
    // The property system's writer: a refused value is ignored.
    void SetPowerProperty(double dBnW);

    short Working() const;
    void SetWorking(short value);

    short Invert() const;
    void SetInvert(short value);

    // The state the panel shows, for what the window reads from it.
    const OscillatorPanelState& PanelState() const { return state_; }
    // Sets a setup's tone through the state's own rules and shows the result: the box written
    // again, the scale, the power text and both buttons' colours, with no control reporting a
    // change back.
    void ApplySetup(const ToneSetup& tone);

  private:
    void BuildControls();
    // Shows the box, the scale and the power text as the state has them.
    void ShowState();
    void ShowWorkingColour();
    void ShowInvertColour();

    OscillatorPanelState state_;
    bool showing_ = false;

    ColourButton* cmdInvert_ = nullptr;
    QLineEdit* text1_ = nullptr;
    BoxView* text1View_ = nullptr;
    QLabel* txtPower_ = nullptr;
    ReadingScrollBar* vscPower_ = nullptr;
    ColourButton* cmdWorking_ = nullptr;
};

}  // namespace quorvane
