#include "panels/AmplifierControl.h"

namespace quorvane {

AmplifierControl::AmplifierControl(QWidget* parent)
    : ChainStagePanel(std::make_unique<AmplifierPanelState>(), AmplifierPanelGeometry().frame,
                      AmplifierPanelGeometry().rows, parent) {
    ApplyFocusOrder();
    ShowState();
}

AmplifierPanelState& AmplifierControl::Amplifier() const {
    return static_cast<AmplifierPanelState&>(State());
}

double AmplifierControl::IP3() const {
    return Amplifier().IP3();
}

void AmplifierControl::SetIP3(double dBm) {
    Amplifier().SetIP3(dBm);
    ShowState();
}

}  // namespace quorvane
