#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/SignalBuffer.h"
#include "plot/PlotGroupFigure.h"
#include "plot/PlotGroupModel.h"
#include "plot/SpectrumPlot.h"

class QCheckBox;
class QImage;
class QLabel;
class QScrollBar;

namespace quorvane {

class PictureBox;

// The controls of one plot group, owned by the window.
struct PlotGroupWidgets {
    PictureBox* picSignal = nullptr;
    PictureBox* picSpectrum = nullptr;
    QScrollBar* hscSignal = nullptr;
    QScrollBar* hscSpectrum = nullptr;
    QScrollBar* hscCentre = nullptr;
    QCheckBox* chkFreeze = nullptr;
    QLabel* lblSignalMax = nullptr;
    QLabel* lblMinTime = nullptr;
    QLabel* lblMaxTime = nullptr;
    QLabel* lblMinFreq = nullptr;
    QLabel* lblMaxFreq = nullptr;
};

// Draws a signal into one plot group: reads the group's scroll bars and freeze box, lets the
// display core compute the lines and label texts, and hands them to the pictures and labels.
// Either picture's "Copy Picture" copies the whole group as a figure for a lab report, and its
// "Copy Data" the numbers it shows, both titled with the test point.
class PlotGroup {
  public:
    explicit PlotGroup(const PlotGroupWidgets& widgets);
    ~PlotGroup();
    PlotGroup(const PlotGroup&) = delete;
    PlotGroup& operator=(const PlotGroup&) = delete;

    void PlotSignal(const SignalBuffer& signal, std::uint32_t colour);
    void PlotSpectrum(const SignalBuffer& signal, std::uint32_t colour);
    // Clears both pictures; the labels keep their texts.
    void Clear();
    // Forgets the time plot's remembered full scale: a checked freeze box then holds the scale
    // of the next draw.
    void ForgetFrozenScale();

    // Where the spectrum's pointer read-out learns about the predicted lines of the signal
    // the group shows; none by default.
    void SetLineReadout(LineReadoutSource source);

    // Where the copied picture and data learn the title of the test point the group shows
    // ("Test point 4: after 1st Mixer"); without one they are titled as showing none.
    using TitleSource = std::function<std::string()>;
    void SetTitleSource(TitleSource source);

    // The group as it looks, framed, with its scales, units and title, at twice the
    // resolution of the window, and where the figure places each part, in twips.
    QImage Figure() const;
    PlotGroupFigure FigureLayout() const;

  private:
    PlotGroupWidgets widgets_;
    struct State;
    State* state_;
};

}  // namespace quorvane
