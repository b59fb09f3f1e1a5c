#include "panel/StageTexts.h"

#include "panel/NumberText.h"

namespace quorvane {

namespace {
// Typed numbers above this are kilohertz.
constexpr double kKiloHertzThreshold = 40.0;
}  // namespace

double ReadIntercept(std::string_view text) {
    if (text == "Inf") return kInfiniteIntercept;
    return ParseLeadingNumber(text);
}

std::string InterceptText(double dBm) {
    return dBm == kInfiniteIntercept ? "Inf" : FormatGeneral(dBm);
}

BoxFrequency ReadLoFrequency(std::string_view text) {
    const double typed = ParseLeadingNumber(text);
    if (typed > kKiloHertzThreshold) return {typed / 1000.0, true};
    return {typed, false};
}

BoxFrequency ReadBandFrequency(std::string_view text) {
    double mhz = ParseLeadingNumber(text);
    if (mhz > kKiloHertzThreshold) mhz /= 1000.0;
    return {mhz, mhz < 1.0};
}

}  // namespace quorvane
