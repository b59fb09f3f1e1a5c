#pragma once

#include "panels/StagePanel.h"

class QLineEdit;

namespace quorvane {

class ColourButton;
class TextRule;

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

    void SetTitle(const std::string& title) override;
    QList<QWidget*> FocusOrder() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void UpdateDisplay();
    void ToggleWorking();

    double temperature_ = 0.0;
    short working_ = 0;

    QLineEdit* text1_ = nullptr;
    TextRule* text1Rule_ = nullptr;
    ColourButton* cmdWorking_ = nullptr;
};

}  // namespace quorvane
