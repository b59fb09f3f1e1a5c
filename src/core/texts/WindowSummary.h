#pragma once

#include <string>
#include <string_view>

#include "engine/ChainSnapshot.h"

namespace quorvane {

// The desktop window's context-menu entry that copies its picture with the summary below.
inline constexpr std::string_view kCopyWindowText = "Copy Window";

// What the window shows, for the text that "Copy Window" puts beside the window's picture.
struct WindowSummaryInput {
    std::string architectureText;  // the architecture combo's text
    ChainSnapshot chain;           // as the tick reads it, with the selected test points
    std::string powerCaption;      // the output power as shown
};

// A plain-text summary for a lab report, one item a line: the architecture, the sources, each
// switched-in stage with its values (in chain order), the test points shown in the two plot
// groups and the output power.
std::string WindowSummary(const WindowSummaryInput& input);

}  // namespace quorvane
