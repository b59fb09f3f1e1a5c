#pragma once

#include <string>

#include "analysis/ChainPrediction.h"
#include "analysis/PowerHistory.h"

namespace quorvane {

// The tooltips that explain what the student sees, every line at most 45 characters.

// For a test-point button: the point's name, its budget (strongest line, noise, signal to
// noise, noise figure so far, total power) and its three strongest lines with their origins.
std::string TestPointReadout(int testPoint, Architecture architecture,
                             const ChainPrediction& prediction);

// For the output power: the power shown, the mean of the refreshes kept, and the predicted
// Pout, with a warning where a stage's polynomial makes the prediction only a guide. Empty
// before the first refresh.
std::string PowerOutReadout(const PowerHistory& history, const ChainPrediction& prediction);

// For the spectrum under the pointer: "Line: " with the origins and predicted power of the
// predicted line nearest to `mhz`, if one lies within `toleranceMHz`; empty otherwise.
std::string LineReadout(const TestPointPrediction& point, double mhz, double toleranceMHz);

}  // namespace quorvane
