#pragma once

#include <QList>
#include <memory>

#include "panel/ChainPanelStates.h"
#include "panels/StagePanel.h"

namespace quorvane {

class ParameterRow;

// Base of the chain stages' panels, a view of their state: amplifier, mixer and filter all
// show their noise figure and gain (amplifier and mixer their intercept too) in the same rows.
// What the user types or picks goes to the state, and every row shows what the state says.
class ChainStagePanel : public StagePanel {
    Q_OBJECT
    Q_PROPERTY(double Gain READ Gain WRITE SetGain)
    Q_PROPERTY(double NF READ NF WRITE SetNF)

  public:
    double Gain() const;  // dB
    void SetGain(double dB);
    double NF() const;  // dB
    void SetNF(double dB);

    void SetTitle(const std::string& title) override;

    // Shows everything as the state has it after the state was changed directly (a setup
    // applied to it): every box is written again, and no control reports a change back.
    void ShowWholeState();

  protected:
    ChainStagePanel(std::unique_ptr<ChainPanelState> state, const PanelFrame& frame,
                    const GainRowsPlaces& rows, QWidget* parent = nullptr);
    ~ChainStagePanel() override;

    ChainPanelState& State() const { return *state_; }
    // Adds the view of one more of the state's boxes.
    void AddRow(const ParameterRowPlace& place);
    // Shows every box and unit as the state has them; panels with more controls show those too.
    virtual void ShowState();

  private:
    std::unique_ptr<ChainPanelState> state_;
    bool showAgain_ = false;
    QList<ParameterRow*> rows_;
};

}  // namespace quorvane
