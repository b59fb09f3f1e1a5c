#include "panels/FilterControl.h"

#include <QComboBox>
#include <array>

#include "access/ControlNames.h"
#include "panels/GainRows.h"
#include "panels/NumberText.h"
#include "panels/PanelKit.h"
#include "panels/ParameterRow.h"
#include "panels/StageTexts.h"

namespace quorvane {

namespace {

constexpr int kLayoutWidth = 1950;
constexpr int kLayoutHeight = 3435;

constexpr double kStartCentre = 5.0;     // MHz
constexpr double kStartBandwidth = 2.0;  // MHz

constexpr std::array<SymbolLine, 13> kLines{{
    {"lneIcon(0)", 480, 360, 720, 120, 1},  // upper wave mark
    {"lneIcon(1)", 720, 120, 960, 360, 1},
    {"lneIcon(2)", 1200, 120, 960, 360, 1},
    {"lneIcon(3)", 480, 600, 720, 360, 1},  // middle wave mark
    {"lneIcon(4)", 720, 360, 960, 600, 1},
    {"lneIcon(5)", 1200, 360, 960, 600, 1},
    {"lneIcon(6)", 480, 840, 720, 600, 1},  // lower wave mark
    {"lneIcon(7)", 720, 600, 960, 840, 1},
    {"lneIcon(8)", 1200, 600, 960, 840, 1},
    {"Line3", 840, 360, 960, 120, 1},    // stroke through the upper wave
    {"Line4", 720, 840, 840, 600, 1},    // stroke through the lower wave
    {"Line1", 360, 480, 0, 480, 4},      // input line
    {"Line2", 2040, 480, 1320, 480, 4},  // output line
}};
constexpr std::array<SymbolOutline, 1> kOutlines{{
    {"Shape1", ShapeControl::Kind::Rectangle, {375, 15, 915, 960}, 3},
}};

GainRowsLists FilterRows() {
    return {1080,
            {"0", "1", "2", "3", "6", "10", "20", "30"},
            {"0", "-1", "-2", "-3", "-6", "-10", "-20", "-30"},
            {}};
}

double BandFrequencyMHz(std::string_view text) {
    return ReadBandFrequency(text).mhz;
}

ParameterRowLayout CentreLayout() {
    return {4,
            "Fc",
            {120, 2400, 495, 375},
            "cmbFreq",
            {480, 2400, 855, 420},
            {"0", "100", "200", "500", "1", "2", "5", "10"},
            6,
            "MHz",
            {1320, 2460, 615, 375},
            BoxKind::CentreFrequency,
            &BandFrequencyMHz};
}

ParameterRowLayout RangeLayout() {
    return {5,
            "BW",
            {0, 2880, 495, 375},
            "cmbRange",
            {480, 2880, 855, 420},
            {"100", "200", "500", "1", "2", "5", "10", "20"},
            7,
            "MHz",
            {1320, 2940, 615, 375},
            BoxKind::Bandwidth,
            &BandFrequencyMHz};
}

QString Text(double value) {
    return QString::fromStdString(FormatGeneral(value));
}
QString Unit(bool kiloHertz) {
    return kiloHertz ? "kHz" : "MHz";
}

// Writes a pass-band frequency into its row: in MHz from 1 MHz up, in kHz below. The second
// test reads the field again, because the first write has already run the row's rule. The unit
// label is left as the rule set it, so it always agrees with the value read back (a written
// 0.03 MHz shows as 30, which reads as 30 MHz).
void ShowBandFrequency(ParameterRow& row, const double& field) {
    if (field >= 1.0) row.Write(Text(field));
    if (!(field >= 1.0)) row.Write(Text(field * 1000.0));
}

}  // namespace

FilterControl::FilterControl(QWidget* parent)
    : StagePanel(kLayoutWidth, kLayoutHeight, parent), rows_(new GainRows(this, FilterRows())) {
    AddSymbol(this, kLines, kOutlines);
    centreRow_ = new ParameterRow(this, CentreLayout(), [this](const QString& text) {
        const BoxFrequency centre = ReadBandFrequency(text.toStdString());
        centreFreq_ = centre.mhz;
        centreRow_->SetUnit(Unit(centre.kiloHertz));
    });
    rangeRow_ = new ParameterRow(this, RangeLayout(), [this](const QString& text) {
        const BoxFrequency range = ReadBandFrequency(text.toStdString());
        bandwidth_ = range.mhz;
        rangeRow_->SetUnit(Unit(range.kiloHertz));
    });
    ApplyFocusOrder();

    rows_->Initialise("3", "-3");
    centreRow_->Write("10");
    centreFreq_ = kStartCentre;
    rangeRow_->Write("2");
    bandwidth_ = kStartBandwidth;
    UpdateDisplay();
}

double FilterControl::Gain() const {
    return rows_->Gain();
}

void FilterControl::SetGain(double dB) {
    rows_->SetGain(dB);
    UpdateDisplay();
}

double FilterControl::NF() const {
    return rows_->NF();
}

void FilterControl::SetNF(double dB) {
    rows_->SetNF(dB);
    UpdateDisplay();
}

double FilterControl::MinFreq() const {
    return centreFreq_ - bandwidth_ / 2.0;
}
double FilterControl::MaxFreq() const {
    return centreFreq_ + bandwidth_ / 2.0;
}

double FilterControl::Bandwidth() const {
    return bandwidth_;
}

void FilterControl::SetBandwidth(double mhz) {
    bandwidth_ = mhz;
    UpdateDisplay();
}

double FilterControl::CentreFreq() const {
    return centreFreq_;
}

void FilterControl::SetCentreFreq(double mhz) {
    centreFreq_ = mhz;
    UpdateDisplay();
}

void FilterControl::SetTitle(const std::string& title) {
    StagePanel::SetTitle(title);
    rows_->Name(title);
    centreRow_->SetName(QString::fromStdString(PartName(title, ControlPart::CentreFrequency)));
    rangeRow_->SetName(QString::fromStdString(PartName(title, ControlPart::Bandwidth)));
}

QList<QWidget*> FilterControl::FocusOrder() const {
    return {rows_->NoiseBox(), rangeRow_->Box(), centreRow_->Box(), rows_->GainBox()};
}

void FilterControl::UpdateDisplay() {
    rows_->Show();
    ShowBandFrequency(*centreRow_, centreFreq_);
    ShowBandFrequency(*rangeRow_, bandwidth_);
}

void FilterControl::paintEvent(QPaintEvent*) {
    PaintSymbol(*this);
}

}  // namespace quorvane
