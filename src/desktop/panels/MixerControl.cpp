#include "panels/MixerControl.h"
#include "setup/PanelSetups.h"

#include <QCheckBox>

namespace quorvane {

MixerControl::MixerControl(QWidget* parent)
    : ChainStagePanel(std::make_unique<MixerPanelState>(), MixerPanelGeometry().frame,
                      MixerPanelGeometry().rows, parent) {
    AddRow(MixerPanelGeometry().lo);
    chkSwitching_ = new QCheckBox(this);
    AddControl(chkSwitching_, MixerPanelGeometry().chkSwitching);
    connect(chkSwitching_, &QCheckBox::toggled, this, [this](bool on) {
        if (showing_) return;
        Mixer().CheckSwitching(on);
        ShowState();
    });
    ApplyFocusOrder();
    ShowState();
}

MixerPanelState& MixerControl::Mixer() const {
    return static_cast<MixerPanelState&>(State());
}

double MixerControl::IP3() const {
    return Mixer().IP3();
}

void MixerControl::SetIP3(double dBm) {
    Mixer().SetIP3(dBm);
    ShowState();
}

double MixerControl::LO_Freq() const {
    return Mixer().LO_Freq();
}

void MixerControl::SetLO_Freq(double mhz) {
    Mixer().SetLO_Freq(mhz);
    ShowState();
}

bool MixerControl::Switching() const {
    return Mixer().Switching();
}

void MixerControl::SetSwitching(bool on) {
    Mixer().SetSwitching(on);
    ShowState();
}

void MixerControl::ShowState() {
    ChainStagePanel::ShowState();
    showing_ = true;
    chkSwitching_->setChecked(Mixer().SwitchingChecked());
    showing_ = false;
}

void MixerControl::ApplySetup(const StageSetup& stage) {
    ApplyStage(Mixer(), stage);
    ShowWholeState();
}

}  // namespace quorvane
