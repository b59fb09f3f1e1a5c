#include "panels/MixerControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <array>

#include "panel/NumberText.h"
#include "panel/StageTexts.h"
#include "panels/GainRows.h"
#include "panels/PanelKit.h"
#include "panels/ParameterRow.h"
#include "texts/ControlNames.h"
#include "texts/ToolTips.h"

namespace quorvane {

namespace {

constexpr int kLayoutWidth = 1860;
constexpr int kLayoutHeight = 3615;

constexpr std::array<SymbolLine, 8> kLines{{
    {"lneIcon(0)", 720, 900, 840, 780, 2},  // wave mark in the oscillator circle
    {"lneIcon(1)", 840, 780, 960, 900, 2},
    {"lneIcon(2)", 1080, 780, 960, 900, 2},
    {"Line3", 900, 1240, 900, 1080, 3},   // oscillator down to the mixer
    {"Line5", 720, 1380, 1080, 1760, 3},  // cross in the mixer circle
    {"Line6", 720, 1769, 1080, 1380, 3},
    {"Line1", 480, 1560, 0, 1560, 4},      // input line
    {"Line2", 2040, 1560, 1320, 1560, 4},  // output line
}};
constexpr std::array<SymbolOutline, 2> kOutlines{{
    {"Shape1", ShapeControl::Kind::Circle, {480, 600, 855, 495}, 3},   // local oscillator
    {"Shape2", ShapeControl::Kind::Circle, {480, 1200, 855, 735}, 4},  // mixer
}};

GainRowsLists MixerRows() {
    return {.top = 2160,
            .noiseItems = {"0", "1", "2", "3", "6", "10", "20"},
            .gainItems = {"0", "3", "6", "10", "20", "30"},
            .interceptItems = {"Inf", "20", "10", "0", "-10", "-20", "-30"},
            .startNF = 3,
            .startGain = 10};
}

double LoFrequencyMHz(std::string_view text) {
    return ReadLoFrequency(text).mhz;
}

ParameterRowLayout LoLayout() {
    return {.symbolIndex = 6,
            .symbol = "Fc",
            .symbolBox = {120, 120, 495, 375},
            .boxName = "cmbLOFreq",
            .box = {480, 120, 855, 420},
            .items = {"100", "200", "500", "800", "1.2", "2", "5", "9", "11"},
            .unitIndex = 7,
            .unit = "MHz",
            .unitBox = {1320, 180, 495, 375},
            .tip = BoxKind::LoFrequency,
            .read = &LoFrequencyMHz};
}

QString Text(double value) {
    return QString::fromStdString(FormatGeneral(value));
}

}  // namespace

MixerControl::MixerControl(QWidget* parent)
    : ChainStagePanel(kLayoutWidth, kLayoutHeight, MixerRows(), parent) {
    AddSymbol(this, kLines, kOutlines);
    BuildLocalOscillator();
    ApplyFocusOrder();
    UpdateDisplay();
}

void MixerControl::BuildLocalOscillator() {
    loRow_ = new ParameterRow(this, LoLayout(), [this](const QString& text) {
        const BoxFrequency lo = ReadLoFrequency(text.toStdString());
        loFreq_ = lo.mhz;
        loRow_->SetUnit(lo.kiloHertz ? "kHz" : "MHz");
    });

    chkSwitching_ = new QCheckBox(this);
    PlaceControl(chkSwitching_, "chkSwitching", {1200, 720, 255, 255}, kBoxPoints);
    chkSwitching_->setToolTip(QString::fromStdString(ToolTip(Tip::Switching)));
    connect(chkSwitching_, &QCheckBox::toggled, this, [this](bool on) { switching_ = on; });
}

double MixerControl::IP3() const {
    return Rows().IP3();
}

void MixerControl::SetIP3(double dBm) {
    Rows().SetIP3(dBm);
    UpdateDisplay();
}

double MixerControl::LO_Freq() const {
    return loFreq_;
}

void MixerControl::SetLO_Freq(double mhz) {
    loFreq_ = mhz;
    UpdateDisplay();
}

bool MixerControl::Switching() const {
    return switching_;
}

void MixerControl::SetSwitching(bool on) {
    switching_ = on;
    UpdateDisplay();
}

void MixerControl::SetTitle(const std::string& title) {
    ChainStagePanel::SetTitle(title);
    loRow_->SetName(QString::fromStdString(PartName(title, ControlPart::LoFrequency)));
    chkSwitching_->setAccessibleName(
        QString::fromStdString(PartName(title, ControlPart::Switching)));
}

QList<QWidget*> MixerControl::FocusOrder() const {
    return {Rows().NoiseBox(), Rows().InterceptBox(), Rows().GainBox(), loRow_->Box(),
            chkSwitching_};
}

void MixerControl::UpdateDisplay() {
    ChainStagePanel::UpdateDisplay();
    ShowLoFrequency();
    ShowSwitching();
}

// Below 1 MHz the box shows kHz. Writing runs the row's rule, which sets loFreq_ anew from the
// shown text, so the value is read back before the second test: one that does not come back
// below 1 MHz (0.03 is written as 30, which reads as 30 MHz) is shown again in MHz. The unit
// label is left as the rule set it, so it always agrees with the value read back.
void MixerControl::ShowLoFrequency() {
    if (loFreq_ < 1.0) loRow_->Write(Text(loFreq_ * 1000.0));
    const double readBack = loFreq_;
    if (!(readBack < 1.0)) loRow_->Write(Text(readBack));
}

void MixerControl::ShowSwitching() {
    chkSwitching_->setChecked(switching_);
    // An unchanged box raises no toggle, so its value is read again here.
    switching_ = chkSwitching_->isChecked();
}

}  // namespace quorvane
