#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvane {

// Everything is laid out in twips (1/1440 inch) and drawn at this many twips per logical pixel.
// The plots thicken each trace with a copy one pixel, that many twips, lower.
inline constexpr int kTwipsPerPixel = 15;

// Both plots divide their window into this many columns, whatever its length.
inline constexpr int kPlotColumns = 100;

// Colours are 0x00BBGGRR. A value with the top bit set names a system colour, of which the program
// uses only the button face: the background of the window, its panels and pictures, and the colour
// of a button that is off or not selected.
inline constexpr std::uint32_t kButtonFace = 0x8000000F;

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

// The pictures' context-menu entries: the plot group as a figure, and the numbers the picture
// shows as text.
inline constexpr std::string_view kCopyPictureText = "Copy Picture";
inline constexpr std::string_view kCopyDataText = "Copy Data";

// What a plot group's copied picture and data are titled when it shows no test point.
inline constexpr std::string_view kNoTestPointTitle = "No test point is shown in this plot group";

// What a cleared picture tells a screen reader.
inline constexpr std::string_view kEmptyPictureDescription =
    "Empty: no test point is shown in this plot group";

}  // namespace quorvane
