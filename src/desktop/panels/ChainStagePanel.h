#pragma once

#include "panels/GainRows.h"
#include "panels/StagePanel.h"

namespace quorvane {

// Base of the chain stages' panels. Amplifier, mixer and filter all keep their noise figure and
// gain (amplifier and mixer their intercept too) in the same rows, show every field again
// whenever one of them is written, and draw their symbol on an opaque background.
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

  protected:
    ChainStagePanel(int widthTwips, int heightTwips, const GainRowsLists& rows,
                    QWidget* parent = nullptr);

    GainRows& Rows() const { return *rows_; }

    // Writes every field back into its box, so each ends as the value read from its text.
    // Panels with more boxes show those after the rows.
    virtual void UpdateDisplay();

    void paintEvent(QPaintEvent* event) override;

  private:
    GainRows* rows_;
};

}  // namespace quorvane
