#include <cmath>
#include <cstdio>
#include <string>

#include "engine/ReceiverEngine.h"

namespace quorvane {

std::string FormatPowerCaption(double watts) {
    // Chains of strongly driven stages can push the samples past the double range; the power is
    // then infinite or NaN, and a student reads that best as an overflow.
    if (!std::isfinite(watts)) return "Pout = overflow";
    char text[32];
    // %.3e gives one digit, three decimals, a signed exponent of at least two digits.
    std::snprintf(text, sizeof text, "%.3e", watts);
    return std::string("Pout = ") + text;
}

}  // namespace quorvane
