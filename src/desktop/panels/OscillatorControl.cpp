#include "panels/OscillatorControl.h"

#include <QLabel>
#include <QLineEdit>
#include <array>
#include <cmath>
#include <optional>

#include "panel/NumberText.h"
#include "panels/ColourButton.h"
#include "panels/PanelKit.h"
#include "panels/ReadingScrollBar.h"
#include "texts/ControlNames.h"
#include "texts/ToolTips.h"
#include "ui/Twips.h"

namespace quorvane {

namespace {

constexpr int kLayoutWidth = 1860;
constexpr int kLayoutHeight = 1455;

constexpr int kScaleTop = -10;    // +10 dBnW
constexpr int kScaleBottom = 51;  // "Off"
constexpr int kScaleStart = 30;   // -30 dBnW

constexpr std::uint32_t kWorkingColour = 0x0000C0;
constexpr std::uint32_t kInvertColour = 0x000080;

constexpr std::array<SymbolLine, 4> kLines{{
    {"lneIcon(0)", 720, 1200, 840, 1080, 2},  // wave mark
    {"lneIcon(1)", 840, 1080, 960, 1200, 2},
    {"lneIcon(2)", 1080, 1080, 960, 1200, 2},
    {"Line3", 1140, 1140, 1920, 1140, 3},  // output line
}};
constexpr std::array<SymbolOutline, 1> kOutlines{{
    {"Shape1", ShapeControl::Kind::Circle, {480, 900, 855, 495}, 3},
}};

// Rounds to the nearest integer with halves going to the even neighbour.
double RoundHalfEven(double x) {
    if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
    return std::round(x);
}

// The scale position that shows a power in dBnW, if there is one.
std::optional<int> ScalePositionFor(double dBnW) {
    if (!std::isfinite(dBnW)) return std::nullopt;
    const double position = RoundHalfEven(-dBnW);
    if (position < kScaleTop || position > kScaleBottom) return std::nullopt;
    return static_cast<int>(position);
}

}  // namespace

OscillatorControl::OscillatorControl(QWidget* parent)
    : StagePanel(kLayoutWidth, kLayoutHeight, parent) {
    AddSymbol(this, kLines, kOutlines);
    BuildControls();
    vscPower_->setRange(kScaleTop, kScaleBottom);
    vscPower_->setValue(kScaleStart);  // its change runs UpdateDisplay, still off
    working_ = 0;
    invert_ = 0;
    UpdateDisplay();
}

void OscillatorControl::BuildControls() {
    cmdInvert_ = new ColourButton(this);
    PlaceControl(cmdInvert_, "cmdInvert", {60, 180, 255, 255}, kBoxPoints);
    cmdInvert_->setToolTip(QString::fromStdString(ToolTip(Tip::ToneInverted)));

    text1_ = new QLineEdit(this);
    PlaceControl(text1_, "Text1", {360, 90, 735, 420}, kBoxPoints);
    text1Rule_ = new TextRule(text1_, [this](const QString& text) {
        frequency_ = ParseLeadingNumber(text.toStdString());
    });
    FollowReadingToolTip(text1_, text1_, BoxKind::ToneFrequency);

    MakeLabel(this, "txtFreq", "MHz", {360, 120, 1335, 255}, kBoxPoints, Qt::AlignRight);
    txtPower_ =
        MakeLabel(this, "txtPower", "XX.X dB", {180, 600, 1215, 255}, kBoxPoints, Qt::AlignRight);
    txtPower_->setToolTip(QString::fromStdString(ToolTip(Tip::TonePowerText)));

    vscPower_ = new ReadingScrollBar(Qt::Vertical, this);
    PlaceControl(vscPower_, "vscPower", {1560, 480, 255, 495}, kBoxPoints);
    vscPower_->setSingleStep(1);
    vscPower_->setPageStep(1);
    vscPower_->setFocusPolicy(Qt::StrongFocus);
    vscPower_->setToolTip(QString::fromStdString(ToolTip(Tip::TonePowerScale)));
    vscPower_->SetValueText([this](int position) {
        return QString::fromStdString(PowerScaleText(position, vscPower_->maximum()));
    });
    txtPower_->setBuddy(vscPower_);
    connect(vscPower_, &QScrollBar::valueChanged, this, [this] { UpdateDisplay(); });

    cmdWorking_ = new ColourButton(this);
    PlaceControl(cmdWorking_, "cmdWorking", {240, 960, 255, 255}, kBoxPoints);
    cmdWorking_->setToolTip(QString::fromStdString(ToolTip(Tip::ToneOn)));

    connect(cmdWorking_, &ColourButton::clicked, this, [this] { ToggleWorking(); });
    connect(cmdInvert_, &ColourButton::clicked, this, [this] { ToggleInvert(); });

    ApplyFocusOrder();
}

void OscillatorControl::SetTitle(const std::string& title) {
    StagePanel::SetTitle(title);
    const auto name = [&title](ControlPart part) {
        return QString::fromStdString(PartName(title, part));
    };
    text1_->setAccessibleName(name(ControlPart::Frequency));
    vscPower_->setAccessibleName(name(ControlPart::Power));
    cmdWorking_->setAccessibleName(name(ControlPart::On));
    cmdInvert_->setAccessibleName(name(ControlPart::Inverted));
}

QList<QWidget*> OscillatorControl::FocusOrder() const {
    return {cmdInvert_, text1_, vscPower_, cmdWorking_};
}

double OscillatorControl::Frequency() const {
    return frequency_;
}

void OscillatorControl::SetFrequency(double mhz) {
    frequency_ = mhz;
    UpdateDisplay();
}

double OscillatorControl::Power() const {
    return power_;
}

bool OscillatorControl::SetPower(double dBnW) {
    const std::optional<int> position = ScalePositionFor(dBnW);
    if (!position) return false;
    power_ = dBnW;
    vscPower_->setValue(*position);
    UpdateDisplay();
    return true;
}

void OscillatorControl::SetPowerProperty(double dBnW) {
    (void)SetPower(dBnW);
}

short OscillatorControl::Working() const {
    return working_;
}

void OscillatorControl::SetWorking(short value) {
    working_ = value;
    ShowWorkingColour();
    UpdateDisplay();
}

short OscillatorControl::Invert() const {
    return invert_;
}

void OscillatorControl::SetInvert(short value) {
    invert_ = value;
    ShowInvertColour();
}

void OscillatorControl::ToggleWorking() {
    working_ = ToggledFlag(working_);
    ShowWorkingColour();
    UpdateDisplay();
}

void OscillatorControl::ToggleInvert() {
    invert_ = ToggledFlag(invert_);
    ShowInvertColour();
}

void OscillatorControl::ShowWorkingColour() {
    cmdWorking_->SetBackColor(working_ == 1 ? kWorkingColour : kButtonFace);
}

void OscillatorControl::ShowInvertColour() {
    cmdInvert_->SetBackColor(invert_ == 1 ? kInvertColour : kButtonFace);
}

void OscillatorControl::UpdateDisplay() {
    text1Rule_->Write(QString::fromStdString(FormatGeneral(frequency_)));
    const int position = vscPower_->value();
    if (position == vscPower_->maximum() || working_ == 0) {
        power_ = kSourceOff;
        txtPower_->setText("Off");
    } else {
        power_ = -position;
        txtPower_->setText(QString::fromStdString(PowerScaleText(position, vscPower_->maximum())));
    }
}

void OscillatorControl::paintEvent(QPaintEvent*) {
    PaintSymbol(*this);
}

}  // namespace quorvane
