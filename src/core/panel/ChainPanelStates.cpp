#include "panel/ChainPanelStates.h"

#include <string>

#include "panel/NumberText.h"

namespace quorvane {

namespace {

// The rule of a kHz/MHz box on a text, typed or written.
void ReadFrequency(FrequencyBox& box, std::string_view text,
                   BoxFrequency (*read)(std::string_view)) {
    box.shown.text = std::string(text);
    const BoxFrequency f = read(text);
    box.mhz = f.mhz;
    box.kiloHertz = f.kiloHertz;
}

void WriteFrequency(FrequencyBox& box, double shownNumber, BoxFrequency (*read)(std::string_view)) {
    ++box.shown.writes;
    ReadFrequency(box, FormatGeneral(shownNumber), read);
}

}  // namespace

GainRowsState::GainRowsState(const GainRowsStart& start)
    : nf_(start.nf), gain_(start.gain), ip3_(start.ip3), hasIntercept_(start.hasIntercept) {}

bool GainRowsState::Has(StageBox box) const {
    return box == StageBox::Noise || box == StageBox::Gain ||
           (box == StageBox::Intercept && hasIntercept_);
}

ShownText& GainRowsState::Text(StageBox box) {
    if (box == StageBox::Noise) return noise_;
    if (box == StageBox::Gain) return gainText_;
    return intercept_;
}

const ShownText& GainRowsState::Shown(StageBox box) const {
    return const_cast<GainRowsState*>(this)->Text(box);
}

void GainRowsState::Type(StageBox box, std::string_view text) {
    Text(box).text = std::string(text);
    Store(box, ReadBoxValue(box, text));
}

void GainRowsState::Store(StageBox box, double value) {
    if (box == StageBox::Noise) nf_ = value;
    if (box == StageBox::Gain) gain_ = value;
    if (box == StageBox::Intercept) ip3_ = value;
}

double GainRowsState::Value(StageBox box) const {
    if (box == StageBox::Noise) return nf_;
    if (box == StageBox::Gain) return gain_;
    return ip3_;
}

void GainRowsState::Show() {
    const auto write = [this](StageBox box, const std::string& text) {
        ++Text(box).writes;
        Type(box, text);
    };
    write(StageBox::Noise, FormatGeneral(nf_));
    write(StageBox::Gain, FormatGeneral(gain_));
    if (hasIntercept_) write(StageBox::Intercept, InterceptText(ip3_));
}

bool ChainPanelState::Type(StageBox box, std::string_view text) {
    if (!Has(box)) return false;
    if (rows_.Has(box)) {
        rows_.Type(box, text);
    } else {
        TypeMore(box, text);
    }
    return true;
}

bool ChainPanelState::Type(std::string_view boxName, std::string_view text) {
    const std::optional<StageBox> box = StageBoxNamed(boxName);
    return box && Type(*box, text);
}

bool ChainPanelState::Write(StageBox box, double value) {
    if (!Has(box)) return false;
    if (FrequencyBox* more = More(box)) {
        more->mhz = value;
    } else {
        rows_.Store(box, value);
    }
    UpdateDisplay();
    return true;
}

double ChainPanelState::Value(StageBox box) const {
    if (const FrequencyBox* more = More(box)) return more->mhz;
    return rows_.Value(box);
}

const ShownText& ChainPanelState::Shown(StageBox box) const {
    if (const FrequencyBox* more = More(box)) return more->shown;
    return rows_.Shown(box);
}

std::string_view ChainPanelState::Unit(StageBox box) const {
    if (const FrequencyBox* more = More(box)) return more->Unit();
    return box == StageBox::Intercept ? kDecibelsMilliwatt : kDecibels;
}

void ChainPanelState::UpdateDisplay() {
    rows_.Show();
    ShowMore();
}

AmplifierPanelState::AmplifierPanelState() : ChainPanelState({.nf = 3.0, .gain = 10.0}) {
    UpdateDisplay();
}

MixerPanelState::MixerPanelState() : ChainPanelState({.nf = 3.0, .gain = 10.0}) {
    lo_.mhz = 6.0;
    UpdateDisplay();
}

bool MixerPanelState::Has(StageBox box) const {
    return box == StageBox::LoFrequency || ChainPanelState::Has(box);
}

void MixerPanelState::SetSwitching(bool on) {
    switching_ = on;
    UpdateDisplay();
}

void MixerPanelState::CheckSwitching(bool checked) {
    checked_ = checked;
    switching_ = checked;
}

void MixerPanelState::TypeMore(StageBox box, std::string_view text) {
    if (box == StageBox::LoFrequency) ReadFrequency(lo_, text, &ReadLoFrequency);
}

FrequencyBox* MixerPanelState::More(StageBox box) {
    return box == StageBox::LoFrequency ? &lo_ : nullptr;
}

// Below 1 MHz the box shows kHz. The write runs the box's rule, which sets the LO anew from the
// shown text, so the value is read back before the second test: one that does not come back
// below 1 MHz (0.03 is written as 30, which reads as 30 MHz) is shown again in MHz. The unit is
// left as the rule set it, so it always agrees with the value read back.
void MixerPanelState::ShowMore() {
    if (lo_.mhz < 1.0) WriteFrequency(lo_, lo_.mhz * 1000.0, &ReadLoFrequency);
    const double readBack = lo_.mhz;
    if (!(readBack < 1.0)) WriteFrequency(lo_, readBack, &ReadLoFrequency);
    CheckSwitching(switching_);
}

FilterPanelState::FilterPanelState()
    : ChainPanelState({.nf = 3.0, .gain = -3.0, .hasIntercept = false}) {
    centre_.mhz = 5.0;
    range_.mhz = 2.0;
    UpdateDisplay();
}

bool FilterPanelState::Has(StageBox box) const {
    return box == StageBox::Centre || box == StageBox::Bandwidth || ChainPanelState::Has(box);
}

void FilterPanelState::TypeMore(StageBox box, std::string_view text) {
    if (box == StageBox::Centre) ReadFrequency(centre_, text, &ReadBandFrequency);
    if (box == StageBox::Bandwidth) ReadFrequency(range_, text, &ReadBandFrequency);
}

FrequencyBox* FilterPanelState::More(StageBox box) {
    if (box == StageBox::Centre) return &centre_;
    if (box == StageBox::Bandwidth) return &range_;
    return nullptr;
}

namespace {

// A pass-band frequency is shown in MHz from 1 MHz up, in kHz below. The write runs the box's
// rule, so the value is read back before the second test, and the unit is left as the rule set
// it: a written 0.03 MHz shows as 30, which reads as 30 MHz, and is then shown in MHz.
void ShowBandFrequency(FrequencyBox& box) {
    if (box.mhz >= 1.0) WriteFrequency(box, box.mhz, &ReadBandFrequency);
    const double readBack = box.mhz;
    if (!(readBack >= 1.0)) WriteFrequency(box, readBack * 1000.0, &ReadBandFrequency);
}

}  // namespace

void FilterPanelState::ShowMore() {
    ShowBandFrequency(centre_);
    ShowBandFrequency(range_);
}

}  // namespace quorvane
