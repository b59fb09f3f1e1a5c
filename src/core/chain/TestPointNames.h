#pragma once

#include <string>

#include "chain/Architecture.h"

namespace quorvane {

// Where test point n (1..8) probes the chain of this architecture, in words: "antenna" for 1,
// "receiver output" for 8, otherwise "after " and the caption of the slot before it
// ("after 1st Mixer"). A slot the architecture leaves empty passes the signal on, so its test
// point is named after the last stage before it.
std::string TestPointPlace(int testPoint, Architecture architecture);

// "Test point 4: after 1st Mixer".
std::string TestPointTitle(int testPoint, Architecture architecture);

}  // namespace quorvane
