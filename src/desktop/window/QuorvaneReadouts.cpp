// The window's tooltips that explain what the student sees. The core writes every text; the
// window only says which chain, test point and refreshes the text is about.

#include <QComboBox>
#include <QLabel>

#include "analysis/TickReadouts.h"
#include "display/PlotGroup.h"
#include "panels/ColourButton.h"
#include "panels/SteppingComboBox.h"
#include "window/LazyToolTip.h"
#include "window/PlotGroupControls.h"
#include "window/Quorvane.h"
#include "window/ReadoutLabel.h"

namespace quorvane {

void Quorvane::InstallReadouts() {
    readouts_ = std::make_unique<TickReadouts>();
    for (int n = 1; n <= layout::kTestPointCount; ++n) {
        LazyToolTip::Install(testPoints_[n - 1],
                             [this, n] { return readouts_->TestPoint(n, ShownArchitecture()); });
    }
    LazyToolTip::Install(
        lblPowerOut_, [this] { return ExperimentNote(readouts_->PowerOut(ShownArchitecture())); });
    for (int g = 0; g < 2; ++g) {
        groups_[g]->plots->SetLineReadout([this, g](double mhz, double toleranceMHz) {
            return readouts_->SpectrumLine(g, mhz, toleranceMHz, ShownArchitecture());
        });
        groups_[g]->plots->SetTitleSource(
            [this, g] { return readouts_->GroupTitle(g, ShownArchitecture()); });
    }
}

Architecture Quorvane::ShownArchitecture() const {
    return ArchitectureFromText(cmbMode_->currentText().toStdString());
}

}  // namespace quorvane
