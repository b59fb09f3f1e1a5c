#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/SignalBuffer.h"
#include "plot/Drawing.h"
#include "plot/SpectrumPlot.h"
#include "plot/TimePlot.h"

namespace quorvane {

// What each plot group's labels say before its first drawing.
inline constexpr std::string_view kSignalMaxStartText = "0";
inline constexpr std::string_view kSignalZeroText = "0";
inline constexpr std::string_view kMinTimeStartText = "MinTime";
inline constexpr std::string_view kMaxTimeStartText = "MaxTime";
inline constexpr std::string_view kMinFreqStartText = "MinFreq";
inline constexpr std::string_view kMaxFreqStartText = "MaxFreq";

// What one plot group shows: both pictures' drawings in twips from each picture's top-left, what
// they tell a screen reader, and its labels' texts. A cleared group has empty drawings; its
// labels keep their last texts.
struct PlotGroupView {
    Drawing time;
    Drawing spectrum;
    std::string lblSignalMax{kSignalMaxStartText};
    std::string lblMinTime{kMinTimeStartText};
    std::string lblMaxTime{kMaxTimeStartText};
    std::string lblMinFreq{kMinFreqStartText};
    std::string lblMaxFreq{kMaxFreqStartText};
    std::string timeDescription{kEmptyPictureDescription};
    std::string spectrumDescription{kEmptyPictureDescription};
};

// One plot group between draws: what it shows, the full scale its freeze box remembers, and
// what the pointer read-outs and "Copy Data" need to know of the last drawings. A front end
// hands it the group's scroll-bar positions and freeze box and shows what it gives back.
class PlotGroupModel {
  public:
    // Draws the time trace (hscSignal's position, chkFreeze checked) into a picture of the
    // given size in twips.
    void DrawTime(const SignalBuffer& signal, int zoomValue, bool frozen, double width,
                  double height, std::uint32_t colour);
    // Draws the spectrum (hscSpectrum's and hscCentre's positions). Returns the position the
    // centre bar moves to when the window had to be moved back into the band; the bar only
    // moves to match, the new centre counts from the next draw on.
    std::optional<int> DrawSpectrum(const SignalBuffer& signal, int spanValue, int centreValue,
                                    double width, double height, std::uint32_t colour);
    // Clears both pictures and what the read-outs knew of them; the labels keep their texts.
    void Clear();
    // A checked freeze box then holds the scale of the next draw.
    void ForgetFrozenScale() { freeze_ = FreezeMemory{}; }

    const PlotGroupView& View() const { return view_; }
    const TimeHoverModel& TimeHover() const { return timeHover_; }
    const SpectrumHoverModel& SpectrumHover() const { return spectrumHover_; }
    const std::vector<double>& TimeSamples() const { return timeSamples_; }
    const SpectrumBins& Bins() const { return spectrumBins_; }

  private:
    PlotGroupView view_;
    FreezeMemory freeze_;
    TimeHoverModel timeHover_;
    SpectrumHoverModel spectrumHover_;
    std::vector<double> timeSamples_;
    SpectrumBins spectrumBins_;
};

}  // namespace quorvane
