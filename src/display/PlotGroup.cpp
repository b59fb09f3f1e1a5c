#include "display/PlotGroup.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>

#include "display/PictureBox.h"
#include "display/SpectrumPlot.h"
#include "display/TimePlot.h"
#include "ui/Twips.h"

namespace quorvane {

namespace {

void SetCaption(QLabel* label, const std::string& text) {
    label->setText(QString::fromStdString(text));
}

// Each change of a description is announced, so an unchanged one is not set again.
void Describe(QWidget* picture, std::string_view description) {
    const QString text =
        QString::fromUtf8(description.data(), static_cast<int>(description.size()));
    if (picture->accessibleDescription() != text) picture->setAccessibleDescription(text);
}

}  // namespace

// What a plot group keeps between draws: the freeze box's remembered full scale, and what the
// pointer read-outs need to know of the last drawings.
struct PlotGroup::State {
    FreezeMemory freeze;
    TimeHoverModel timeHover;
    SpectrumHoverModel spectrumHover;
    LineReadoutSource lineReadout;
    std::vector<double> timeSamples;
    SpectrumColumns spectrumColumns;
    QPointer<PictureBox> picSignal;
    QPointer<PictureBox> picSpectrum;
};

PlotGroup::PlotGroup(const PlotGroupWidgets& widgets) : widgets_(widgets), state_(new State) {
    State* state = state_;
    state->picSignal = widgets_.picSignal;
    state->picSpectrum = widgets_.picSpectrum;
    widgets_.picSignal->SetHoverTextProvider(
        [state](double x, double y) { return TimeHoverText(state->timeHover, x, y); });
    widgets_.picSpectrum->SetHoverTextProvider([state](double x, double y) {
        return SpectrumHoverText(state->spectrumHover, x, y, state->lineReadout);
    });
    widgets_.picSignal->SetDataProvider([state] { return TimeTraceTable(state->timeSamples); });
    widgets_.picSpectrum->SetDataProvider(
        [state] { return SpectrumTable(state->spectrumColumns); });
    Describe(widgets_.picSignal, kEmptyPictureDescription);
    Describe(widgets_.picSpectrum, kEmptyPictureDescription);
}

PlotGroup::~PlotGroup() {
    // The pictures may outlive the group: they must not ask it for read-outs any more.
    for (PictureBox* picture : {state_->picSignal.data(), state_->picSpectrum.data()}) {
        if (!picture) continue;
        picture->SetHoverTextProvider({});
        picture->SetDataProvider({});
    }
    delete state_;
}

void PlotGroup::PlotSignal(const SignalBuffer& signal, std::uint32_t colour) {
    PictureBox* picture = widgets_.picSignal;
    const TimePlotSettings settings{widgets_.hscSignal->value(),
                                    widgets_.chkFreeze->checkState() == Qt::Checked,
                                    static_cast<double>(picture->ScaleWidth()),
                                    static_cast<double>(picture->ScaleHeight()), colour};
    TimePlotResult result = ComputeTimePlot(signal, settings, state_->freeze);
    SetCaption(widgets_.lblMinTime, result.minTime);
    SetCaption(widgets_.lblMaxTime, result.maxTime);
    SetCaption(widgets_.lblSignalMax, result.signalMax);
    state_->timeHover = result.hover;
    state_->timeSamples = std::move(result.samples);
    Describe(picture, result.description);
    picture->Show(std::move(result.drawing));
}

void PlotGroup::PlotSpectrum(const SignalBuffer& signal, std::uint32_t colour) {
    PictureBox* picture = widgets_.picSpectrum;
    const SpectrumPlotSettings settings{widgets_.hscSpectrum->value(), widgets_.hscCentre->value(),
                                        static_cast<double>(picture->ScaleWidth()),
                                        static_cast<double>(picture->ScaleHeight()), colour};
    SpectrumPlotResult result = ComputeSpectrumPlot(signal, settings);
    // The scroll bar only moves to match; the new centre is used from the next draw on.
    if (result.correctedCentre) widgets_.hscCentre->setValue(*result.correctedCentre);
    SetCaption(widgets_.lblMinFreq, result.minFreq);
    SetCaption(widgets_.lblMaxFreq, result.maxFreq);
    state_->spectrumHover = result.hover;
    state_->spectrumColumns = std::move(result.columns);
    Describe(picture, result.description);
    picture->Show(std::move(result.drawing));
}

void PlotGroup::SetLineReadout(LineReadoutSource source) {
    state_->lineReadout = std::move(source);
}

void PlotGroup::Clear() {
    state_->timeHover = {};
    state_->spectrumHover = {};
    state_->timeSamples.clear();
    state_->spectrumColumns = {};
    Describe(widgets_.picSignal, kEmptyPictureDescription);
    Describe(widgets_.picSpectrum, kEmptyPictureDescription);
    widgets_.picSignal->Cls();
    widgets_.picSpectrum->Cls();
}

}  // namespace quorvane
