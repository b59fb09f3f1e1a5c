#include "panels/NoiseControl.h"

#include <QEvent>
#include <QLineEdit>

#include "panels/ColourButton.h"
#include "panels/PanelKit.h"
#include "setup/PanelSetups.h"

namespace quorvane {

NoiseControl::NoiseControl(QWidget* parent) : StagePanel(NoisePanelGeometry().frame, parent) {
    BuildControls();
    ShowState();
}

void NoiseControl::BuildControls() {
    const NoiseGeometry& g = NoisePanelGeometry();
    text1_ = new QLineEdit(this);
    AddControl(text1_, g.text1);
    text1View_ = new BoxView(text1_, [this](const std::string& text) {
        state_.TypeTemperature(text);
        ShowState();
    });
    // A click in the box reads its text again.
    text1_->installEventFilter(this);

    MakeLabel(this, g.txtNoise);

    cmdWorking_ = new ColourButton(this);
    AddControl(cmdWorking_, g.cmdWorking);
    connect(cmdWorking_, &ColourButton::clicked, this, [this] {
        state_.PressWorking();
        cmdWorking_->SetBackColor(state_.WorkingColour());
        ShowState();
    });

    MakeLabel(this, g.label1);

    ApplyFocusOrder();
}

double NoiseControl::Temperature() const {
    return state_.Temperature();
}

void NoiseControl::SetTemperature(double kelvin) {
    state_.SetTemperature(kelvin);
    ShowState();
}

short NoiseControl::Working() const {
    return state_.Working();
}

void NoiseControl::SetWorking(short value) {
    state_.SetWorking(value);
    ShowState();
}

void NoiseControl::ApplySetup(const NoiseSetup& noise) {
    ApplyNoise(state_, noise);
    text1View_->ShowAgain(state_.TemperatureText());
    cmdWorking_->SetBackColor(state_.WorkingColour());
}

void NoiseControl::ShowState() {
    text1View_->Show(state_.TemperatureText());
}

bool NoiseControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text1_ && event->type() == QEvent::MouseButtonRelease) {
        state_.ClickTemperature();
        ShowState();
    }
    return StagePanel::eventFilter(watched, event);
}

}  // namespace quorvane
