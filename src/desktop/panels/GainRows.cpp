#include "panels/GainRows.h"

#include <QWidget>

#include "panel/NumberText.h"
#include "panel/StageTexts.h"
#include "panels/ParameterRow.h"
#include "texts/ControlNames.h"

namespace quorvane {

namespace {

constexpr int kRowPitch = 480;

std::string Utf8(const QString& text) {
    return text.toStdString();
}

ParameterRowLayout NoiseLayout(int top, const QStringList& items) {
    return {.symbolIndex = 0,
            .symbol = "NF",
            .symbolBox = {120, top, 495, 375},
            .boxName = "cmbNoise",
            .box = {600, top, 735, 420},
            .items = items,
            .unitIndex = 1,
            .unit = "dB",
            .unitBox = {1320, top + 60, 495, 375},
            .tip = BoxKind::NoiseFigure};
}

ParameterRowLayout GainLayout(int top, const QStringList& items) {
    return {.symbolIndex = 2,
            .symbol = "G",
            .symbolBox = {240, top, 375, 375},
            .boxName = "cmbGain",
            .box = {600, top, 735, 420},
            .items = items,
            .unitIndex = 3,
            .unit = "dB",
            .unitBox = {1320, top + 60, 495, 375},
            .tip = BoxKind::Gain};
}

ParameterRowLayout InterceptLayout(int top, const QStringList& items) {
    return {.symbolIndex = 4,
            .symbol = "IP3",
            .symbolBox = {120, top, 495, 375},
            .boxName = "cmbIP3",
            .box = {600, top, 735, 420},
            .items = items,
            .unitIndex = 5,
            .unit = "dBm",
            .unitBox = {1320, top + 60, 495, 375},
            .tip = BoxKind::Intercept,
            .read = &ReadIntercept};
}

}  // namespace

GainRows::GainRows(QWidget* panel, const GainRowsLists& lists)
    : QObject(panel), nf_(lists.startNF), gain_(lists.startGain), ip3_(lists.startIP3) {
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
