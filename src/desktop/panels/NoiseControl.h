#pragma once

#include "panel/SourcePanelStates.h"
#include "panels/StagePanel.h"
#include "setup/Setup.h"

class QLineEdit;

namespace quorvane {

class BoxView;
class ColourButton;

// The thermal-noise source at the antenna: temperature text and an on/off toggle. A view of its
// NoisePanelState.
class NoiseControl : public StagePanel {
    Q_OBJECT
    Q_PROPERTY(double Temperature READ Temperature WRITE SetTemperature)
    Q_PROPERTY(short Working READ Working WRITE SetWorking)

  public:
    explicit NoiseControl(QWidget* parent = nullptr);

    double Temperature() const;  // K
    void SetTemperature(double kelvin);

    short Working() const;
    void SetWorking(short value);

    // The state the panel shows, for what the window reads from it.
    const NoisePanelState& PanelState() const { return state_; }
    // Sets a setup's noise through the state's own rules and shows the result: the box written
    // again and the button's colour.
    void ApplySetup(const NoiseSetup& noise);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void ShowState();

    NoisePanelState state_;

    QLineEdit* text1_ = nullptr;
    BoxView* text1View_ = nullptr;
    ColourButton* cmdWorking_ = nullptr;
};

}  // namespace quorvane
