#include "access/TestPointPlaces.h"

#include "window/Layout.h"

namespace quorvane {

std::string TestPointPlace(int testPoint, Architecture architecture) {
    if (testPoint <= 1) return "antenna";
    if (testPoint >= layout::kTestPointCount) return "receiver output";
    const Arrangement& arrangement = ArrangementFor(architecture);
    // Test point n follows slot n - 2; an empty slot passes on what the stage before it gave.
    int slot = testPoint - 2;
    if (slot >= arrangement.filledSlots) slot = arrangement.filledSlots - 1;
    if (slot < 0) return "antenna";
    return "after " + std::string(arrangement.assignments[slot].caption);
}

}  // namespace quorvane
