#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// What a panel's box shows. The text is the source of the box's value: typing and the panel's
// own writes both run the box's rule on it. `writes` counts the panel's writes, so that a front
// end puts the text into its box after every write, an unchanged one too, and leaves the box
// alone while the user types.
struct ShownText {
    std::string text;
    unsigned writes = 0;
};

// The units the panels' labels show.
inline constexpr std::string_view kDecibels = "dB";
inline constexpr std::string_view kDecibelsMilliwatt = "dBm";
inline constexpr std::string_view kMegahertz = "MHz";
inline constexpr std::string_view kKilohertz = "kHz";

// The boxes of the chain stages' panels. Amplifier, mixer and filter each have some of them.
enum class StageBox {
    Noise,        // cmbNoise, dB
    Gain,         // cmbGain, dB
    Intercept,    // cmbIP3, dBm, "Inf" is 60
    LoFrequency,  // cmbLOFreq, above 40 is kHz, the unit follows the typed number
    Centre,       // cmbFreq, above 40 is kHz, the unit follows the value in MHz
    Bandwidth,    // cmbRange, as cmbFreq
};

// The box's design name ("cmbNoise"), and the box of a design name.
std::string_view StageBoxName(StageBox box);
std::optional<StageBox> StageBoxNamed(std::string_view name);

// The value a box's rule reads from a text, in the unit the panel holds (dB, dBm, MHz): what a
// list steps from, and what the rule stores.
double ReadBoxValue(StageBox box, std::string_view text);

}  // namespace quorvane
