#include "chain/TestPointNames.h"

#include <algorithm>

#include "chain/Layout.h"

namespace quorvane {

std::string TestPointPlace(int testPoint, Architecture architecture) {
    if (testPoint <= 1) return "antenna";
    if (testPoint >= layout::kTestPointCount) return "receiver output";
    const Arrangement& arrangement = ArrangementFor(architecture);
    // Test point n follows slot n - 2; an empty slot passes on what the stage before it gave.
    const int slot = std::min(testPoint - 2, arrangement.filledSlots - 1);
    if (slot < 0) return "antenna";
    return "after " + std::string(arrangement.assignments[static_cast<std::size_t>(slot)].caption);
}

std::string TestPointTitle(int testPoint, Architecture architecture) {
    return "Test point " + std::to_string(testPoint) + ": " +
           TestPointPlace(testPoint, architecture);
}

}  // namespace quorvane
