#pragma once

// One plot group's controls on their own, at the window's places and with the scroll bars'
// ranges and starting values, for the plot-group tests and the plot benchmarks.

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>
#include <memory>

#include "chain/Layout.h"
#include "display/PictureBox.h"
#include "display/PlotGroup.h"
#include "ui/Twips.h"

namespace quorvane::testing {

class PlotGroupFixture {
    // First, so it is built before the controls and the group, and destroyed after the group.
    QWidget parent_;

  public:
    PlotGroupFixture() {
        const layout::PlotGroupPlaces& p = layout::kPlotGroups[0];
        // The parent stands where the frame does; the controls keep their places inside it.
        parent_.setGeometry(Within(p.shpGraphs, p.shpGraphs));
        picSignal = Make<PictureBox>(p.picSignal);
        picSpectrum = Make<PictureBox>(p.picSpectrum);
        hscSignal = MakeBar(p.hscSignal, layout::kSignalScroll);
        hscSpectrum = MakeBar(p.hscSpectrum, layout::kSpectrumScroll);
        hscCentre = MakeBar(p.hscCentre, layout::kCentreScroll);
        chkFreeze = Make<QCheckBox>(p.chkFreeze);
        lblSignalMax = MakeLabel(p.lblSignalMax, "0");
        lblMinTime = MakeLabel(p.lblMinTime, "MinTime");
        lblMaxTime = MakeLabel(p.lblMaxTime, "MaxTime");
        lblMinFreq = MakeLabel(p.lblMinFreq, "MinFreq");
        lblMaxFreq = MakeLabel(p.lblMaxFreq, "MaxFreq");
        group = std::make_unique<PlotGroup>(Widgets());
    }

    PlotGroupWidgets Widgets() const {
        return {picSignal,    picSpectrum, hscSignal,  hscSpectrum, hscCentre, chkFreeze,
                lblSignalMax, lblMinTime,  lblMaxTime, lblMinFreq,  lblMaxFreq};
    }
    QWidget& Parent() { return parent_; }

    PictureBox* picSignal;
    PictureBox* picSpectrum;
    QScrollBar* hscSignal;
    QScrollBar* hscSpectrum;
    QScrollBar* hscCentre;
    QCheckBox* chkFreeze;
    QLabel* lblSignalMax;
    QLabel* lblMinTime;
    QLabel* lblMaxTime;
    QLabel* lblMinFreq;
    QLabel* lblMaxFreq;
    std::unique_ptr<PlotGroup> group;

  private:
    static QRect Within(const layout::Place& place, const layout::Place& frame) {
        return TwipRect(place.left - frame.left, place.top - frame.top, place.width, place.height);
    }
    template <class T>
    T* Make(const layout::Place& place) {
        auto* control = new T(&parent_);
        control->setGeometry(Within(place, layout::kPlotGroups[0].shpGraphs));
        return control;
    }
    QScrollBar* MakeBar(const layout::Place& place, const layout::ScrollSetting& s) {
        auto* bar = Make<QScrollBar>(place);
        bar->setOrientation(Qt::Horizontal);
        bar->setRange(s.minimum, s.maximum);
        bar->setPageStep(s.pageStep);
        bar->setValue(s.value);
        return bar;
    }
    QLabel* MakeLabel(const layout::Place& place, const char* text) {
        auto* label = Make<QLabel>(place);
        label->setText(QString::fromLatin1(text));
        return label;
    }
};

}  // namespace quorvane::testing
