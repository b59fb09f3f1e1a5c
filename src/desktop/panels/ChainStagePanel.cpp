#include "panels/ChainStagePanel.h"

#include "panels/ParameterRow.h"

namespace quorvane {

ChainStagePanel::ChainStagePanel(std::unique_ptr<ChainPanelState> state, const PanelFrame& frame,
                                 const GainRowsPlaces& rows, QWidget* parent)
    : StagePanel(frame, parent), state_(std::move(state)) {
    AddRow(rows.noise);
    AddRow(rows.gain);
    if (rows.intercept) AddRow(*rows.intercept);
}

ChainStagePanel::~ChainStagePanel() = default;

void ChainStagePanel::AddRow(const ParameterRowPlace& place) {
    const StageBox box = place.box;
    rows_ << new ParameterRow(this, place, [this, box](const std::string& text) {
        state_->Type(box, text);
        ShowState();
    });
}

double ChainStagePanel::Gain() const {
    return state_->Gain();
}

void ChainStagePanel::SetGain(double dB) {
    state_->SetGain(dB);
    ShowState();
}

double ChainStagePanel::NF() const {
    return state_->NF();
}

void ChainStagePanel::SetNF(double dB) {
    state_->SetNF(dB);
    ShowState();
}

void ChainStagePanel::SetTitle(const std::string& title) {
    StagePanel::SetTitle(title);
    for (ParameterRow* row : rows_)
        row->SetName(QString::fromStdString(PartName(title, row->Place().part)));
}

void ChainStagePanel::ShowWholeState() {
    showAgain_ = true;
    ShowState();
    showAgain_ = false;
}

void ChainStagePanel::ShowState() {
    for (ParameterRow* row : rows_) {
        const StageBox box = row->Place().box;
        if (showAgain_)
            row->ShowAgain(state_->Shown(box), state_->Unit(box));
        else
            row->Show(state_->Shown(box), state_->Unit(box));
    }
}

}  // namespace quorvane
