#include "plot/PlotGroupFigure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "DisplayTestSupport.h"

namespace quorvane {
namespace {

constexpr int kTimeW = 5895, kTimeH = 1695, kSpectrumW = 5895, kSpectrumH = 1575;

SignalBuffer ToneOnBin(double amplitude, int k) {
    SignalBuffer b;
    for (std::size_t n = 0; n < b.size(); ++n)
        b[n] = amplitude * std::cos(2 * M_PI * static_cast<double>(k * n % 8192) / 8192);
    return b;
}

bool Inside(const FigureText& t, const FigureBox& b) {
    return t.left < b.left + b.width && b.left < t.left + t.width && t.top < b.top + b.height &&
           b.top < t.top + t.height;
}

// The values along a picture's left side (right-aligned, centred on its rows) and under it
// (centred, narrower than the picture), in the order they were placed.
struct Values {
    std::vector<const FigureText*> left, below;
};
Values ValuesOf(const PlotGroupFigure& f, const FigureBox& b) {
    Values v;
    for (const FigureText& t : f.texts) {
        const int middle = t.top + t.height / 2;
        if (t.align == FigureAlign::Right && middle >= b.top && middle <= b.top + b.height)
            v.left.push_back(&t);
        if (t.align == FigureAlign::Centre && t.width < b.width && t.top >= b.top + b.height &&
            t.top < b.top + b.height + 2 * t.height)
            v.below.push_back(&t);
    }
    return v;
}

std::vector<std::string> Texts(const std::vector<const FigureText*>& texts) {
    std::vector<std::string> out;
    for (const FigureText* t : texts)
        out.push_back(t->text);
    return out;
}

float Extreme(const Drawing& d, bool rightmost) {
    float value = rightmost ? 0 : 1e9f;
    for (const TwipLine& l : d.lines)
        value = rightmost ? std::max({value, l.x1, l.x2}) : std::min({value, l.y1, l.y2});
    return value;
}

// The figure titles the group, names its scales with their units and puts every value where
// the trace draws it: a constant of exactly the full scale lies on the full-scale value, a tone
// seen bin by bin peaks on "0 dB", the window's ends lie on the trace's ends. No text covers a
// picture, and everything lies inside the figure.
TEST(PlotGroupFigure, TitlesScalesAndUnitsWhereTheTracesDrawThem) {
    struct Case {
        const char* name;
        double constant;  // the time picture's signal; 0: nothing shown there
        int zoom;
        SignalBuffer spectrum;
        int span, centre;
        const char* testPoint;
        std::vector<std::string> titles;  // title, time heading, spectrum heading
        std::vector<std::string> timeLeft, timeBelow, spectrumLeft, spectrumBelow;
        bool peakOnZeroDb;
    };
    const Case cases[] = {
        {"whole span",
         0.02,
         0,
         ToneOnBin(0.01, 1000),
         6,
         100,
         "Test point 4: after 1st Mixer",
         {"Test point 4: after 1st Mixer", "Time trace, full scale 20 mV",
          "Spectrum, span 20 MHz (0 to 20 MHz); 0 dB = -30.0 dBm sine"},
         {"20 mV", "0 V", "-20 mV"},
         {"0", "0.2", "0.4", "0.6", "0.8", "1", "1.2"},
         {"0 dB", "-20 dB", "-40 dB"},
         {"0", "5", "10", "15", "20"},
         false},
        {"longest window, narrow span",
         5e-6,
         6,
         ToneOnBin(0.01, 1000),
         0,
         98,
         "Test point 1: antenna",
         {"Test point 1: antenna", "Time trace, full scale 5 \u00B5V",
          "Spectrum, span 0.2 MHz (9.7 to 9.9 MHz); 0 dB = -30.0 dBm sine"},
         {"5 \u00B5V", "0 V", "-5 \u00B5V"},
         {"0", "20", "40", "60", "80"},
         {"0 dB", "-20 dB", "-40 dB"},
         {"9.7", "9.75", "9.8", "9.85", "9.9"},
         true},
        {"silent, no time trace",
         0,
         0,
         Filled(0),
         3,
         50,
         "",
         {"No test point is shown in this plot group", "Time trace: nothing shown",
          "Spectrum, span 2 MHz (4 to 6 MHz): no signal"},
         {},
         {},
         {},
         {"4", "4.5", "5", "5.5", "6"},
         false},
    };
    for (const Case& c : cases) {
        PlotGroupFigureInput input{c.testPoint, kTimeW, kTimeH, kSpectrumW, kSpectrumH, {}, {}};
        Drawing time;
        if (c.constant != 0) {
            FreezeMemory freeze;
            TimePlotResult t =
                ComputeTimePlot(Filled(c.constant), {c.zoom, false, kTimeW, kTimeH, 7}, freeze);
            input.time = t.hover;
            time = std::move(t.drawing);
        }
        const SpectrumPlotResult s =
            ComputeSpectrumPlot(c.spectrum, {c.span, c.centre, kSpectrumW, kSpectrumH, 7});
        input.spectrum = s.hover;
        const PlotGroupFigure f = ComposePlotGroupFigure(input);

        ASSERT_GE(f.texts.size(), 3U) << c.name;
        EXPECT_EQ(f.texts[0].text, c.titles[0]) << c.name;
        EXPECT_TRUE(f.texts[0].bold) << c.name;
        for (const std::string& title : c.titles) {
            EXPECT_TRUE(std::any_of(f.texts.begin(), f.texts.end(),
                                    [&title](const FigureText& t) { return t.text == title; }))
                << c.name << ": " << title;
        }
        const FigureBox& tb = f.timePicture;
        const FigureBox& sb = f.spectrumPicture;
        EXPECT_EQ(std::vector<int>({tb.width, tb.height, sb.width, sb.height}),
                  std::vector<int>({kTimeW, kTimeH, kSpectrumW, kSpectrumH}))
            << c.name;

        const Values tv = ValuesOf(f, tb);
        const Values sv = ValuesOf(f, sb);
        EXPECT_EQ(Texts(tv.left), c.timeLeft) << c.name;
        EXPECT_EQ(Texts(tv.below), c.timeBelow) << c.name;
        EXPECT_EQ(Texts(sv.left), c.spectrumLeft) << c.name;
        EXPECT_EQ(Texts(sv.below), c.spectrumBelow) << c.name;
        if (!tv.left.empty()) {
            EXPECT_EQ(tv.left[0]->top + tv.left[0]->height / 2, tb.top + time.lines[0].y1)
                << c.name;
            EXPECT_EQ(tv.below[0]->left + tv.below[0]->width / 2, tb.left) << c.name;
        }
        if (!s.drawing.lines.empty()) {
            const FigureText& last = *sv.below.back();
            EXPECT_NEAR(last.left + last.width / 2.0, sb.left + Extreme(s.drawing, true), 1)
                << c.name;
        }
        if (c.peakOnZeroDb) {
            EXPECT_EQ(sv.left[0]->top + sv.left[0]->height / 2, sb.top + Extreme(s.drawing, false))
                << c.name;
        }

        for (const FigureText& t : f.texts) {
            EXPECT_FALSE(Inside(t, tb) || Inside(t, sb)) << c.name << ": " << t.text;
            EXPECT_TRUE(t.left >= 0 && t.top >= 0 && t.left + t.width <= f.width &&
                        t.top + t.height <= f.height)
                << c.name << ": " << t.text;
        }
        for (const TwipLine& l : f.axes) {
            EXPECT_TRUE(std::min(l.x1, l.x2) >= 0 && std::max(l.x1, l.x2) <= f.width &&
                        std::min(l.y1, l.y2) >= 0 && std::max(l.y1, l.y2) <= f.height)
                << c.name;
        }
    }
}

}  // namespace
}  // namespace quorvane
