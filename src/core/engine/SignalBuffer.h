#pragma once

#include <array>
#include <cstddef>

namespace quorvane {

// One buffer of samples: 8192 values at 80 MHz (sample i is the time i * 12.5 ns), in volts
// across 50 ohms, so a buffer's power in watts is its mean square divided by 50.
inline constexpr std::size_t kSampleCount = 8192;
inline constexpr double kSampleInterval = 1.25e-8;  // seconds
inline constexpr double kBinWidth = 9765.625;       // Hz: 80 MHz / 8192
inline constexpr double kReferenceOhms = 50.0;

using SignalBuffer = std::array<double, kSampleCount>;

}  // namespace quorvane
