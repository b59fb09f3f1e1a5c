#include "analysis/TestPointNames.h"

#include <algorithm>

namespace quorvane {

std::string TestPointPlace(int testPoint, Architecture architecture) {
    if (testPoint <= 1) return "antenna";
    if (testPoint >= 8) return "receiver output";
    const Arrangement& arrangement = ArrangementFor(architecture);
    const int slot = std::min(testPoint - 2, arrangement.filledSlots - 1);
    return "after " + std::string(arrangement.assignments[static_cast<std::size_t>(slot)].caption);
}

std::string TestPointTitle(int testPoint, Architecture architecture) {
    return "Test point " + std::to_string(testPoint) + ": " +
           TestPointPlace(testPoint, architecture);
}

}  // namespace quorvane
