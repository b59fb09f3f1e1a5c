#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvane {

// A straight line between two points in twips, origin at the top-left of a picture,
// y growing downwards. Coordinates are single precision, as the pictures take them.
struct TwipLine {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// What a picture shows: lines in one colour (0x00BBGGRR) on the background.
// An empty drawing is a cleared picture.
struct Drawing {
    std::uint32_t colour = 0;
    std::vector<TwipLine> lines;
};

// What a cleared picture tells a screen reader.
inline constexpr std::string_view kEmptyPictureDescription =
    "Empty: no test point is shown in this plot group";

}  // namespace quorvane
