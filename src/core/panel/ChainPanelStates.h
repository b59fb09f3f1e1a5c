#pragma once

#include <string_view>

#include "panel/PanelBoxes.h"
#include "panel/StageTexts.h"

namespace quorvane {

// The chain stages' panels' state and rules, apart from any widget. Each parameter lives in a
// field and is shown as the text of its box; the text is the source of the value. A text typed
// or picked runs the box's rule, which sets the field (and a kHz/MHz box's unit) and leaves the
// text as given. A property write stores the value and writes every field back into its box,
// each write running the box's rule, so the fields end as the values read back from what the
// panel shows.

// The noise-figure, gain and intercept rows that amplifier, mixer and filter share.
struct GainRowsStart {
    double nf;                        // dB
    double gain;                      // dB
    double ip3 = kInfiniteIntercept;  // dBm
    bool hasIntercept = true;         // the filter has no intercept row
};

class GainRowsState {
  public:
    explicit GainRowsState(const GainRowsStart& start);

    bool Has(StageBox box) const;
    double NF() const { return nf_; }
    double Gain() const { return gain_; }
    double IP3() const { return ip3_; }
    // Stores a field without showing it.
    void StoreNF(double dB) { nf_ = dB; }
    void StoreGain(double dB) { gain_ = dB; }
    void StoreIP3(double dBm) { ip3_ = dBm; }
    void Store(StageBox box, double value);
    double Value(StageBox box) const;

    // The box's rule on a typed or picked text; requires Has(box).
    void Type(StageBox box, std::string_view text);
    const ShownText& Shown(StageBox box) const;
    // Writes every field into its box: the general format, "Inf" for an intercept of 60.
    void Show();

  private:
    ShownText& Text(StageBox box);

    double nf_;
    double gain_;
    double ip3_;
    bool hasIntercept_;
    ShownText noise_, gainText_, intercept_;
};

// A box where a number above 40 is taken as kHz, with its unit label.
struct FrequencyBox {
    ShownText shown;
    double mhz = 0.0;
    bool kiloHertz = false;
    std::string_view Unit() const { return kiloHertz ? kKilohertz : kMegahertz; }
};

// What amplifier, mixer and filter have in common.
class ChainPanelState {
  public:
    virtual ~ChainPanelState() = default;

    double NF() const { return rows_.NF(); }  // dB
    void SetNF(double dB) { Write(StageBox::Noise, dB); }
    double Gain() const { return rows_.Gain(); }  // dB
    void SetGain(double dB) { Write(StageBox::Gain, dB); }

    virtual bool Has(StageBox box) const { return rows_.Has(box); }
    // A text typed into a box or picked from its list. False, changing nothing, for a box the
    // panel lacks; the second form takes the box's design name ("cmbGain").
    bool Type(StageBox box, std::string_view text);
    bool Type(std::string_view boxName, std::string_view text);
    // The property a box edits, written as the panel's API does (NF, Gain, IP3, LO_Freq,
    // CentreFreq, Bandwidth): the value is stored and every field shown again. False, changing
    // nothing, for a box the panel lacks.
    bool Write(StageBox box, double value);
    // What a box the panel has shows, the unit label beside it, and the field it sets.
    const ShownText& Shown(StageBox box) const;
    std::string_view Unit(StageBox box) const;
    double Value(StageBox box) const;

  protected:
    explicit ChainPanelState(const GainRowsStart& rows) : rows_(rows) {}
    ChainPanelState(const ChainPanelState&) = default;
    ChainPanelState& operator=(const ChainPanelState&) = default;

    // Writes every field back into its box, the rows first.
    void UpdateDisplay();
    // The boxes beyond the rows.
    virtual void TypeMore(StageBox, std::string_view) {}
    virtual FrequencyBox* More(StageBox) { return nullptr; }
    const FrequencyBox* More(StageBox box) const {
        return const_cast<ChainPanelState*>(this)->More(box);
    }
    virtual void ShowMore() {}

    GainRowsState rows_;
};

// One amplifier (AmplifierControl): gain, noise figure, intercept.
class AmplifierPanelState final : public ChainPanelState {
  public:
    // A new panel: 3 dB noise figure, 10 dB gain, intercept "Inf".
    AmplifierPanelState();

    double IP3() const { return rows_.IP3(); }  // dBm, 60 = "Inf"
    void SetIP3(double dBm) { Write(StageBox::Intercept, dBm); }
};

// One mixer with its local oscillator (MixerControl): the rows, the LO frequency box whose unit
// follows the typed number (above 40 is kHz, 40 itself MHz), and the switching check box.
class MixerPanelState final : public ChainPanelState {
  public:
    // A new panel: the amplifier's rows, a 6 MHz LO, multiplying.
    MixerPanelState();

    bool Has(StageBox box) const override;
    double IP3() const { return rows_.IP3(); }  // dBm
    void SetIP3(double dBm) { Write(StageBox::Intercept, dBm); }
    double LO_Freq() const { return lo_.mhz; }  // MHz
    // Written values below 1 MHz are shown in kHz; the value is what that text reads back as.
    void SetLO_Freq(double mhz) { Write(StageBox::LoFrequency, mhz); }
    bool Switching() const { return switching_; }
    void SetSwitching(bool on);

    // chkSwitching: its value, and its rule when the value changes.
    bool SwitchingChecked() const { return checked_; }
    void CheckSwitching(bool checked);

  private:
    void TypeMore(StageBox box, std::string_view text) override;
    FrequencyBox* More(StageBox box) override;
    void ShowMore() override;
    void WriteLo(double mhz);

    FrequencyBox lo_;
    bool switching_ = false;
    bool checked_ = false;
};

// One band-pass filter (FilterControl): noise figure and gain rows, and the pass band as a
// centre and a bandwidth, each in a box whose unit follows the value in MHz (kHz below 1 MHz).
class FilterPanelState final : public ChainPanelState {
  public:
    // A new panel: 3 dB noise figure, -3 dB gain, 5 MHz centre, 2 MHz bandwidth.
    FilterPanelState();

    bool Has(StageBox box) const override;
    double CentreFreq() const { return centre_.mhz; }  // MHz
    void SetCentreFreq(double mhz) { Write(StageBox::Centre, mhz); }
    double Bandwidth() const { return range_.mhz; }  // MHz
    void SetBandwidth(double mhz) { Write(StageBox::Bandwidth, mhz); }
    // The band's edges, derived from centre and bandwidth (writes to them are ignored).
    double MinFreq() const { return centre_.mhz - range_.mhz / 2.0; }
    double MaxFreq() const { return centre_.mhz + range_.mhz / 2.0; }

  private:
    void TypeMore(StageBox box, std::string_view text) override;
    FrequencyBox* More(StageBox box) override;
    void ShowMore() override;

    FrequencyBox centre_;
    FrequencyBox range_;
};

}  // namespace quorvane
