#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/ChainSnapshot.h"
#include "panel/PanelBoxes.h"
#include "plot/Drawing.h"

namespace quorvane {

// The source panels' state and rules, apart from any widget: a front end forwards what the user
// does (a text typed, a scale moved, a button pressed) and the property writes, and shows what
// the state says. Every box write runs the box's rule, so a field always ends as the value read
// back from what is shown.

// What a toggle button makes of a 16-bit flag: 1 - value, held inside the 16-bit range (the
// flag may have been written as -32768, whose toggle would not fit).
short ToggledFlag(short value);

// One sine source at the antenna (OscillatorControl): frequency box Text1, power scale vscPower,
// power read-out txtPower, toggles cmdWorking and cmdInvert.
class OscillatorPanelState {
  public:
    // The power scale: position p is -p dBnW, the bottom position is "Off". Arrows and a click
    // in the trough move it by one.
    static constexpr int kScaleTop = -10;
    static constexpr int kScaleBottom = 51;
    static constexpr int kScaleStart = 30;
    static constexpr int kScaleStep = 1;
    // Button colours while on (0x00BBGGRR); off is the button face.
    static constexpr std::uint32_t kWorkingColour = 0x0000C0;
    static constexpr std::uint32_t kInvertColour = 0x000080;

    // A new panel: scale at 30, off, not inverted, "0" in the box, "Off" as the power.
    OscillatorPanelState();

    // Properties.
    double Frequency() const { return frequency_; }  // MHz
    void SetFrequency(double mhz);
    double Power() const { return power_; }  // dBnW, kSourceOff when off
    // Moves the scale to -dBnW, rounded with halves to even. False, changing nothing, when that
    // is no scale position.
    [[nodiscard]] bool SetPower(double dBnW);
    short Working() const { return working_; }
    void SetWorking(short value);
    short Invert() const { return invert_; }
    void SetInvert(short value);  // shows nothing but the button's colour

    // What the user does.
    void TypeFrequency(std::string_view text);  // the text stays as typed
    void MoveScale(int position);               // held inside the scale, as a scroll bar does
    void PressWorking();
    void PressInvert();
    // The same by design name: "Text1", "cmdWorking", "cmdInvert". False for another name.
    bool Type(std::string_view box, std::string_view text);
    bool Press(std::string_view button);

    // What the panel shows.
    const ShownText& FrequencyText() const { return frequencyText_; }
    const std::string& PowerText() const { return powerText_; }
    int ScalePosition() const { return position_; }
    std::uint32_t WorkingColour() const;
    std::uint32_t InvertColour() const;

    // What a scale position reads as: "-30 dBnW", "10 dBnW", "Off" at the bottom.
    static std::string ScaleReading(int position);
    // The scale position that shows a power in dBnW, if there is one.
    static std::optional<int> ScalePositionFor(double dBnW);

  private:
    void UpdateDisplay();

    double frequency_ = 0.0;
    double power_ = kSourceOff;
    short working_ = 0;
    short invert_ = 0;
    int position_ = kScaleStart;
    ShownText frequencyText_;
    std::string powerText_;
};

// The thermal-noise source at the antenna (NoiseControl): temperature box Text1 and the toggle
// cmdWorking, whose colour only a press changes.
class NoisePanelState {
  public:
    static constexpr std::uint32_t kWorkingColour = 0x0040C0;

    // A new panel: 290 K, off.
    NoisePanelState();

    double Temperature() const { return temperature_; }  // K
    void SetTemperature(double kelvin);
    short Working() const { return working_; }
    void SetWorking(short value);  // leaves the button's colour

    void TypeTemperature(std::string_view text);  // the text stays as typed
    void ClickTemperature();                      // a click in the box reads its text again
    void PressWorking();
    // The same by design name: "Text1", "cmdWorking". False for another name.
    bool Type(std::string_view box, std::string_view text);
    bool Press(std::string_view button);

    const ShownText& TemperatureText() const { return temperatureText_; }
    std::uint32_t WorkingColour() const { return workingColour_; }

  private:
    void UpdateDisplay();

    double temperature_ = kReferenceKelvin;
    short working_ = 0;
    std::uint32_t workingColour_ = kButtonFace;
    ShownText temperatureText_;
};

}  // namespace quorvane
