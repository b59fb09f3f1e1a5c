#include "panels/GainRows.h"

#include <QWidget>

#include "access/ControlNames.h"
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
    return {0, "NF", {120, top, 495, 375},       "cmbNoise",          {600, top, 735, 420}, items,
            1, "dB", {1320, top + 60, 495, 375}, BoxKind::NoiseFigure};
}

ParameterRowLayout GainLayout(int top, const QStringList& items) {
    return {2, "G",  {240, top, 375, 375},       "cmbGain",    {600, top, 735, 420}, items,
            3, "dB", {1320, top + 60, 495, 375}, BoxKind::Gain};
}

ParameterRowLayout InterceptLayout(int top, const QStringList& items) {
    return {4, "IP3", {120, top, 495, 375},       "cmbIP3",           {600, top, 735, 420}, items,
            5, "dBm", {1320, top + 60, 495, 375}, BoxKind::Intercept, &ReadIntercept};
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

void GainRows::Name(const std::string& title) {
    noise_->SetName(QString::fromStdString(PartName(title, ControlPart::NoiseFigure)));
    gainRow_->SetName(QString::fromStdString(PartName(title, ControlPart::Gain)));
    if (intercept_)
        intercept_->SetName(QString::fromStdString(PartName(title, ControlPart::Intercept)));
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
