#pragma once

#include "engine/ChainSnapshot.h"
#include "panels/StagePanel.h"

class QLabel;
class QLineEdit;

namespace quorvane {

class ColourButton;
class ReadingScrollBar;
class TextRule;

// One sine source at the antenna: frequency text, power scale, on/off and sign toggles.
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

    void SetTitle(const std::string& title) override;
    QList<QWidget*> FocusOrder() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void BuildControls();
    void UpdateDisplay();
    void ToggleWorking();
    void ToggleInvert();
    void ShowWorkingColour();
    void ShowInvertColour();

    double frequency_ = 0.0;
    double power_ = kSourceOff;
    short working_ = 0;
    short invert_ = 0;

    ColourButton* cmdInvert_ = nullptr;
    QLineEdit* text1_ = nullptr;
    TextRule* text1Rule_ = nullptr;
    QLabel* txtPower_ = nullptr;
    ReadingScrollBar* vscPower_ = nullptr;
    ColourButton* cmdWorking_ = nullptr;
};

}  // namespace quorvane
