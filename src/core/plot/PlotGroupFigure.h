#pragma once

#include <string>
#include <vector>

#include "plot/Drawing.h"
#include "plot/SpectrumPlot.h"
#include "plot/TimePlot.h"

namespace quorvane {

// A plot group laid out as a figure for a lab report: a title naming the test point, and each
// of the two pictures as the window shows it, framed, with ticks, scale values and units. All
// places are in twips from the figure's top-left; the pictures keep their size in the window,
// so their traces land on the figure exactly as they are drawn there.

enum class FigureAlign { Left, Centre, Right };

// A line of text, placed in a box and aligned in it, vertically centred. Its font is sized so
// that a line of it is fontTwips high.
struct FigureText {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    FigureAlign align = FigureAlign::Left;
    int fontTwips = 0;
    bool bold = false;
    std::string text;
};

struct FigureBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct PlotGroupFigure {
    int width = 0;
    int height = 0;
    FigureBox timePicture;       // where the time picture's drawing goes, at its own size
    FigureBox spectrumPicture;   // where the spectrum picture's drawing goes
    std::vector<TwipLine> axes;  // the frames around the pictures and their ticks
    std::vector<FigureText> texts;
};

// What the figure shows: the test point's title (empty when none is shown), the pictures'
// sizes in twips and what the last drawings of the plot group were.
struct PlotGroupFigureInput {
    std::string testPoint;
    int timeWidth = 0;
    int timeHeight = 0;
    int spectrumWidth = 0;
    int spectrumHeight = 0;
    TimeHoverModel time;          // invalid when the time picture shows nothing
    SpectrumHoverModel spectrum;  // invalid when the spectrum picture shows nothing
};

// The title line, then for each picture a heading, the picture framed, the scale values at the
// left and the axis values below: the time trace's full scale and zero in V, its time in µs
// from the window's first sample; the spectrum's levels in dB relative to its strongest bin
// (its heading gives the span and that bin's level in dBm), its frequency in MHz. Axis values
// are 1-2-5 steps, placed where the trace draws them.
PlotGroupFigure ComposePlotGroupFigure(const PlotGroupFigureInput& input);

}  // namespace quorvane
