#pragma once

#include <QObject>
#include <QStringList>
#include <string>

#include "panel/StageTexts.h"

class QComboBox;
class QWidget;

namespace quorvane {

class ParameterRow;

// Where the noise-figure, gain and intercept rows of a chain stage start, which lists they
// offer and the values a new panel shows. An empty intercept list leaves the intercept row out.
struct GainRowsLists {
    int top;  // twips; the rows follow each other 480 twips apart
    QStringList noiseItems;
    QStringList gainItems;
    QStringList interceptItems;
    double startNF;                        // dB
    double startGain;                      // dB
    double startIP3 = kInfiniteIntercept;  // dBm
};

// The noise figure (cmbNoise), gain (cmbGain) and third-order intercept (cmbIP3) of a chain
// stage, with their fields. Amplifier, mixer and filter panels all show them alike.
class GainRows : public QObject {
    Q_OBJECT

  public:
    GainRows(QWidget* panel, const GainRowsLists& lists);

    // Writes every field back into its box, so each ends as the value read from its text.
    void Show();
    // Names the boxes for screen readers after the stage's title: "LNA gain".
    void Name(const std::string& title);

    double NF() const { return nf_; }
    void SetNF(double dB) { nf_ = dB; }
    double Gain() const { return gain_; }
    void SetGain(double dB) { gain_ = dB; }
    double IP3() const { return ip3_; }
    void SetIP3(double dBm) { ip3_ = dBm; }

    QComboBox* NoiseBox() const;
    QComboBox* GainBox() const;
    QComboBox* InterceptBox() const;  // null without an intercept row

  private:
    double nf_ = 0.0;
    double gain_ = 0.0;
    double ip3_ = 0.0;
    ParameterRow* noise_;
    ParameterRow* gainRow_;
    ParameterRow* intercept_ = nullptr;
};

}  // namespace quorvane
