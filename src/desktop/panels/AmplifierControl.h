#pragma once

#include "panels/ChainStagePanel.h"
#include "setup/Setup.h"

namespace quorvane {

// One amplifier of the chain: gain, noise figure and third-order intercept.
class AmplifierControl final : public ChainStagePanel {
    Q_OBJECT
    Q_PROPERTY(double IP3 READ IP3 WRITE SetIP3)

  public:
    explicit AmplifierControl(QWidget* parent = nullptr);

    double IP3() const;  // dBm, 60 = "Inf"
    void SetIP3(double dBm);

    // The state the panel shows, for what the window reads from it.
    const AmplifierPanelState& PanelState() const { return Amplifier(); }
    // Sets a setup's stage through the state's own rules and shows the result.
    void ApplySetup(const StageSetup& stage);

  private:
    AmplifierPanelState& Amplifier() const;
};

}  // namespace quorvane
