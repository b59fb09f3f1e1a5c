#include "panels/AmplifierControl.h"

#include <QComboBox>
#include <array>

#include "panels/GainRows.h"
#include "panels/PanelKit.h"

namespace quorvane {

namespace {

constexpr int kLayoutWidth = 1860;
constexpr int kLayoutHeight = 2490;

constexpr std::array<SymbolLine, 5> kLines{{
    {"Line4", 360, 960, 360, 0, 4},      // triangle, input side
    {"Line5", 1320, 480, 360, 0, 4},     // triangle, upper side
    {"Line3", 1320, 480, 360, 960, 4},   // triangle, lower side
    {"Line1", 360, 480, 0, 480, 4},      // input line
    {"Line2", 2040, 480, 1320, 480, 4},  // output line
}};

GainRowsLists AmplifierRows() {
    return {1080,
            {"0", "1", "2", "3", "6", "10", "20"},
            {"0", "3", "6", "10", "20", "30"},
            {"Inf", "20", "10", "0", "-10"}};
}

}  // namespace

AmplifierControl::AmplifierControl(QWidget* parent)
    : StagePanel(kLayoutWidth, kLayoutHeight, parent), rows_(new GainRows(this, AmplifierRows())) {
    AddSymbol(this, kLines);
    ApplyFocusOrder();
    rows_->Initialise("3", "10", "Inf");
    UpdateDisplay();
}

double AmplifierControl::Gain() const {
    return rows_->Gain();
}

void AmplifierControl::SetGain(double dB) {
    rows_->SetGain(dB);
    UpdateDisplay();
}

double AmplifierControl::NF() const {
    return rows_->NF();
}

void AmplifierControl::SetNF(double dB) {
    rows_->SetNF(dB);
    UpdateDisplay();
}

double AmplifierControl::IP3() const {
    return rows_->IP3();
}

void AmplifierControl::SetIP3(double dBm) {
    rows_->SetIP3(dBm);
    UpdateDisplay();
}

void AmplifierControl::SetTitle(const std::string& title) {
    StagePanel::SetTitle(title);
    rows_->Name(title);
}

QList<QWidget*> AmplifierControl::FocusOrder() const {
    return {rows_->GainBox(), rows_->InterceptBox(), rows_->NoiseBox()};
}

void AmplifierControl::UpdateDisplay() {
    rows_->Show();
}

void AmplifierControl::paintEvent(QPaintEvent*) {
    PaintSymbol(*this);
}

}  // namespace quorvane
