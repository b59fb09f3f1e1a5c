#include "panels/OscillatorControl.h"

#include <QLabel>
#include <QLineEdit>

#include "panels/ColourButton.h"
#include "panels/PanelKit.h"
#include "panels/ReadingScrollBar.h"
#include "setup/PanelSetups.h"

namespace quorvane {

OscillatorControl::OscillatorControl(QWidget* parent)
    : StagePanel(OscillatorPanelGeometry().frame, parent) {
    BuildControls();
    ShowState();
}

void OscillatorControl::BuildControls() {
    const OscillatorGeometry& g = OscillatorPanelGeometry();
    cmdInvert_ = new ColourButton(this);
    AddControl(cmdInvert_, g.cmdInvert);

    text1_ = new QLineEdit(this);
    AddControl(text1_, g.text1);
    text1View_ = new BoxView(text1_, [this](const std::string& text) {
        state_.TypeFrequency(text);
        ShowState();
    });

    MakeLabel(this, g.txtFreq);
    txtPower_ = MakeLabel(this, g.txtPower);

    vscPower_ = new ReadingScrollBar(Qt::Vertical, this);
    AddControl(vscPower_, g.vscPower);
    vscPower_->setRange(OscillatorPanelState::kScaleTop, OscillatorPanelState::kScaleBottom);
    vscPower_->setSingleStep(OscillatorPanelState::kScaleStep);
    vscPower_->setPageStep(OscillatorPanelState::kScaleStep);
    vscPower_->setFocusPolicy(Qt::StrongFocus);
    vscPower_->SetValueText([](int position) {
        return QString::fromStdString(OscillatorPanelState::ScaleReading(position));
    });
    txtPower_->setBuddy(vscPower_);
    connect(vscPower_, &QScrollBar::valueChanged, this, [this](int position) {
        if (showing_) return;
        state_.MoveScale(position);
        ShowState();
    });

    cmdWorking_ = new ColourButton(this);
    AddControl(cmdWorking_, g.cmdWorking);

    connect(cmdWorking_, &ColourButton::clicked, this, [this] {
        state_.PressWorking();
        ShowWorkingColour();
        ShowState();
    });
    connect(cmdInvert_, &ColourButton::clicked, this, [this] {
        state_.PressInvert();
        ShowInvertColour();
    });

    ApplyFocusOrder();
}

double OscillatorControl::Frequency() const {
    return state_.Frequency();
}

void OscillatorControl::SetFrequency(double mhz) {
    state_.SetFrequency(mhz);
    ShowState();
}

double OscillatorControl::Power() const {
    return state_.Power();
}

bool OscillatorControl::SetPower(double dBnW) {
    if (!state_.SetPower(dBnW)) return false;
    ShowState();
    return true;
}

void OscillatorControl::SetPowerProperty(double dBnW) {
    (void)SetPower(dBnW);
}

short OscillatorControl::Working() const {
    return state_.Working();
}

void OscillatorControl::SetWorking(short value) {
    state_.SetWorking(value);
    ShowWorkingColour();
    ShowState();
}

short OscillatorControl::Invert() const {
    return state_.Invert();
}

void OscillatorControl::SetInvert(short value) {
    state_.SetInvert(value);
    ShowInvertColour();
}

void OscillatorControl::ApplySetup(const ToneSetup& tone) {
    ApplyTone(state_, tone);
    text1View_->ShowAgain(state_.FrequencyText());
    ShowState();
    ShowWorkingColour();
    ShowInvertColour();
}

void OscillatorControl::ShowWorkingColour() {
    cmdWorking_->SetBackColor(state_.WorkingColour());
}

void OscillatorControl::ShowInvertColour() {
    cmdInvert_->SetBackColor(state_.InvertColour());
}

void OscillatorControl::ShowState() {
    text1View_->Show(state_.FrequencyText());
    showing_ = true;
    vscPower_->setValue(state_.ScalePosition());
    showing_ = false;
    txtPower_->setText(QString::fromStdString(state_.PowerText()));
}

}  // namespace quorvane
