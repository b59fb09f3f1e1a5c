#include "panels/FilterControl.h"

#include <QComboBox>
#include <array>

#include "panel/NumberText.h"
#include "panel/StageTexts.h"
#include "panels/GainRows.h"
#include "panels/PanelKit.h"
#include "panels/ParameterRow.h"
#include "texts/ControlNames.h"

namespace quorvane {

namespace {

constexpr int kLayoutWidth = 1950;
constexpr int kLayoutHeight = 3435;

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
    return {.top = 1080,
            .noiseItems = {"0", "1", "2", "3", "6", "10", "20", "30"},
            .gainItems = {"0", "-1", "-2", "-3", "-6", "-10", "-20", "-30"},
            .interceptItems = {},
            .startNF = 3,
            .startGain = -3};
}

double BandFrequencyMHz(std::string_view text) {
    return ReadBandFrequency(text).mhz;
}

ParameterRowLayout CentreLayout() {
    return {.symbolIndex = 4,
            .symbol = "Fc",
            .symbolBox = {120, 2400, 495, 375},
            .boxName = "cmbFreq",
            .box = {480, 2400, 855, 420},
            .items = {"0", "100", "200", "500", "1", "2", "5", "10"},
            .unitIndex = 6,
            .unit = "MHz",
            .unitBox = {1320, 2460, 615, 375},
            .tip = BoxKind::CentreFrequency,
            .read = &BandFrequencyMHz};
}

ParameterRowLayout RangeLayout() {
    return {.symbolIndex = 5,
            .symbol = "BW",
            .symbolBox = {0, 2880, 495, 375},
            .boxName = "cmbRange",
            .box = {480, 2880, 855, 420},
            .items = {"100", "200", "500", "1", "2", "5", "10", "20"},
            .unitIndex = 7,
            .unit = "MHz",
            .unitBox = {1320, 2940, 615, 375},
            .tip = BoxKind::Bandwidth,
            .read = &BandFrequencyMHz};
}

QString Text(double value) {
    return QString::fromStdString(FormatGeneral(value));
}
QString Unit(bool kiloHertz) {
    return kiloHertz ? "kHz" : "MHz";
}

// Writes a pass-band frequency into its row: in MHz from 1 MHz up, in kHz below. Writing runs
// the row's rule, which sets the field anew from the shown text, so the field is read back
// through `field` before the second test. The unit label is left as the rule set it, so it
// always agrees with the value read back (a written 0.03 MHz shows as 30, which reads as
// 30 MHz, and is then shown in MHz).
template <class FieldReader>
void ShowBandFrequency(ParameterRow& row, FieldReader field) {
    if (field() >= 1.0) row.Write(Text(field()));
    const double readBack = field();
    if (!(readBack >= 1.0)) row.Write(Text(readBack * 1000.0));
}

}  // namespace

FilterControl::FilterControl(QWidget* parent)
    : ChainStagePanel(kLayoutWidth, kLayoutHeight, FilterRows(), parent) {
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
    ChainStagePanel::SetTitle(title);
    centreRow_->SetName(QString::fromStdString(PartName(title, ControlPart::CentreFrequency)));
    rangeRow_->SetName(QString::fromStdString(PartName(title, ControlPart::Bandwidth)));
}

QList<QWidget*> FilterControl::FocusOrder() const {
    return {Rows().NoiseBox(), rangeRow_->Box(), centreRow_->Box(), Rows().GainBox()};
}

void FilterControl::UpdateDisplay() {
    ChainStagePanel::UpdateDisplay();
    ShowBandFrequency(*centreRow_, [this] { return centreFreq_; });
    ShowBandFrequency(*rangeRow_, [this] { return bandwidth_; });
}

}  // namespace quorvane
