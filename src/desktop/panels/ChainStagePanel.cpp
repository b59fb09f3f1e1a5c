#include "panels/ChainStagePanel.h"

#include "panels/PanelKit.h"

namespace quorvane {

ChainStagePanel::ChainStagePanel(int widthTwips, int heightTwips, const GainRowsLists& rows,
                                 QWidget* parent)
    : StagePanel(widthTwips, heightTwips, parent), rows_(new GainRows(this, rows)) {}

double ChainStagePanel::Gain() const {
    return rows_->Gain();
}

void ChainStagePanel::SetGain(double dB) {
    rows_->SetGain(dB);
    UpdateDisplay();
}

double ChainStagePanel::NF() const {
    return rows_->NF();
}

void ChainStagePanel::SetNF(double dB) {
    rows_->SetNF(dB);
    UpdateDisplay();
}

void ChainStagePanel::SetTitle(const std::string& title) {
    StagePanel::SetTitle(title);
    rows_->Name(title);
}

void ChainStagePanel::UpdateDisplay() {
    rows_->Show();
}

void ChainStagePanel::paintEvent(QPaintEvent*) {
    PaintSymbol(*this);
}

}  // namespace quorvane
