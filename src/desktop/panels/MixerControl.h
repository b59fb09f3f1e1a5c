#pragma once

#include "panels/ChainStagePanel.h"
#include "setup/Setup.h"

class QCheckBox;

namespace quorvane {

// One mixer with its local oscillator: LO frequency, switching flag, gain, noise figure, IP3.
class MixerControl final : public ChainStagePanel {
    Q_OBJECT
    Q_PROPERTY(double IP3 READ IP3 WRITE SetIP3)
    Q_PROPERTY(double LO_Freq READ LO_Freq WRITE SetLO_Freq)
    Q_PROPERTY(bool Switching READ Switching WRITE SetSwitching)

  public:
    explicit MixerControl(QWidget* parent = nullptr);

    double IP3() const;  // dBm, 60 = "Inf"
    void SetIP3(double dBm);
    double LO_Freq() const;  // MHz
    void SetLO_Freq(double mhz);
    bool Switching() const;
    void SetSwitching(bool on);

    // The state the panel shows, for what the window reads from it.
    const MixerPanelState& PanelState() const { return Mixer(); }
    // Sets a setup's stage through the state's own rules and shows the result.
    void ApplySetup(const StageSetup& stage);

  protected:
    void ShowState() override;

  private:
    MixerPanelState& Mixer() const;

    QCheckBox* chkSwitching_ = nullptr;
    bool showing_ = false;
};

}  // namespace quorvane
