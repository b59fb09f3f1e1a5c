#include "panels/AmplifierControl.h"
#include "setup/PanelSetups.h"

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

void AmplifierControl::ApplySetup(const StageSetup& stage) {
    ApplyStage(Amplifier(), stage);
    ShowWholeState();
}

}  // namespace quorvane
