#pragma once

#include <ostream>

#include "engine/SignalBuffer.h"
#include "plot/Drawing.h"

namespace quorvane {

// Shared by the display tests: lines compared and printed directly, and simple buffers.

// Lets the tests compare and print drawing lines directly.
inline bool operator==(const TwipLine& a, const TwipLine& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

inline void PrintTo(const TwipLine& l, std::ostream* os) {
    *os << "(" << l.x1 << ", " << l.y1 << ") - (" << l.x2 << ", " << l.y2 << ")";
}

// A buffer holding the same value everywhere.
inline SignalBuffer Filled(double v) {
    SignalBuffer b;
    b.fill(v);
    return b;
}

}  // namespace quorvane
