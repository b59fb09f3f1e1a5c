// The window's tooltips that explain what the student sees. The core writes every text; the
// window only says which chain, test point and refreshes the text is about.

#include <QComboBox>
#include <QLabel>

#include "analysis/PredictionCache.h"
#include "analysis/Readouts.h"
#include "chain/TestPointNames.h"
#include "display/PlotGroup.h"
#include "panels/ColourButton.h"
#include "panels/SteppingComboBox.h"
#include "window/LazyToolTip.h"
#include "window/PlotGroupControls.h"
#include "window/Quorvane.h"
#include "window/ReadoutLabel.h"

namespace quorvane {

void Quorvane::InstallReadouts() {
    predictions_ = std::make_unique<PredictionCache>();
    for (int n = 1; n <= layout::kTestPointCount; ++n) {
        LazyToolTip::Install(testPoints_[n - 1], [this, n] {
            return TestPointReadout(n, ShownArchitecture(), Prediction(),
                                    predictions_->CascadeFor(tickChain_, ShownArchitecture()));
        });
    }
    LazyToolTip::Install(lblPowerOut_, [this] {
        // Nothing to explain before the first refresh, and nothing to predict for it either.
        if (powerHistory_.Count() == 0) return ExperimentNote(std::string());
        return ExperimentNote(PowerOutReadout(powerHistory_, Prediction()));
    });
    for (int g = 0; g < 2; ++g) {
        groups_[g]->plots->SetLineReadout([this, g](double mhz, double toleranceMHz) {
            return SpectrumLineText(g, mhz, toleranceMHz);
        });
        groups_[g]->plots->SetTitleSource([this, g] {
            const int testPoint = g == 0 ? tickSelection_.first : tickSelection_.second;
            return testPoint == 0 ? std::string() : TestPointTitle(testPoint, ShownArchitecture());
        });
    }
}

Architecture Quorvane::ShownArchitecture() const {
    return ArchitectureFromText(cmbMode_->currentText().toStdString());
}

const ChainPrediction& Quorvane::Prediction() {
    return predictions_->For(tickChain_, ShownArchitecture());
}

std::string Quorvane::SpectrumLineText(int group, double mhz, double toleranceMHz) {
    const int testPoint = group == 0 ? tickSelection_.first : tickSelection_.second;
    if (testPoint == 0) return {};
    return LineReadout(Prediction().At(testPoint), mhz, toleranceMHz);
}

}  // namespace quorvane
