#pragma once

#include <string>

#include "window/Architecture.h"

namespace quorvane {

// Where test point n (1..8) probes the chain of an architecture, in a student's words:
// "antenna" for 1, "receiver output" for 8, and "after LNA" for a test point behind a stage.
// Behind an empty slot the signal is the one after the last stage before it, and it is named so.
std::string TestPointPlace(int testPoint, Architecture architecture);

}  // namespace quorvane
