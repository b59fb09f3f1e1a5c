// The simulation tick as the window drives it, and the box that shows the FFT's refusal.

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "chain/Architecture.h"
#include "display/PlotGroup.h"
#include "engine/ReceiverEngine.h"
#include "engine/nrFFT.h"
#include "panels/AmplifierControl.h"
#include "panels/ColourButton.h"
#include "panels/FilterControl.h"
#include "panels/MixerControl.h"
#include "panels/NoiseControl.h"
#include "panels/OscillatorControl.h"
#include "setup/PanelSetups.h"
#include "window/PlotGroupControls.h"
#include "window/Quorvane.h"
#include "window/ReadoutLabel.h"

namespace quorvane {

namespace {

// Clears a flag when the scope ends, however it ends.
class TickScope {
  public:
    explicit TickScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TickScope() { flag_ = false; }
    TickScope(const TickScope&) = delete;
    TickScope& operator=(const TickScope&) = delete;

  private:
    bool& flag_;
};

}  // namespace

void Quorvane::Timer1_Timer() {
    // A tick that is already running (a message box inside it runs the event loop) is never
    // joined by a second one.
    if (ticking_) return;
    const TickScope scope(ticking_);

    ChainSnapshot snapshot = ReadChain();
    const Selection selection = ReadSelection(ReadButtonColours());
    snapshot.first = static_cast<std::int16_t>(selection.first);
    snapshot.second = static_cast<std::int16_t>(selection.second);
    // Only a copy and a comparison: the prediction waits until a read-out asks for it.
    const bool chainChanged = readouts_->BeginTick(snapshot);

    const double watts = engine_->RunTick(
        snapshot, [this, &selection](std::int16_t testPoint, const SignalBuffer& signal) {
            tickSignal_ = &signal;
            PlotTestPoint(testPoint, selection.first, selection.second);
            tickSignal_ = nullptr;
        });
    lblPowerOut_->setText(QString::fromStdString(FormatPowerCaption(watts)));
    readouts_->EndTick(watts, chainChanged);
}

void Quorvane::PlotTestPoint(int iTestPoint, int iFirst, int iSecond) {
    if (iTestPoint < 1 || iTestPoint > layout::kTestPointCount) return;
    const SignalBuffer& signal = tickSignal_ ? *tickSignal_ : engine_->Signal();
    const ColourButton* button = testPoints_[iTestPoint - 1];
    const std::array<bool, 2> drawing = GroupsDrawing(iTestPoint, {iFirst, iSecond});
    for (int g = 0; g < 2; ++g) {
        if (!drawing[g]) continue;
        // The colour is read afresh for each plot: it is the button's at the moment of drawing.
        groups_[g]->plots->PlotSignal(signal, button->BackColor());
        groups_[g]->plots->PlotSpectrum(signal, button->BackColor());
    }
}

StageSettings Quorvane::ReadStage(int position) const {
    const StageId id = kCandidateOrder[position];
    switch (id.kind) {
        case StageKind::Filter:
            return SettingsOf(id, filters_[id.index]->PanelState());
        case StageKind::Mixer:
            return SettingsOf(id, mixers_[id.index]->PanelState());
        case StageKind::Amplifier:
            break;
    }
    return SettingsOf(id, amplifiers_[id.index]->PanelState());
}

ChainSnapshot Quorvane::ReadChain() const {
    ChainSnapshot snapshot;
    for (int k = 0; k < 3; ++k)
        snapshot.oscillators[k] = OscillatorOf(oscillators_[k]->PanelState());
    snapshot.noise = NoiseSettingsOf(noise_->PanelState());

    for (int slot = 0; slot < kSlotCount; ++slot) {
        snapshot.chainSlots[slot].switchedIn = switches_[slot]->checkState() == Qt::Checked;
    }
    // Each panel joins the slot its Left names, in candidate order; parked panels join none.
    for (int position = 0; position < kStageCandidates; ++position) {
        const int left = Candidate(position)->Left();
        if (SlotAtLeft(left) >= 0) JoinSlotAtLeft(snapshot, left, ReadStage(position));
    }
    return snapshot;
}

// The FFT reports a refused length through a plain function; it goes to the newest window.
namespace {

std::vector<Quorvane*>& RefusalWindows() {
    static std::vector<Quorvane*> windows;
    return windows;
}

nrFFT::RefusalReporter& ReporterBefore() {
    static nrFFT::RefusalReporter before = nullptr;
    return before;
}

void ReportRefusal(const char* message) {
    const QString text = QString::fromUtf8(message);
    if (!RefusalWindows().empty()) {
        RefusalWindows().back()->ShowRefusal(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quorvane"), text, QMessageBox::Ok);
    box.exec();
}

}  // namespace

void Quorvane::InstallRefusalBox() {
    if (RefusalWindows().empty()) ReporterBefore() = nrFFT::SetRefusalReporter(&ReportRefusal);
    RefusalWindows().push_back(this);
}

void Quorvane::RemoveRefusalBox() {
    auto& windows = RefusalWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    if (windows.empty()) nrFFT::SetRefusalReporter(ReporterBefore());
}

void Quorvane::ShowRefusal(const QString& message) {
    // The box runs the event loop: hold the timer so that it does not pile up ticks meanwhile.
    const bool wasRunning = timer1_->isActive();
    timer1_->stop();
    QMessageBox box(QMessageBox::NoIcon, windowTitle(), message, QMessageBox::Ok, this);
    box.exec();
    if (wasRunning) timer1_->start();
}

}  // namespace quorvane
