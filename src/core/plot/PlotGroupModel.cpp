#include "plot/PlotGroupModel.h"

#include <utility>

namespace quorvane {

void PlotGroupModel::DrawTime(const SignalBuffer& signal, int zoomValue, bool frozen, double width,
                              double height, std::uint32_t colour) {
    const TimePlotSettings settings{zoomValue, frozen, width, height, colour};
    TimePlotResult result = ComputeTimePlot(signal, settings, freeze_);
    view_.lblMinTime = std::move(result.minTime);
    view_.lblMaxTime = std::move(result.maxTime);
    view_.lblSignalMax = std::move(result.signalMax);
    view_.timeDescription = std::move(result.description);
    view_.time = std::move(result.drawing);
    timeHover_ = result.hover;
    timeSamples_ = std::move(result.samples);
}

std::optional<int> PlotGroupModel::DrawSpectrum(const SignalBuffer& signal, int spanValue,
                                                int centreValue, double width, double height,
                                                std::uint32_t colour) {
    const SpectrumPlotSettings settings{spanValue, centreValue, width, height, colour};
    SpectrumPlotResult result = ComputeSpectrumPlot(signal, settings);
    view_.lblMinFreq = std::move(result.minFreq);
    view_.lblMaxFreq = std::move(result.maxFreq);
    view_.spectrumDescription = std::move(result.description);
    view_.spectrum = std::move(result.drawing);
    spectrumHover_ = result.hover;
    spectrumBins_ = std::move(result.bins);
    return result.correctedCentre;
}

void PlotGroupModel::Clear() {
    view_.time = {};
    view_.spectrum = {};
    view_.timeDescription = std::string(kEmptyPictureDescription);
    view_.spectrumDescription = std::string(kEmptyPictureDescription);
    timeHover_ = {};
    spectrumHover_ = {};
    timeSamples_.clear();
    spectrumBins_ = {};
}

}  // namespace quorvane
