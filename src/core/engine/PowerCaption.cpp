#include <charconv>
#include <cmath>
#include <string>

#include "engine/NumberChars.h"
#include "engine/ReceiverEngine.h"

namespace quorvane {

std::string FormatPowerCaption(double watts) {
    return "Pout = " + FormatPowerNumber(watts);
}

std::string FormatPowerNumber(double watts) {
    // Chains of strongly driven stages can push the samples past the double range; the power is
    // then infinite or NaN, and a student reads that best as an overflow.
    if (!std::isfinite(watts)) return "overflow";
    // Scientific with three decimals: one digit, a point, three decimals, a signed exponent of
    // at least two digits. ToChars ignores the locale, so the point stays a point.
    char text[32];
    const auto result = ToChars(text, text + sizeof text, watts, std::chars_format::scientific, 3);
    return std::string(text, result.ptr);
}

}  // namespace quorvane
