#include "display/SpectrumPlot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "DisplayTestSupport.h"

namespace quorvane {
namespace {

// The spectrum picture's drawable area in twips.
constexpr double kW = 5895;
constexpr double kH = 1575;
constexpr float kCw = 58;  // floor(5895 / 100)

// A cosine of amplitude a standing exactly on bin k.
SignalBuffer Tone(double a, int k) {
    SignalBuffer b;
    for (std::size_t n = 0; n < b.size(); ++n) {
        b[n] = a * std::cos(2 * M_PI * static_cast<double>(k * n % 8192) / 8192);
    }
    return b;
}

// The rows of the trace's columns (the right ends of the upper lines).
std::vector<float> ColumnRows(const Drawing& d) {
    std::vector<float> rows;
    for (std::size_t i = 0; i < d.lines.size(); i += 2)
        rows.push_back(d.lines[i].y2);
    return rows;
}

TEST(SpectrumPlot, FrequencyWindowsLabelsAndCorrections) {
    struct Case {
        int span;
        int centre;
        int bf;
        int bl;
        const char* minLabel;
        const char* maxLabel;
        int corrected;  // -1: the centre stays
    };
    const Case cases[] = {
        {6, 100, 0, 2048, " 0", " 20", -1},
        {0, 100, 1014, 1034, " 9.9", " 10.1", -1},
        {1, 100, 998, 1050, " 9.7", " 10.2", -1},
        {6, 200, 0, 2048, " 0", " 20", 100},
        {1, 1, 0, 51, " 0", " .5", 2},
        {1, 200, 1997, 2048, " 19.5", " 20", 198},
        {5, 30, 0, 1024, " 0", " 10", 50},
        {3, 195, 1843, 2048, " 18", " 20", 190},
        {2, 0, 0, 102, " 0", " 1", 5},
        {0, 41, 410, 430, " 4", " 4.2", -1},
        {0, 3, 20, 41, " .2", " .4", -1},
        {0, 200, 2028, 2048, " 19.8", " 20", 199},
        {9, 100, 0, 2048, " 0", " 20", -1},
    };
    for (const Case& c : cases) {
        const FrequencyWindow w = ComputeFrequencyWindow(c.span, c.centre);
        EXPECT_EQ(w.bf, c.bf) << c.span << "/" << c.centre;
        EXPECT_EQ(w.bl, c.bl) << c.span << "/" << c.centre;
        EXPECT_EQ(MinFreqLabel(w), c.minLabel) << c.span << "/" << c.centre;
        EXPECT_EQ(MaxFreqLabel(w), c.maxLabel) << c.span << "/" << c.centre;
        EXPECT_EQ(w.correctedCentre.value_or(-1), c.corrected) << c.span << "/" << c.centre;
    }
}

TEST(SpectrumPlot, TaperSeenThroughImpulses) {
    // An impulse of height 1 at sample n gives every bin the power w(n)^2.
    struct Case {
        int n;
        double power;
    };
    const double w1024 = 0.5 * (1 - std::cos(0.5 * 3.1415926));
    const double w2047 = 0.5 * (1 - std::cos(2047.0 / 2048 * 3.1415926));
    const Case cases[] = {
        {0, 0},
        {8191, 0},
        {1024, w1024 * w1024},
        {7167, w1024 * w1024},
        {2047, w2047 * w2047},
        {6144, w2047 * w2047},
        {2048, 1},
        {4096, 1},
        {6143, 1},
    };
    for (const Case& c : cases) {
        SignalBuffer b = Filled(0);
        b[static_cast<std::size_t>(c.n)] = 1;
        const std::vector<double> p = BinPowers(b);
        ASSERT_EQ(p.size(), 8192u);
        for (const int k : {0, 1, 100, 4096, 8191})
            EXPECT_NEAR(p[k], c.power, 1e-12) << c.n;
    }
}

TEST(SpectrumPlot, AbsoluteLevelOfASineInDbm) {
    // A sine of amplitude A carries A^2 / 100 W into 50 ohms.
    struct Case {
        double amplitude;
        int bin;
    };
    const Case cases[] = {{1, 1000}, {0.01, 100}, {3.1623e-4, 2000}, {1e-3, 37}};
    for (const Case& c : cases) {
        const double dbm = 10 * std::log10(c.amplitude * c.amplitude / 100 * 1000);
        const double strongest = StrongestLevelDb(BinPowers(Tone(c.amplitude, c.bin)));
        EXPECT_NEAR(SineDbmForBinLevel(strongest), dbm, 0.01) << c.amplitude;
    }
}

TEST(SpectrumPlot, ColumnAtTheStrongestLevelSitsAtOneFifthOfTheHeight) {
    const std::vector<double> flat(8192, 1.0);
    const Drawing d = SpectrumTrace(flat, ComputeFrequencyWindow(6, 100), StrongestLevelDb(flat),
                                    kW, kH, 0x00800080);
    ASSERT_EQ(d.lines.size(), 200u);
    EXPECT_EQ(d.colour, 0x00800080u);
    for (std::size_t i = 0; i < d.lines.size(); i += 2) {
        EXPECT_EQ(d.lines[i].y1, 315);
        EXPECT_EQ(d.lines[i].y2, 315);
        EXPECT_EQ(d.lines[i + 1].y1, 330);
        EXPECT_EQ(d.lines[i + 1].x1, d.lines[i].x1);
        EXPECT_EQ(d.lines[i].x2 - d.lines[i].x1, kCw);
    }
    EXPECT_EQ(d.lines.back().x2, 100 * kCw);
}

TEST(SpectrumPlot, AveragedColumnsShareTheirBoundaryBin) {
    // Only bin 20 has power; it is the last bin of column 0 (0..20) and the first of column 1
    // (20..41). Averaged over 21 and 22 bins it lies 13.2 and 13.4 dB below the strongest bin.
    std::vector<double> p(8192, 0.0);
    p[20] = 1;
    const Drawing d = SpectrumTrace(p, ComputeFrequencyWindow(6, 100), 0, kW, kH, 0);
    const std::vector<float> rows = ColumnRows(d);
    EXPECT_EQ(rows[0], 731);
    EXPECT_EQ(rows[1], 738);
    EXPECT_EQ(rows[2], kH);         // only the averaging floor: far below the bottom
    EXPECT_EQ(d.lines[0].y1, 731);  // the first segment is flat
    EXPECT_EQ(d.lines[2].y1, 731);  // each segment starts at the previous column's row
    EXPECT_EQ(d.lines[4].y1, 738);
}

TEST(SpectrumPlot, SingleBinColumnsMakeAStaircase) {
    // Half-span 0.1 MHz: 0.2 bins per column, each column shows its right-hand bin.
    std::vector<double> p(8192, 1.0);
    p[1014] = 0;     // columns 0 and 1: no power at all sits on the bottom edge
    p[1015] = 0.01;  // columns 2..6: 20 dB down
    const Drawing d = SpectrumTrace(p, ComputeFrequencyWindow(0, 100), 0, kW, kH, 0);
    const std::vector<float> rows = ColumnRows(d);
    const float expected[] = {1575, 1575, 945, 945, 945, 945, 945, 315, 315};
    for (std::size_t n = 0; n < std::size(expected); ++n)
        EXPECT_EQ(rows[n], expected[n]) << n;
}

TEST(SpectrumPlot, SilenceDrawsNothingButTheLabels) {
    struct Case {
        double amplitude;
        bool silent;
    };
    for (const Case c : {Case{0, true}, Case{1e-9, true}, Case{1e-7, false}}) {
        const SpectrumPlotResult r =
            ComputeSpectrumPlot(Tone(c.amplitude, 500), {6, 100, kW, kH, 7});
        EXPECT_EQ(r.drawing.lines.empty(), c.silent) << c.amplitude;
        EXPECT_EQ(r.hover.silent, c.silent) << c.amplitude;
        EXPECT_EQ(r.minFreq, " 0");
        EXPECT_EQ(r.maxFreq, " 20");
    }
}

TEST(SpectrumPlot, NonFiniteInputKeepsADefinedPicture) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(PowerDb(0), -inf);
    EXPECT_TRUE(std::isfinite(PowerDb(inf)));
    EXPECT_TRUE(std::isnan(PowerDb(std::nan(""))));

