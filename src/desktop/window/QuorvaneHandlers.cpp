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
    for (int position = 0; position < kStageCandidates; ++position) {
        Candidate(position)->SetLeft(kParkedLeft);
    }
    for (QCheckBox* box : switches_)
        box->setVisible(true);

    const Arrangement& arrangement =
        ArrangementFor(ArchitectureFromText(cmbMode_->currentText().toStdString()));
    for (int slot = 0; slot < arrangement.filledSlots; ++slot) {
        const SlotAssignment& a = arrangement.assignments[slot];
        switches_[slot]->setText(
            QString::fromUtf8(a.caption.data(), static_cast<int>(a.caption.size())));
        Candidate(CandidatePosition(a.stage))->SetLeft(SlotLeft(slot));
    }
    for (int slot = arrangement.filledSlots; slot < kSlotCount; ++slot) {
        switches_[slot]->setVisible(false);
    }
    ShowRunningStages();
    DescribeChain();
}

// What the screen shows is what runs: each slot's panel is shown as a click on the slot's switch
// would show it, and a parked panel, which never runs, is hidden. Without this a panel moving
// into a ticked slot ran unseen, and a parked panel could stay shown over the source panels.
void Quorvane::ShowRunningStages() {
    for (int position = 0; position < kStageCandidates; ++position) {
        StagePanel* panel = Candidate(position);
        const int slot = SlotAtLeft(panel->Left());
        panel->setVisible(slot >= 0 && switches_[slot]->checkState() != Qt::Unchecked);
    }
}

void Quorvane::Check1_Click(int Index) {
    if (Index < 0 || Index >= kSlotCount) return;
    const int x = SlotLeft(Index);
    const bool show = switches_[Index]->checkState() != Qt::Unchecked;
    for (int position = 0; position < kStageCandidates; ++position) {
        StagePanel* panel = Candidate(position);
        if (panel->Left() == x) panel->setVisible(show);
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
    const Selection selection = ClickTestPoint(ReadButtonColours(), Index);
    const ButtonColours colours = SelectionColours(selection);
    for (int n = 1; n <= layout::kTestPointCount; ++n) {
        testPoints_[n - 1]->SetBackColor(colours[n - 1]);
    }

    const std::array<int, 2> shown = {selection.first, selection.second};
    for (int g = 0; g < 2; ++g) {
        const int n = shown[g];
        const LeaderLine leader = LeaderLineFor(g, n, n > 0 ? colours[n - 1] : 0);
        LineControl* line = groups_[g]->lneToG;
        if (leader.visible) {
            line->SetEnds(leader.x1, leader.y1, leader.x2, leader.y2);
            line->SetBorderWidth(leader.width);
            line->SetBorderColor(leader.colour);
        }
        line->SetVisible(leader.visible);
        if (n == 0) groups_[g]->plots->Clear();
    }
    DescribeSelection(selection);
}

}  // namespace quorvane
