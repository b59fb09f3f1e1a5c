#include "plot/TimePlot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "DisplayTestSupport.h"
#include "plot/PlotNumbers.h"

namespace quorvane {
namespace {

// The time picture's drawable area in twips.
constexpr double kW = 5895;
constexpr double kH = 1695;
constexpr float kCw = 58;  // floor(5895 / 100)

TimePlotResult Plot(const SignalBuffer& data, int zoom = 0, bool frozen = false,
                    FreezeMemory* memory = nullptr) {
    FreezeMemory local;
    return ComputeTimePlot(data, {zoom, frozen, kW, kH, 0x00C00000}, memory ? *memory : local);
}

// Lines of the drawing grouped by the column their left end lies in.
std::map<int, int> LinesPerColumn(const Drawing& d) {
    std::map<int, int> count;
    for (const TwipLine& l : d.lines)
        ++count[static_cast<int>(std::min(l.x1, l.x2) / kCw)];
    return count;
}

TEST(TimePlot, ZoomWindowsAndRightHandLabels) {
    struct Case {
        int value;
        int z;
        int last;
        const char* label;
    };
    const Case cases[] = {
        {0, 1, 1124, " 1.3u"},   {1, 2, 1224, " 2.5u"}, {2, 5, 1524, " 6.2u"},
        {3, 10, 2024, " 12u"},   {4, 20, 3024, " 25u"}, {5, 50, 6024, " 63u"},
        {6, 100, 8191, " 125u"}, {7, 0, 1024, " 0"},    {-1, 0, 1024, " 0"},
    };
    for (const Case& c : cases) {
        const TimeWindow w = ZoomWindow(c.value);
        EXPECT_EQ(w.z, c.z) << c.value;
        EXPECT_EQ(w.first, 1024) << c.value;
        EXPECT_EQ(w.last, c.last) << c.value;
        const TimePlotResult r = Plot(Filled(0), c.value);
        EXPECT_EQ(r.maxTime, c.label) << c.value;
        EXPECT_EQ(r.minTime, "0") << c.value;
    }
}

TEST(TimePlot, FullScaleAndItsLabel) {
    struct Case {
        const char* name;
        double hi;  // written at sample 1050
        double lo;  // written at sample 1060
        double fullScale;
        const char* label;
    };
    const Case cases[] = {
        {"zeros", 0, 0, 1e-18, " 0"},
        {"0.0123", 0.0123, 0, 0.02, " 20m"},
        {"0.001", 0.001, -0.0005, 0.001, " 1m"},
        {"3.3e-6", 3.3e-6, 0, 5e-6, " 5u"},
        {"all negative", -0.001, -0.0123, 0.02, " 20m"},
        {"constant negative", -0.5, -0.5, 0.5, " 500m"},
        {"negative larger", 0.001, -0.0123, 0.02, " 20m"},
        {"huge", 1.2e308, 0, kLargestScale, " 1E+296T"},
        {"overflowing", 1.7e308, 0, kLargestScale, " 1E+296T"},
        {"infinite", std::numeric_limits<double>::infinity(), 0, kLargestScale, " 1E+296T"},
        {"not a number", std::nan(""), 0, kLargestScale, " 1E+296T"},
    };
    for (const Case& c : cases) {
        SignalBuffer b = Filled(c.lo == c.hi ? c.hi : 0);
        b[1050] = c.hi;
        b[1060] = c.lo;
        const TimeWindow w = ZoomWindow(0);
        EXPECT_NEAR(FullScale(WindowPeak(b, w)), c.fullScale, c.fullScale * 1e-12) << c.name;
        EXPECT_EQ(Plot(b).signalMax, c.label) << c.name;
    }
}

TEST(TimePlot, ScaleScanLeavesOutSamplesBeyondTheWindowAndItsLastSample) {
    SignalBuffer b = Filled(0);
    b[1050] = 0.001;
    b[1023] = 5;  // before the window
    b[1124] = 5;  // the window's last sample at zoom 0
    EXPECT_EQ(Plot(b, 0).signalMax, " 1m");
    EXPECT_EQ(Plot(b, 1).signalMax, " 5");  // now inside the window
}

TEST(TimePlot, RowsClampedIntoThePicture) {
    const RowScale rows(kH, 1.0);  // ys = 678, yz = 847.5
    struct Case {
        double v;
        int row;
    };
    const Case cases[] = {
        {0, 847},
        {1, 169},
        {-1, 1525},
        {2, 0},
        {-2, 1695},
        {std::numeric_limits<double>::infinity(), 0},
        {-std::numeric_limits<double>::infinity(), 1695},
        {std::nan(""), 847},  // not a number sits on the zero line
        {1e300, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rows.Row(c.v), c.row) << c.v;
    EXPECT_NEAR(rows.Value(169), 1.0, 1.0 / 678);
    EXPECT_NEAR(rows.Value(847.5), 0.0, 1e-12);
}

TEST(TimePlot, ColumnsShareTheirBoundarySamples) {
    struct Case {
        int zoom;
        int c;
        int s0;
        int s1;
    };
    const Case cases[] = {
        {0, 0, 1024, 1025}, {0, 99, 1123, 1124}, {2, 3, 1039, 1044},
        {6, 0, 1024, 1096}, {6, 1, 1096, 1167},  {6, 99, 8119, 8191},
    };
    for (const Case& c : cases) {
        const ColumnSpan s = ColumnSamples(c.c, ZoomWindow(c.zoom));
        EXPECT_EQ(s.s0, c.s0) << c.zoom << " " << c.c;
        EXPECT_EQ(s.s1, c.s1) << c.zoom << " " << c.c;
    }
}

TEST(TimePlot, ColumnLinesAndTheirThickeningCopy) {
    SignalBuffer b = Filled(0);
    b[1025] = 1;  // full scale 1: rows 847 (zero) and 169 (+1)
    b[1050] = -1;
    const Drawing d = Plot(b).drawing;
    ASSERT_EQ(d.lines.size(), 200u);
    EXPECT_EQ(d.colour, 0x00C00000u);
    // Column 0 joins samples 1024 and 1025, column 1 goes back down to 1026; column 25 runs
    // from 1049 to 1050.
    EXPECT_EQ(d.lines[0], (TwipLine{0, 847, 58, 169}));
    EXPECT_EQ(d.lines[1], (TwipLine{0, 862, 58, 184}));
    EXPECT_EQ(d.lines[2], (TwipLine{58, 169, 116, 847}));
    EXPECT_EQ(d.lines[3], (TwipLine{58, 184, 116, 862}));
    EXPECT_EQ(d.lines[50], (TwipLine{1450, 847, 1508, 1525}));
}

TEST(TimePlot, CrossingLinesWhereAColumnSweepsMoreThanHalfTheHeight) {
    // Zoom 2: five samples per column, column 0 is 1024..1029 and column 1 is 1029..1034.
    // +1 inside column 0, -1 on the shared sample 1029 and +1 at 1031: both columns sweep
    // 1356 twips, which neither would do without the sample they share.
    SignalBuffer b = Filled(0);
    b[1027] = 1;
    b[1029] = -1;
    b[1031] = 1;
    const TimePlotResult r = Plot(b, 2);
    ASSERT_EQ(r.signalMax, " 1");
    const std::map<int, int> lines = LinesPerColumn(r.drawing);
    EXPECT_EQ(lines.at(0), 4);
    EXPECT_EQ(lines.at(1), 4);
    EXPECT_EQ(lines.at(2), 2);
    EXPECT_EQ(r.drawing.lines.size(), 204u);
    // Drawn once, in the column's left half, between the extremes' rows.
    EXPECT_EQ(r.drawing.lines[2], (TwipLine{0, 1525, 29, 169}));
    EXPECT_EQ(r.drawing.lines[3], (TwipLine{29, 1525, 0, 169}));

    // +1 sits on row 169; -0.25 on row 1017 (848 twips further, more than 1695 / 2) and
    // -0.2485 on row 1016 (847 twips, less).
    for (const auto& [low, count] : {std::pair{-0.25, 4}, std::pair{-0.2485, 2}}) {
        SignalBuffer c = Filled(0);
        c[1026] = 1;
        c[1027] = low;
        EXPECT_EQ(LinesPerColumn(Plot(c, 2).drawing).at(0), count) << low;
    }
}

TEST(TimePlot, FreezeKeepsTheRememberedScale) {
    struct Step {
        double peak;
        bool frozen;
        const char* label;
    };
    // Checked before anything is remembered: the computed scale is used and remembered.
    const Step steps[] = {
        {0.0123, true, " 20m"},  {0.001, true, " 20m"}, {3.3e-6, true, " 20m"},
        {0.001, false, " 1m"},   {3.3e-6, true, " 1m"}, {3.3e-6, false, " 5u"},
        {0.0123, false, " 20m"},
    };
    FreezeMemory memory;
    FreezeMemory other;  // another plot group's box is unaffected
    int i = 0;
    for (const Step& s : steps) {
        SignalBuffer b = Filled(0);
        b[1030] = s.peak;
        EXPECT_EQ(Plot(b, 0, s.frozen, &memory).signalMax, s.label) << "step " << i++;
    }
    SignalBuffer small = Filled(0);
    small[1030] = 0.001;
    EXPECT_EQ(Plot(small, 0, true, &other).signalMax, " 1m");
}

TEST(TimePlot, FrozenScaleClampsAGrownSignalToTheTop) {
    FreezeMemory memory;
    SignalBuffer b = Filled(0);
    b[1030] = 0.001;
    Plot(b, 0, false, &memory);
    b.fill(0.5);  // far beyond 1.25 * 1m
    const TimePlotResult r = Plot(b, 0, true, &memory);
    EXPECT_EQ(r.signalMax, " 1m");
    for (const TwipLine& l : r.drawing.lines) {
        EXPECT_TRUE(l.y1 == 0 || l.y1 == 15) << l.y1;
        EXPECT_TRUE(l.y2 == 0 || l.y2 == 15) << l.y2;
    }
}

TEST(TimePlot, NonFiniteSamplesStayInsideThePicture) {
    const double inf = std::numeric_limits<double>::infinity();
    SignalBuffer b = Filled(std::nan(""));
    b[1030] = inf;
    b[1031] = -inf;
    b[1032] = 1e300;
    for (int zoom = 0; zoom <= 6; ++zoom) {
        const TimePlotResult r = Plot(b, zoom);
        EXPECT_EQ(r.signalMax, " 1E+296T");
        for (const TwipLine& l : r.drawing.lines) {
            for (const float y : {l.y1, l.y2}) {
                ASSERT_TRUE(y >= 0 && y <= kH + 15) << y;
            }
        }
    }
    // Columns of nothing but NaN lie flat on the zero line, without crossing lines, also under
    // a small frozen scale.
    FreezeMemory memory;
    SignalBuffer small = Filled(0);
    small[1030] = 0.001;
    Plot(small, 0, false, &memory);
    const Drawing all = Plot(Filled(std::nan("")), 0, true, &memory).drawing;
    ASSERT_EQ(all.lines.size(), 200u);
    for (const TwipLine& l : all.lines) {
        EXPECT_TRUE(l.y1 == 847 || l.y1 == 862) << l.y1;
        EXPECT_EQ(l.y1, l.y2);
    }
}

TEST(TimePlot, PointerReadout) {
    SignalBuffer b = Filled(0);
    b[1030] = 0.9;  // full scale 1
    const TimeHoverModel zoom0 = Plot(b, 0).hover;
    const TimeHoverModel zoom6 = Plot(b, 6).hover;
    struct Case {
        const TimeHoverModel* model;
        double x;
        double y;
        const char* text;
    };
    const Case cases[] = {
        {&zoom0, 10 * kCw, 169.5, "t = 125 ns\nv = 1.00 V"},
        {&zoom0, 10.5 * kCw, 847.5, "t = 131 ns\nv = 0 V"},
        {&zoom0, 0, 1525.5, "t = 0 s\nv = -1.00 V"},
        {&zoom0, kW, 1695, "t = 1.25 us\nv = -1.25 V"},
        {&zoom6, 50 * kCw, 508.5, "t = 44.8 us\nv = 500 mV"},
        // Positions that are no number: the left edge, the right edge, and no voltage.
        {&zoom0, std::nan(""), 847.5, "t = 0 s\nv = 0 V"},
        {&zoom0, HUGE_VAL, 847.5, "t = 1.25 us\nv = 0 V"},
        {&zoom0, -HUGE_VAL, std::nan(""), "t = 0 s\nv = nan V"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TimeHoverText(*c.model, c.x, c.y), c.text) << c.x;
    EXPECT_EQ(TimeHoverText(TimeHoverModel{}, 100, 100), "");
}

// A scale frozen on a small signal clips a larger one at the picture's edges; the read-out says
// so in the columns where it happens, and only there.
TEST(TimePlot, ReadOutSaysClippedWhereTheTraceLeavesThePicture) {
    SignalBuffer spike = Filled(0);
    spike[1030] = 0.01;  // in columns 5 and 6
    struct Case {
        const char* name;
        double frozenOn;  // the level the scale was remembered for
        SignalBuffer data;
        bool frozen;
        int column;
        bool clipped;
    };
    const Case cases[] = {
        {"frozen on a smaller signal", 0.001, Filled(0.01), true, 50, true},
        {"below the bottom edge", 0.001, Filled(-0.01), true, 50, true},
        {"frozen on the same signal", 0.01, Filled(0.01), true, 50, false},
        {"frozen on a larger signal", 0.1, Filled(0.01), true, 50, false},
        {"scaling automatically", 0.001, Filled(0.01), false, 50, false},
        {"the spike's column", 0.001, spike, true, 6, true},
        {"another column", 0.001, spike, true, 50, false},
        {"overflowing", 0.001, Filled(HUGE_VAL), false, 50, true},
    };
    for (const Case& c : cases) {
        FreezeMemory memory;
        Plot(Filled(c.frozenOn), 0, false, &memory);
        const TimeHoverModel hover = Plot(c.data, 0, c.frozen, &memory).hover;
        const std::string text = TimeHoverText(hover, (c.column + 0.5) * kCw, 847.5);
        EXPECT_EQ(text.ends_with(" (clipped)"), c.clipped) << c.name << ": " << text;
    }
}

// "Copy Data" gives the window's samples, and screen readers hear the scale and the window.
TEST(TimePlot, CopiedSamplesAndDescription) {
    SignalBuffer b = Filled(0);
    b[1024] = 0.5;
    b[1025] = -1.25e-5;
    b[1123] = 3;
    b[1124] = 99;  // the window's last sample: drawn, but not one of its 100 samples
    struct Case {
        int zoom;
        bool frozen;
        std::size_t rows;
        const char* start;
        const char* end;
        const char* description;
    };
    const Case cases[] = {
        {0, false, 100,
         "Test point 2: after Image Filter; time trace, full scale 5 V\nTime (\u00B5s)\tVoltage "
         "(V)\n0.0000\t0.5\n0.0125\t-1.25e-05\n0.0250\t0\n",
         "1.2375\t3\n", "Time trace: full scale 5 V, time window 1.3 \u00B5s"},
        {6, true, 7167,
         "Test point 2: after Image Filter; time trace, full scale 5 V\nTime (\u00B5s)\tVoltage "
         "(V)\n0.0000\t0.5\n",
         "\n1.2500\t99\n", "Time trace: full scale 5 V, time window 125 \u00B5s, scale frozen"},
    };
    FreezeMemory memory;
    for (const Case& c : cases) {
        const TimePlotResult r = Plot(b, c.zoom, c.frozen, &memory);
        EXPECT_EQ(r.samples.size(), c.rows) << c.zoom;
        const std::string table =
            TimeTraceTable(r.samples, "Test point 2: after Image Filter", r.hover.fullScale);
        EXPECT_TRUE(table.starts_with(c.start)) << table.substr(0, 80);
        EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), static_cast<long>(c.rows + 2));
        EXPECT_NE(table.find(c.end), std::string::npos) << c.zoom;
        EXPECT_EQ(r.description, c.description);
    }
    EXPECT_EQ(
        TimeTraceTable({}, "", 0),
        "No test point is shown in this plot group; time trace\nTime (\u00B5s)\tVoltage (V)\n");
}

}  // namespace
}  // namespace quorvane
