#include "panels/FilterControl.h"
#include "setup/PanelSetups.h"

namespace quorvane {

FilterControl::FilterControl(QWidget* parent)
    : ChainStagePanel(std::make_unique<FilterPanelState>(), FilterPanelGeometry().frame,
                      FilterPanelGeometry().rows, parent) {
    AddRow(FilterPanelGeometry().centre);
    AddRow(FilterPanelGeometry().range);
    ApplyFocusOrder();
    ShowState();
}

FilterPanelState& FilterControl::Filter() const {
    return static_cast<FilterPanelState&>(State());
}

double FilterControl::MinFreq() const {
    return Filter().MinFreq();
}
double FilterControl::MaxFreq() const {
    return Filter().MaxFreq();
}

double FilterControl::Bandwidth() const {
    return Filter().Bandwidth();
}

void FilterControl::SetBandwidth(double mhz) {
    Filter().SetBandwidth(mhz);
    ShowState();
}

double FilterControl::CentreFreq() const {
    return Filter().CentreFreq();
}

void FilterControl::SetCentreFreq(double mhz) {
    Filter().SetCentreFreq(mhz);
    ShowState();
}

void FilterControl::ApplySetup(const StageSetup& stage) {
    ApplyStage(Filter(), stage);
    ShowWholeState();
}

}  // namespace quorvane
