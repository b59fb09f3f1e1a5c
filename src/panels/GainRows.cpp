#include "panels/GainRows.h"

#include <QWidget>

#include "panels/NumberText.h"
#include "panels/ParameterRow.h"
#include "panels/StageTexts.h"

namespace quorvane {

namespace {

constexpr int kRowPitch = 480;

std::string Utf8(const QString& text) {
    return text.toStdString();
}

ParameterRowLayout NoiseLayout(int top, const QStringList& items) {
    return {0,
            "NF",
            {120, top, 495, 375},
            "cmbNoise",
            {600, top, 735, 420},
            items,
            1,
            "dB",
            {1320, top + 60, 495, 375},
            "Noise figure in dB: how much noise this stage adds, as the drop in signal-to-noise "
            "ratio from its input to its output. 0 dB adds none."};
}

ParameterRowLayout GainLayout(int top, const QStringList& items) {
    return {2,
            "G",
            {240, top, 375, 375},
            "cmbGain",
            {600, top, 735, 420},
            items,
            3,
            "dB",
            {1320, top + 60, 495, 375},
            "Power gain in dB: 10 dB makes the signal ten times stronger in power; a negative "
            "value is a loss."};
}

ParameterRowLayout InterceptLayout(int top, const QStringList& items) {
    return {4,
            "IP3",
            {120, top, 495, 375},
            "cmbIP3",
            {600, top, 735, 420},
            items,
            5,
            "dBm",
            {1320, top + 60, 495, 375},
            "Third-order intercept point in dBm: the lower it is, the sooner strong signals are "
            "distorted and produce intermodulation products. \"Inf\" (60 dBm) is practically "
            "distortion-free.",
            &ReadIntercept};
}

}  // namespace

GainRows::GainRows(QWidget* panel, const GainRowsLists& lists) : QObject(panel) {
    noise_ =
        new ParameterRow(panel, NoiseLayout(lists.top, lists.noiseItems),
                         [this](const QString& text) { nf_ = ParseLeadingNumber(Utf8(text)); });
    gainRow_ =
        new ParameterRow(panel, GainLayout(lists.top + kRowPitch, lists.gainItems),
                         [this](const QString& text) { gain_ = ParseLeadingNumber(Utf8(text)); });
    if (!lists.interceptItems.isEmpty())
        intercept_ = new ParameterRow(
            panel, InterceptLayout(lists.top + 2 * kRowPitch, lists.interceptItems),
            [this](const QString& text) { ip3_ = ReadIntercept(Utf8(text)); });
}

void GainRows::Initialise(const QString& noise, const QString& gain, const QString& intercept) {
    noise_->Write(noise);
    gainRow_->Write(gain);
    if (intercept_) intercept_->Write(intercept);
}

void GainRows::Show() {
    noise_->Write(QString::fromStdString(FormatGeneral(nf_)));
    gainRow_->Write(QString::fromStdString(FormatGeneral(gain_)));
    if (intercept_) intercept_->Write(QString::fromStdString(InterceptText(ip3_)));
}

QComboBox* GainRows::NoiseBox() const {
    return noise_->Box();
}
QComboBox* GainRows::GainBox() const {
    return gainRow_->Box();
}
QComboBox* GainRows::InterceptBox() const {
    return intercept_ ? intercept_->Box() : nullptr;
}

}  // namespace quorvane
