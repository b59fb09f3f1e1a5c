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
    return {.top = 1080,
            .noiseItems = {"0", "1", "2", "3", "6", "10", "20"},
            .gainItems = {"0", "3", "6", "10", "20", "30"},
            .interceptItems = {"Inf", "20", "10", "0", "-10"},
            .startNF = 3,
            .startGain = 10};
}

}  // namespace

AmplifierControl::AmplifierControl(QWidget* parent)
    : ChainStagePanel(kLayoutWidth, kLayoutHeight, AmplifierRows(), parent) {
    AddSymbol(this, kLines);
    ApplyFocusOrder();
    UpdateDisplay();
}

double AmplifierControl::IP3() const {
    return Rows().IP3();
}

void AmplifierControl::SetIP3(double dBm) {
    Rows().SetIP3(dBm);
    UpdateDisplay();
}

QList<QWidget*> AmplifierControl::FocusOrder() const {
    return {Rows().GainBox(), Rows().InterceptBox(), Rows().NoiseBox()};
}

}  // namespace quorvane
