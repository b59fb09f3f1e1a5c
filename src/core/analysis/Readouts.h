#pragma once

#include <string>

#include "analysis/ChainPrediction.h"
#include "analysis/NoiseFigure.h"
#include "analysis/PowerHistory.h"

namespace quorvane {

// The tooltips that explain what the student sees, every line at most 45 characters.

// For a test-point button: the point's name, its budget (strongest line, noise in 0 .. 40 MHz,
// total power), the wanted line with its SNR in a stated bandwidth, its noise figure and the
// cascade stage by stage, and the point's three strongest lines with their origins.
std::string TestPointReadout(int testPoint, Architecture architecture,
                             const ChainPrediction& prediction, const NoiseCascade& cascade);

// For the output power: the power shown, the mean of the refreshes kept, and the predicted
// Pout, with a warning where a stage's polynomial makes the prediction only a guide. Empty
// before the first refresh.
std::string PowerOutReadout(const PowerHistory& history, const ChainPrediction& prediction);

// For the spectrum under the pointer: "Line: " with the frequency, the origins and the predicted
// power of the strongest predicted line within `toleranceMHz` of `mhz`; empty if none is.
std::string LineReadout(const TestPointPrediction& point, double mhz, double toleranceMHz);

}  // namespace quorvane
