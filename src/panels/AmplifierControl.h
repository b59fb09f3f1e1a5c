#pragma once

#include "panels/StagePanel.h"

namespace quorvane {

class GainRows;

// One amplifier of the chain: gain, noise figure and third-order intercept.
class AmplifierControl : public StagePanel {
    Q_OBJECT
    Q_PROPERTY(double Gain READ Gain WRITE SetGain)
    Q_PROPERTY(double NF READ NF WRITE SetNF)
    Q_PROPERTY(double IP3 READ IP3 WRITE SetIP3)

  public:
    explicit AmplifierControl(QWidget* parent = nullptr);

    double Gain() const;  // dB
    void SetGain(double dB);
    double NF() const;  // dB
    void SetNF(double dB);
    double IP3() const;  // dBm, 60 = "Inf"
    void SetIP3(double dBm);

    void SetTitle(const std::string& title) override;
    QList<QWidget*> FocusOrder() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void UpdateDisplay();

    GainRows* rows_;
};

}  // namespace quorvane
