// The window's event handlers: start-up, architecture, bypass switches and test points.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "chain/Architecture.h"
#include "display/PlotGroup.h"
#include "panels/ColourButton.h"
#include "panels/LineControl.h"
#include "panels/StagePanel.h"
#include "panels/SteppingComboBox.h"
#include "window/PlotGroupControls.h"
#include "window/Quorvane.h"

namespace quorvane {

void Quorvane::Form_Load() {
    {
        // Filling the list is no change of the architecture text: the combo would otherwise
        // announce its first item as the text it shows.
        const QSignalBlocker quiet(cmbMode_);
        for (std::string_view item : kArchitectureItems) {
            cmbMode_->addItem(QString::fromUtf8(item.data(), static_cast<int>(item.size())));
        }
    }
    // Showing the start-up item changes the text, which runs cmbMode_Change.
    cmbMode_->setCurrentIndex(kStartupItem);
    cmbMode_->lineEdit()->home(false);
    ArrangeStages();
}

void Quorvane::cmbMode_Click() {
    cmbMode_Change();
}

void Quorvane::cmbMode_Change() {
    ArrangeStages();
}

void Quorvane::ArrangeStages() {
    const WindowArrangement arrangement =
        ArrangeWindow(ArchitectureFromText(cmbMode_->currentText().toStdString()));
    for (int position = 0; position < kStageCandidates; ++position) {
        Candidate(position)->SetLeft(kParkedLeft);
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string_view caption = arrangement.captions[slot];
        if (!caption.empty())
            switches_[slot]->setText(
                QString::fromUtf8(caption.data(), static_cast<int>(caption.size())));
    }
    for (int position = 0; position < kStageCandidates; ++position) {
        if (arrangement.lefts[position] != kParkedLeft)
            Candidate(position)->SetLeft(arrangement.lefts[position]);
    }
    for (int slot = 0; slot < kSlotCount; ++slot)
        switches_[slot]->setVisible(arrangement.switchShown[slot]);
    ShowRunningStages();
    DescribeChain();
}

std::array<bool, kSlotCount> Quorvane::SwitchesShowing() const {
    std::array<bool, kSlotCount> shows{};
    for (int slot = 0; slot < kSlotCount; ++slot)
        shows[slot] = switches_[slot]->checkState() != Qt::Unchecked;
    return shows;
}

// What the screen shows is what runs: each slot's panel is shown as a click on the slot's switch
// would show it, and a parked panel, which never runs, is hidden. Without this a panel moving
// into a ticked slot ran unseen, and a parked panel could stay shown over the source panels.
void Quorvane::ShowRunningStages() {
    const std::array<bool, kSlotCount> shows = SwitchesShowing();
    for (int position = 0; position < kStageCandidates; ++position) {
        StagePanel* panel = Candidate(position);
        panel->setVisible(PanelShown(panel->Left(), shows));
    }
}

void Quorvane::Check1_Click(int Index) {
    if (Index < 0 || Index >= kSlotCount) return;
    const std::array<bool, kSlotCount> shows = SwitchesShowing();
    for (int position = 0; position < kStageCandidates; ++position) {
        StagePanel* panel = Candidate(position);
        if (SlotAtLeft(panel->Left()) == Index) panel->setVisible(PanelShown(panel->Left(), shows));
    }
}

ButtonColours Quorvane::ReadButtonColours() const {
    ButtonColours colours{};
    for (int n = 1; n <= layout::kTestPointCount; ++n) {
        colours[n - 1] = testPoints_[n - 1]->BackColor();
    }
    return colours;
}

void Quorvane::cmdGraph_Click(int Index) {
    if (Index < 1 || Index > layout::kTestPointCount) return;
    const TestPointClick click = ClickOutcome(ReadButtonColours(), Index);
    for (int n = 1; n <= layout::kTestPointCount; ++n) {
        testPoints_[n - 1]->SetBackColor(click.colours[n - 1]);
    }
    for (int g = 0; g < 2; ++g) {
        const LeaderLine& leader = click.leaders[g];
        LineControl* line = groups_[g]->lneToG;
        if (leader.visible) {
            line->SetEnds(leader.x1, leader.y1, leader.x2, leader.y2);
            line->SetBorderWidth(leader.width);
            line->SetBorderColor(leader.colour);
        }
        line->SetVisible(leader.visible);
        if (click.cleared[g]) groups_[g]->plots->Clear();
    }
    DescribeSelection(click.selection);
}

}  // namespace quorvane
