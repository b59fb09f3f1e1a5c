#include "panels/NoiseControl.h"

#include <QEvent>
#include <QLineEdit>
#include <array>

#include "engine/ChainSnapshot.h"
#include "panel/NumberText.h"
#include "panels/ColourButton.h"
#include "panels/PanelKit.h"
#include "texts/ControlNames.h"
#include "texts/ToolTips.h"
#include "ui/Twips.h"

namespace quorvane {

namespace {

constexpr int kLayoutWidth = 1860;
constexpr int kLayoutHeight = 1140;

constexpr std::uint32_t kWorkingColour = 0x0040C0;

constexpr std::array<SymbolLine, 1> kLines{{{"Line3", 1140, 780, 1920, 780, 3}}};  // output line
constexpr std::array<SymbolOutline, 1> kOutlines{{
    {"Shape1", ShapeControl::Kind::Circle, {480, 540, 855, 495}, 3},
}};

}  // namespace

NoiseControl::NoiseControl(QWidget* parent) : StagePanel(kLayoutWidth, kLayoutHeight, parent) {
    AddSymbol(this, kLines, kOutlines);
    BuildControls();
    temperature_ = kReferenceKelvin;
    UpdateDisplay();
}

void NoiseControl::BuildControls() {
    text1_ = new QLineEdit("290", this);
    PlaceControl(text1_, "Text1", {600, 60, 855, 420}, kBoxPoints);
    FollowReadingToolTip(text1_, text1_, BoxKind::NoiseTemperature);
    text1Rule_ = new TextRule(text1_, [this](const QString& text) {
        temperature_ = ParseLeadingNumber(text.toStdString());
    });
    // A click in the box reads its text again.
    text1_->installEventFilter(this);

    MakeLabel(this, "txtNoise", "K", {360, 120, 1335, 255}, kBoxPoints, Qt::AlignRight);

    cmdWorking_ = new ColourButton(this);
    PlaceControl(cmdWorking_, "cmdWorking", {240, 600, 255, 255}, kBoxPoints);
    cmdWorking_->setToolTip(QString::fromStdString(ToolTip(Tip::NoiseOn)));
    connect(cmdWorking_, &ColourButton::clicked, this, [this] { ToggleWorking(); });

    MakeLabel(this, "Label1", "N", {780, 600, 255, 375}, kSymbolPoints);

    ApplyFocusOrder();
}

void NoiseControl::SetTitle(const std::string& title) {
    StagePanel::SetTitle(title);
    text1_->setAccessibleName(QString::fromStdString(PartName(title, ControlPart::Temperature)));
    cmdWorking_->setAccessibleName(QString::fromStdString(PartName(title, ControlPart::On)));
}

QList<QWidget*> NoiseControl::FocusOrder() const {
    return {text1_, cmdWorking_};
}

double NoiseControl::Temperature() const {
    return temperature_;
}

void NoiseControl::SetTemperature(double kelvin) {
    temperature_ = kelvin;
    UpdateDisplay();
}

short NoiseControl::Working() const {
    return working_;
}

void NoiseControl::SetWorking(short value) {
    working_ = value;
    UpdateDisplay();
}

void NoiseControl::ToggleWorking() {
    working_ = ToggledFlag(working_);
    cmdWorking_->SetBackColor(working_ == 1 ? kWorkingColour : kButtonFace);
    UpdateDisplay();
}

void NoiseControl::UpdateDisplay() {
    text1Rule_->Write(QString::fromStdString(FormatGeneral(temperature_)));
}

bool NoiseControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text1_ && event->type() == QEvent::MouseButtonRelease) text1Rule_->Run();
    return StagePanel::eventFilter(watched, event);
}

void NoiseControl::paintEvent(QPaintEvent*) {
    PaintSymbol(*this);
}

}  // namespace quorvane
