#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The text rules of the stage panels' boxes, apart from the widgets that show the texts.

// The intercept text "Inf", exactly so, stands for this intercept in dBm.
inline constexpr double kInfiniteIntercept = 60.0;

// cmbIP3: the leading number, or 60 when the text is exactly "Inf".
double ReadIntercept(std::string_view text);
// What the intercept box shows for a value: "Inf" for exactly 60, else the general format.
std::string InterceptText(double dBm);

// A frequency read from a box where a number above 40 is taken as kHz.
struct BoxFrequency {
    double mhz = 0.0;
    bool kiloHertz = false;  // whether the box's unit label reads "kHz"
};

// cmbLOFreq: the unit follows the typed number (above 40 is kHz, 40 itself is MHz).
BoxFrequency ReadLoFrequency(std::string_view text);
// cmbFreq and cmbRange: the number is scaled the same way, but the unit follows the result in
// MHz ("MHz" from 1 MHz up, "kHz" below).
BoxFrequency ReadBandFrequency(std::string_view text);

}  // namespace quorvane
