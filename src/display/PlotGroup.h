#pragma once

#include <cstdint>

#include "display/SpectrumPlot.h"
#include "engine/SignalBuffer.h"

class QCheckBox;
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

  private:
    PlotGroupWidgets widgets_;
    struct State;
    State* state_;
};

}  // namespace quorvane
