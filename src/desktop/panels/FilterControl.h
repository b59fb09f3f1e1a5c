#pragma once

#include "panels/ChainStagePanel.h"

namespace quorvane {

class ParameterRow;

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

    void SetTitle(const std::string& title) override;
    QList<QWidget*> FocusOrder() const override;

  protected:
    void UpdateDisplay() override;

  private:
    double centreFreq_ = 5.0;  // MHz
    double bandwidth_ = 2.0;   // MHz
    ParameterRow* centreRow_ = nullptr;
    ParameterRow* rangeRow_ = nullptr;
};

}  // namespace quorvane
