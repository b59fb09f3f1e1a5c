#pragma once

#include "panels/StagePanel.h"

namespace quorvane {

class GainRows;
class ParameterRow;

// One band-pass filter: centre frequency, bandwidth, gain and noise figure.
class FilterControl : public StagePanel {
    Q_OBJECT
    Q_PROPERTY(double Gain READ Gain WRITE SetGain)
    Q_PROPERTY(double NF READ NF WRITE SetNF)
    Q_PROPERTY(double MinFreq READ MinFreq WRITE SetMinFreq)
    Q_PROPERTY(double MaxFreq READ MaxFreq WRITE SetMaxFreq)
    Q_PROPERTY(double Bandwidth READ Bandwidth WRITE SetBandwidth)
    Q_PROPERTY(double CentreFreq READ CentreFreq WRITE SetCentreFreq)

  public:
    explicit FilterControl(QWidget* parent = nullptr);

    double Gain() const;  // dB
    void SetGain(double dB);
    double NF() const;  // dB
    void SetNF(double dB);
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
    void paintEvent(QPaintEvent* event) override;

  private:
    void UpdateDisplay();

    double centreFreq_ = 0.0;
    double bandwidth_ = 0.0;
    GainRows* rows_;
    ParameterRow* centreRow_ = nullptr;
    ParameterRow* rangeRow_ = nullptr;
};

}  // namespace quorvane
