#pragma once

#include "panels/StagePanel.h"

namespace quorvane {

// The thermal-noise source at the antenna: temperature text and an on/off toggle.
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

private:
    struct Ui;
    Ui* ui_;
};

}  // namespace quorvane
