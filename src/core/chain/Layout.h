#pragma once

#include <array>

#include "plot/SpectrumPlot.h"
#include "plot/TimePlot.h"

namespace quorvane::layout {

// Places and sizes of the main window's fixed controls, in twips from the top-left of the
// client area. Kept free of any toolkit so the selection rules can compute leader lines too.

struct Place {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Segment {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int width = 1;
};

inline constexpr int kClientWidth = 15420;
inline constexpr int kClientHeight = 10335;

// Sources: never moved.
inline constexpr std::array<Place, 3> kOscillators = {
    {{0, 0, 1815, 1455}, {0, 1440, 1815, 1455}, {0, 2880, 1815, 1455}}};
inline constexpr Place kNoise = {0, 4320, 1815, 1215};

// Stage panels: Left comes from the arrangement, Top and size stay.
inline constexpr Place kFilter = {0, 1800, 1815, 3375};
inline constexpr Place kAmplifier = {0, 1800, 1815, 2415};
inline constexpr Place kMixer = {0, 720, 1815, 3855};

// Block-diagram lines, indexed by their control index (0, 1, 2, 3, 8).
struct IndexedSegment {
    int index;
    Segment segment;
};
inline constexpr std::array<IndexedSegment, 5> kDiagramLines = {{
    {0, {1800, 4080, 2040, 2280, 3}},
    {1, {2040, 2280, 1800, 1080, 3}},
    {2, {1800, 2640, 2040, 2280, 3}},
    {3, {15240, 2280, 2040, 2280, 4}},
    {8, {1800, 5040, 2040, 2280, 3}},
}};

// Bypass check boxes, one per chain slot.
inline constexpr int kCheckTop = 240;
inline constexpr int kCheckHeight = 495;
inline constexpr std::array<int, 7> kCheckLeft = {2760, 4200, 6120, 7920, 9840, 11880, 13800};
inline constexpr std::array<int, 7> kCheckWidth = {1215, 1215, 1215, 1215, 1455, 1215, 1335};

// Test-point buttons 1..8 (element n - 1 is button n).
inline constexpr int kTestPointCount = 8;
inline constexpr int kButtonTop = 2160;
inline constexpr int kButtonSize = 255;
inline constexpr std::array<int, kTestPointCount> kButtonLeft = {1920, 3720,  5640,  7440,
                                                                 9480, 11400, 13320, 15120};

// Configuration row.
inline constexpr Place kMode = {2040, 5280, 3975, 0};  // height: the combo's own
inline constexpr Place kPowerOut = {12600, 5400, 2655, 255};

// One plot group's controls; element g is plot group g.
struct PlotGroupPlaces {
    Place shpGraphs, picSignal, picSpectrum, chkFreeze;
    Place hscSignal, hscSpectrum, hscCentre;
    Place lblSignalMax, lblSignalZero, lblMinTime, lblMaxTime, lblMinFreq, lblMaxFreq;
    Segment lneToG;
};

inline constexpr std::array<PlotGroupPlaces, 2> kPlotGroups = {{
    {{120, 5760, 6975, 4215},
     {1080, 6000, 5895, 1695},
     {1080, 8040, 5895, 1575},
     {6720, 6000, 255, 255},
     {5640, 7440, 1335, 255},
     {5640, 9360, 1335, 255},
     {3120, 9600, 1335, 255},
     {240, 5880, 735, 375},
     {720, 6720, 255, 375},
     {840, 7680, 1095, 255},
     {5880, 7680, 1095, 255},
     {840, 9600, 1095, 255},
     {5880, 9600, 1095, 255},
     {3960, 5760, 3975, 5775, 1}},
    {{7200, 5760, 6975, 4215},
     {8160, 6000, 5895, 1695},
     {8160, 8040, 5895, 1575},
     {13800, 6000, 255, 255},
     {12840, 7440, 1335, 255},
     {12720, 9360, 1335, 255},
     {10320, 9600, 1335, 255},
     {7320, 5880, 735, 735},
     {7800, 6720, 255, 375},
     {7920, 7680, 1095, 255},
     {12960, 7680, 1095, 255},
     {7920, 9600, 1095, 255},
     {12960, 9600, 1095, 255},
     {10800, 5760, 10815, 5775, 1}},
}};

// Scroll-bar settings shared by both groups.
struct ScrollSetting {
    int minimum, maximum, pageStep, value;
};
inline constexpr ScrollSetting kSignalScroll = {0, kLargestZoomValue, 2, 0};
inline constexpr ScrollSetting kSpectrumScroll = {0, kLargestSpanValue, 3, kLargestSpanValue};
inline constexpr ScrollSetting kCentreScroll = {1, 200, 10, 100};

inline constexpr int kTimerPeriodMs = 250;

// A position in twips as the screen shows it, in whole pixels (rounded to the nearest; no
// position here is negative).
constexpr int PixelsOf(int twips) {
    return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);
}

// A control's length as the screen shows it, back in twips: both its ends are rounded to
// whole pixels separately, so neighbours that touch in twips touch on the screen. A picture's
// drawable width and height, which its plots divide, are these.
constexpr int ShownLength(int start, int length) {
    return (PixelsOf(start + length) - PixelsOf(start)) * kTwipsPerPixel;
}

}  // namespace quorvane::layout
