#include "panel/SourcePanelStates.h"

#include <algorithm>
#include <cmath>

#include "panel/NumberText.h"
#include "texts/ControlNames.h"

namespace quorvane {

namespace {

// Rounds to the nearest integer with halves going to the even neighbour.
double RoundHalfEven(double x) {
    if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
    return std::round(x);
}

// A write by the panel: the text is shown anew and its rule runs on it.
template <class Rule>
void Write(ShownText& box, std::string text, Rule rule) {
    box.text = std::move(text);
    ++box.writes;
    rule(box.text);
}

}  // namespace

short ToggledFlag(short value) {
    const int toggled = 1 - static_cast<int>(value);
    return static_cast<short>(toggled > 32767 ? 32767 : toggled);
}

OscillatorPanelState::OscillatorPanelState() {
    UpdateDisplay();
}

void OscillatorPanelState::SetFrequency(double mhz) {
    frequency_ = mhz;
    UpdateDisplay();
}

bool OscillatorPanelState::SetPower(double dBnW) {
    const std::optional<int> position = ScalePositionFor(dBnW);
    if (!position) return false;
    power_ = dBnW;
    MoveScale(*position);
    UpdateDisplay();
    return true;
}

void OscillatorPanelState::SetWorking(short value) {
    working_ = value;
    UpdateDisplay();
}

void OscillatorPanelState::SetInvert(short value) {
    invert_ = value;
}

void OscillatorPanelState::TypeFrequency(std::string_view text) {
    frequencyText_.text = std::string(text);
    frequency_ = ParseLeadingNumber(text);
}

void OscillatorPanelState::MoveScale(int position) {
    position = std::clamp(position, kScaleTop, kScaleBottom);
    if (position == position_) return;
    position_ = position;
    UpdateDisplay();
}

void OscillatorPanelState::PressWorking() {
    working_ = ToggledFlag(working_);
    UpdateDisplay();
}

void OscillatorPanelState::PressInvert() {
    invert_ = ToggledFlag(invert_);
}

bool OscillatorPanelState::Type(std::string_view box, std::string_view text) {
    if (box != "Text1") return false;
    TypeFrequency(text);
    return true;
}

bool OscillatorPanelState::Press(std::string_view button) {
    if (button == "cmdWorking") {
        PressWorking();
    } else if (button == "cmdInvert") {
        PressInvert();
    } else {
        return false;
    }
    return true;
}

// Only a flag of exactly 1 lights its button; any other non-zero Working still sounds the tone.
std::uint32_t OscillatorPanelState::WorkingColour() const {
    return working_ == 1 ? kWorkingColour : kButtonFace;
}

std::uint32_t OscillatorPanelState::InvertColour() const {
    return invert_ == 1 ? kInvertColour : kButtonFace;
}

std::string OscillatorPanelState::ScaleReading(int position) {
    return PowerScaleText(position, kScaleBottom);
}

std::optional<int> OscillatorPanelState::ScalePositionFor(double dBnW) {
    if (!std::isfinite(dBnW)) return std::nullopt;
    const double position = RoundHalfEven(-dBnW);
    if (position < kScaleTop || position > kScaleBottom) return std::nullopt;
    return static_cast<int>(position);
}

// The box is written from the field and read back; the power follows the scale while the tone
// is on, and is kSourceOff at the bottom of the scale or while the tone is off.
void OscillatorPanelState::UpdateDisplay() {
    Write(frequencyText_, FormatGeneral(frequency_),
          [this](std::string_view text) { frequency_ = ParseLeadingNumber(text); });
    if (position_ == kScaleBottom || working_ == 0) {
        power_ = kSourceOff;
        powerText_ = "Off";
    } else {
        power_ = -position_;
        powerText_ = ScaleReading(position_);
    }
}

NoisePanelState::NoisePanelState() {
    UpdateDisplay();
}

void NoisePanelState::SetTemperature(double kelvin) {
    temperature_ = kelvin;
    UpdateDisplay();
}

void NoisePanelState::SetWorking(short value) {
    working_ = value;
    UpdateDisplay();
}

void NoisePanelState::TypeTemperature(std::string_view text) {
    temperatureText_.text = std::string(text);
    temperature_ = ParseLeadingNumber(text);
}

void NoisePanelState::ClickTemperature() {
    temperature_ = ParseLeadingNumber(temperatureText_.text);
}

void NoisePanelState::PressWorking() {
    working_ = ToggledFlag(working_);
    workingColour_ = working_ == 1 ? kWorkingColour : kButtonFace;
    UpdateDisplay();
}

bool NoisePanelState::Type(std::string_view box, std::string_view text) {
    if (box != "Text1") return false;
    TypeTemperature(text);
    return true;
}

bool NoisePanelState::Press(std::string_view button) {
    if (button != "cmdWorking") return false;
    PressWorking();
    return true;
}

void NoisePanelState::UpdateDisplay() {
    Write(temperatureText_, FormatGeneral(temperature_),
          [this](std::string_view text) { temperature_ = ParseLeadingNumber(text); });
}

}  // namespace quorvane
