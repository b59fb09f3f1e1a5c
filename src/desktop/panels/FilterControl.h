#pragma once

#include "panels/ChainStagePanel.h"
#include "setup/Setup.h"

namespace quorvane {

// One band-pass filter: centre frequency, bandwidth, gain and noise figure.
class FilterControl final : public ChainStagePanel {
    Q_OBJECT
    Q_PROPERTY(double MinFreq READ MinFreq WRITE SetMinFreq)
    Q_PROPERTY(double MaxFreq READ MaxFreq WRITE SetMaxFreq)
    Q_PROPERTY(double Bandwidth READ Bandwidth WRITE SetBandwidth)
    Q_PROPERTY(double CentreFreq READ CentreFreq WRITE SetCentreFreq)

  public:
    explicit FilterControl(QWidget* parent = nullptr);

    double MinFreq() const;     // MHz, CentreFreq - Bandwidth / 2
    void SetMinFreq(double) {}  // derived: writes are ignored
    double MaxFreq() const;     // MHz, CentreFreq + Bandwidth / 2
    void SetMaxFreq(double) {}  // derived: writes are ignored
    double Bandwidth() const;   // MHz
    void SetBandwidth(double mhz);
    double CentreFreq() const;  // MHz
    void SetCentreFreq(double mhz);

    // The state the panel shows, for what the window reads from it.
    const FilterPanelState& PanelState() const { return Filter(); }
    // Sets a setup's stage through the state's own rules and shows the result.
    void ApplySetup(const StageSetup& stage);

  private:
    FilterPanelState& Filter() const;
};

}  // namespace quorvane
