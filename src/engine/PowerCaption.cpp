#include <cstdio>
#include <string>

#include "engine/ReceiverEngine.h"

namespace quorvane {

std::string FormatPowerCaption(double watts) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3e", watts);
    return std::string("Pout = ") + text;
}

}  // namespace quorvane