    SignalBuffer withInf = Tone(1, 300);
    withInf[4000] = inf;
    SignalBuffer withNan = Tone(1, 300);
    withNan[4000] = std::nan("");
    struct Case {
        const char* name;
        SignalBuffer data;
    };
    const Case cases[] = {
        {"overflowing", Tone(1e200, 300)}, {"infinite", withInf}, {"not a number", withNan}};
    for (const Case& c : cases) {
        const SpectrumPlotResult r = ComputeSpectrumPlot(c.data, {6, 100, kW, kH, 7});
        EXPECT_TRUE(r.drawing.lines.empty() || r.drawing.lines.size() == 200u) << c.name;
        for (const TwipLine& l : r.drawing.lines) {
            for (const float y : {l.y1, l.y2})
                ASSERT_TRUE(y >= 0 && y <= kH + 15) << c.name;
        }
    }
    // A strong but finite spectrum whose bins overflow still has a scale and a trace.
    const std::vector<double> p = BinPowers(Tone(1e200, 300));
    EXPECT_TRUE(std::isfinite(StrongestLevelDb(p)));
    EXPECT_EQ(ComputeSpectrumPlot(Tone(1e200, 300), {6, 100, kW, kH, 7}).drawing.lines.size(),
              200u);
}

TEST(SpectrumPlot, PointerReadout) {
    const SpectrumPlotResult tone = ComputeSpectrumPlot(Tone(0.01, 1000), {6, 100, kW, kH, 7});
    const SpectrumPlotResult narrow = ComputeSpectrumPlot(Tone(0.01, 1000), {0, 100, kW, kH, 7});
    const SpectrumPlotResult silent = ComputeSpectrumPlot(Filled(0), {6, 100, kW, kH, 7});
    struct Case {
        const SpectrumHoverModel* model;
        double x;
        double y;
        const char* text;
    };
    const Case cases[] = {
        {&tone.hover, 0, 0.2 * kH,
         "f = 0.000 MHz\n0.0 dB relative to the strongest bin\na sine peaking here: -30.0 dBm"},
        {&tone.hover, 50 * kCw, kH,
         "f = 10.000 MHz\n-40.0 dB relative to the strongest bin\na sine peaking here: -70.0 dBm"},
        {&tone.hover, kW, 0,
         "f = 20.000 MHz\n10.0 dB relative to the strongest bin\na sine peaking here: -20.0 dBm"},
        {&narrow.hover, 25 * kCw, 0.6 * kH,
         "f = 9.950 MHz\n-20.0 dB relative to the strongest bin\na sine peaking here: -50.0 dBm"},
        {&silent.hover, 50 * kCw, 0, "f = 10.000 MHz\nno signal"},
        {&silent.hover, std::nan(""), 0, "f = 0.000 MHz\nno signal"},
        {&silent.hover, HUGE_VAL, 0, "f = 20.000 MHz\nno signal"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpectrumHoverText(*c.model, c.x, c.y), c.text);
    EXPECT_EQ(SpectrumHoverText(SpectrumHoverModel{}, 10, 10), "");
}

// "Copy Data" gives one row per drawn column, and screen readers hear the window and the
// strongest component. A -30 dBm tone at bin 1000 (9.766 MHz) lies inside the narrow window
// from 9.7 MHz, whose columns show single bins, so some rows read it at 0 dB.
TEST(SpectrumPlot, CopiedColumnsAndDescription) {
    struct Case {
        const char* name;
        SignalBuffer data;
        int span;
        int centre;
        std::size_t rows;
        const char* row;  // a line the table holds
        const char* description;
    };
    const Case cases[] = {
        {"whole span", Tone(0.01, 1000), 6, 100, 100, "\n0.2000\t",
         "Spectrum from 0 to 20 MHz; strongest component at 9.766 MHz, -30.0 dBm"},
        {"narrow, on the tone", Tone(0.01, 1000), 0, 98, 100, "\n9.7660\t0.00\t-30.00\n",
         "Spectrum from 9.7 to 9.9 MHz; strongest component at 9.766 MHz, -30.0 dBm"},
        {"silent", Filled(0), 6, 100, 0, "", "Spectrum from 0 to 20 MHz: no signal"},
    };
    for (const Case& c : cases) {
        const SpectrumPlotResult r = ComputeSpectrumPlot(c.data, {c.span, c.centre, kW, kH, 7});
        const std::string table = SpectrumTable(r.columns);
        EXPECT_TRUE(
            table.starts_with("Frequency (MHz)\tLevel (dB relative to the strongest "
                              "bin)\tSine peaking here (dBm)\n"))
            << c.name;
        EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), static_cast<long>(c.rows + 1))
            << c.name;
        EXPECT_NE(table.find(c.row), std::string::npos) << c.name << "\n" << table;
        EXPECT_EQ(r.description, c.description) << c.name;
    }
}

}  // namespace
}  // namespace quorvane
