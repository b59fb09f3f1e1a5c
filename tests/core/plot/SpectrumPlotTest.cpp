#include "plot/SpectrumPlot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

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

// The rows of a copied table after its two header lines, split at the tabs.
std::vector<std::vector<std::string>> TableRows(const std::string& table) {
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    for (int line = 0; start < table.size(); ++line) {
        const std::size_t end = table.find('\n', start);
        std::vector<std::string> cells;
        for (std::size_t cell = start; cell <= end;) {
            const std::size_t tab = std::min(table.find('\t', cell), end);
            cells.push_back(table.substr(cell, tab - cell));
            cell = tab + 1;
        }
        if (line >= 2) rows.push_back(cells);
        start = end + 1;
    }
    return rows;
}

// The description names the strongest bin's frequency: the first of equal bins, a bin above
// the middle at its mirror below it, and a bin that is not a number only where it stands first.
TEST(SpectrumPlot, StrongestFrequencyNamesTheFirstOfTheStrongestBins) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::vector<std::pair<std::size_t, double>> bins;  // all other bins hold 1
        double mhz;
    };
    const Case cases[] = {
        {"one strongest bin", {{1000, 5}}, 1000 * kBinWidth / 1e6},
        {"equal bins: the first", {{300, 5}, {1000, 5}}, 300 * kBinWidth / 1e6},
        {"above the middle: folded", {{8192 - 300, 5}}, 300 * kBinWidth / 1e6},
        {"all equal: bin 0", {}, 0},
        {"NaN among them: skipped", {{10, kNaN}, {500, 5}}, 500 * kBinWidth / 1e6},
        {"NaN in bin 0: kept", {{0, kNaN}, {500, 5}}, 0},
    };
    for (const Case& c : cases) {
        std::vector<double> powers(8192, 1.0);
        for (const auto& [bin, power] : c.bins)
            powers[bin] = power;
        EXPECT_DOUBLE_EQ(StrongestFrequencyMHz(powers), c.mhz) << c.name;
    }
}

// "Copy Data" gives every bin of the window at its own centre, in dB and dBm, whatever the
// columns drawn average: a -90 dBm tone on bin 1000 (9.765625 MHz) beside a -110 dBm one on bin
// 400 (3.90625 MHz) reads -90 and -110 dBm, at the whole span as in a narrow window. Screen
// readers hear the window and the strongest component.
TEST(SpectrumPlot, CopiedBinsAndDescription) {
    // A cosine of p dBm (A^2 / 100 W) on bin k.
    const auto tone = [](double dbm, int k) {
        return Tone(std::sqrt(std::pow(10, dbm / 10) / 10), k);
    };
    SignalBuffer two = tone(-90, 1000);
    const SignalBuffer weak = tone(-110, 400);
    for (std::size_t n = 0; n < two.size(); ++n)
        two[n] += weak[n];
    struct Line {
        const char* mhz;
        double db;
        double dbm;
    };
    struct Case {
        const char* name;
        SignalBuffer data;
        int span;
        int centre;
        const char* testPoint;
        const char* title;
        std::size_t rows;
        const char* firstMHz;
        std::vector<Line> lines;
        const char* description;
    };
    const Case cases[] = {
        {"whole span",
         two,
         6,
         100,
         "Test point 4: after 1st Mixer",
         "Test point 4: after 1st Mixer; spectrum, span 20 MHz (0 to 20 MHz)",
         2049,
         "0",
         {{"9.765625", 0, -90}, {"3.90625", -20, -110}},
         "Spectrum from 0 to 20 MHz; strongest component at 9.766 MHz, -90.0 dBm"},
        {"narrow, on the tone",
         two,
         0,
         98,
         "Test point 1: antenna",
         "Test point 1: antenna; spectrum, span 0.2 MHz (9.7 to 9.9 MHz)",
         22,
         "9.697265625",
         {{"9.765625", 0, -90}},
         "Spectrum from 9.7 to 9.9 MHz; strongest component at 9.766 MHz, -90.0 dBm"},
        {"silent, no test point",
         Filled(0),
         3,
         50,
         "",
         "No test point is shown in this plot group; spectrum, span 2 MHz (4 to 6 MHz)",
         0,
         "",
         {},
         "Spectrum from 4 to 6 MHz: no signal"},
    };
    for (const Case& c : cases) {
        const SpectrumPlotResult r = ComputeSpectrumPlot(c.data, {c.span, c.centre, kW, kH, 7});
        const std::string table = SpectrumTable(r.bins, c.testPoint);
        EXPECT_TRUE(table.starts_with(std::string(c.title) +
                                      "\nFrequency (MHz)\tLevel (dB relative to the strongest "
                                      "bin)\tLevel (dBm, a sine at the bin's centre)\n"))
            << c.name << "\n"
            << table.substr(0, 200);
        const auto rows = TableRows(table);
        ASSERT_EQ(rows.size(), c.rows) << c.name;
        if (!rows.empty()) {
            EXPECT_EQ(rows.front()[0], c.firstMHz) << c.name;
        }
        for (std::size_t n = 0; n < rows.size(); ++n) {
            ASSERT_EQ(rows[n].size(), 3U) << c.name << " row " << n;
            // One bin apart, all the way.
            EXPECT_NEAR(std::stod(rows[n][0]) - std::stod(rows.front()[0]),
                        static_cast<double>(n) * 0.009765625, 1e-12)
                << c.name << " row " << n;
        }
        for (const Line& line : c.lines) {
            const auto row = std::find_if(rows.begin(), rows.end(), [&line](const auto& cells) {
                return cells[0] == line.mhz;
            });
            ASSERT_NE(row, rows.end()) << c.name << " " << line.mhz;
            EXPECT_NEAR(std::stod((*row)[1]), line.db, 0.01) << c.name << " " << line.mhz;
            EXPECT_NEAR(std::stod((*row)[2]), line.dbm, 0.01) << c.name << " " << line.mhz;
        }
        EXPECT_EQ(r.description, c.description) << c.name;
    }
}

}  // namespace
}  // namespace quorvane
