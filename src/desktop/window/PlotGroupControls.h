#pragma once

#include <memory>

#include "display/PlotGroup.h"

class QLabel;

namespace quorvane {

class LineControl;
class ShapeControl;

// One plot group as the window holds it: the controls the plots draw into, the frame around
// them, the fixed zero label and the leader line from the group's test-point button.
struct PlotGroupControls {
    PlotGroupWidgets widgets;
    QLabel* lblSignalZero = nullptr;
    ShapeControl* shpGraphs = nullptr;
    LineControl* lneToG = nullptr;
    std::unique_ptr<PlotGroup> plots;
};

}  // namespace quorvane
