// What the window offers keyboard and screen-reader users, and lab reports: names, tooltips and
// readings of its controls, the Tab order, the shortcuts, and "Copy Window".

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QShortcut>

#include "chain/Architecture.h"
#include "display/PictureBox.h"
#include "display/PlotGroup.h"
#include "engine/ChainSnapshot.h"
#include "panels/AmplifierControl.h"
#include "panels/ColourButton.h"
#include "panels/FilterControl.h"
#include "panels/MixerControl.h"
#include "panels/NoiseControl.h"
#include "panels/OscillatorControl.h"
#include "panels/ReadingScrollBar.h"
#include "panels/SteppingComboBox.h"
#include "plot/SpectrumPlot.h"
#include "plot/TimePlot.h"
#include "texts/ControlNames.h"
#include "texts/ToolTips.h"
#include "texts/WindowSummary.h"
#include "window/PlotGroupControls.h"
#include "window/Quorvane.h"
#include "window/ReadoutLabel.h"

namespace quorvane {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}
QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// A plot scroll bar: its name, tooltip and the reading of its position.
void DescribeBar(QScrollBar* bar, int g, PlotControl control, Tip tip,
                 std::string (*reading)(int value)) {
    bar->setAccessibleName(Text(PlotControlName(g, control)));
    bar->setToolTip(Text(ToolTip(tip)));
    if (auto* readingBar = qobject_cast<ReadingScrollBar*>(bar))
        readingBar->SetValueText([reading](int value) { return Text(reading(value)); });
}

}  // namespace

void Quorvane::CreateShortcuts() {
    // Ctrl+n does what a click on test point n does.
    for (int n = 1; n <= layout::kTestPointCount; ++n) {
        auto* shortcut =
            new QShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + n - 1)), this);
        connect(shortcut, &QShortcut::activated, testPoints_[n - 1], &QAbstractButton::click);
    }
    // A text box with focus keeps Ctrl+C for its own text.
    auto* copyWindow = new QAction(Text(kCopyWindowText), this);
    copyWindow->setShortcut(QKeySequence::Copy);
    connect(copyWindow, &QAction::triggered, this, &Quorvane::CopyWindow);
    addAction(copyWindow);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void Quorvane::DescribeControls() {
    for (int k = 0; k < 3; ++k)
        oscillators_[k]->SetTitle(ToneTitle(k));
    noise_->SetTitle(std::string(kNoiseTitle));
    cmbMode_->setAccessibleName(Text(kArchitectureName));
    cmbMode_->lineEdit()->setAccessibleName(Text(kArchitectureName));
    lblPowerOut_->setAccessibleName(Text(kOutputPowerName));
    DescribePlotGroup(0);
    DescribePlotGroup(1);
}

void Quorvane::DescribePlotGroup(int g) {
    const PlotGroupWidgets& w = groups_[g]->widgets;
    w.picSignal->setAccessibleName(Text(PlotControlName(g, PlotControl::TimePicture)));
    w.picSpectrum->setAccessibleName(Text(PlotControlName(g, PlotControl::SpectrumPicture)));
    DescribeBar(w.hscSignal, g, PlotControl::TimeWindow, Tip::TimeWindow, &TimeWindowText);
    DescribeBar(w.hscSpectrum, g, PlotControl::SpectrumSpan, Tip::SpectrumSpan, &SpanText);
    DescribeBar(w.hscCentre, g, PlotControl::Centre, Tip::SpectrumCentre, &CentreText);

    QCheckBox* freeze = w.chkFreeze;
    freeze->setAccessibleName(Text(PlotControlName(g, PlotControl::Freeze)));
    freeze->setToolTip(Text(FreezeToolTip(false)));
    connect(freeze, &QCheckBox::stateChanged, freeze, [freeze] {
        freeze->setToolTip(Text(FreezeToolTip(freeze->checkState() == Qt::Checked)));
    });

    const std::pair<QLabel*, Tip> labels[] = {
        {w.lblSignalMax, Tip::SignalMax}, {groups_[g]->lblSignalZero, Tip::SignalZero},
        {w.lblMinTime, Tip::MinTime},     {w.lblMaxTime, Tip::MaxTime},
        {w.lblMinFreq, Tip::MinFreq},     {w.lblMaxFreq, Tip::MaxFreq}};
    for (const auto& [label, tip] : labels)
        label->setToolTip(Text(ToolTip(tip)));
}

// Names that follow the architecture: the stages by the slots they stand in, the switches by
// their captions and the test points by the stage before them. The Tab order follows too.
void Quorvane::DescribeChain() {
    const std::string text = cmbMode_->currentText().toStdString();
    const Architecture architecture = ArchitectureFromText(text);
    for (int position = 0; position < kStageCandidates; ++position)
        Candidate(position)->SetTitle(StageTitle(kCandidateOrder[position], architecture));
    for (QCheckBox* box : switches_) {
        const std::string caption = box->text().toStdString();
        box->setAccessibleName(Text(SwitchName(caption)));
        box->setToolTip(Text(SwitchToolTip(caption)));
    }
    for (int n = 1; n <= layout::kTestPointCount; ++n)
        testPoints_[n - 1]->setAccessibleName(Text(TestPointName(n, architecture)));
    cmbMode_->setToolTip(Text(ArchitectureToolTip(text)));

    const QList<QWidget*> chain = FocusChain();
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void Quorvane::DescribeSelection(Selection selection) {
    for (int n = 1; n <= layout::kTestPointCount; ++n)
        testPoints_[n - 1]->setAccessibleDescription(Text(TestPointDescription(n, selection)));
}

// The order the window reads in: the sources top to bottom, the architecture, the slots left to
// right (each switch, then its panel's controls), the test points, then the two plot groups.
// Parked panels come after the slots; they are hidden, so Tab passes them by.
QList<QWidget*> Quorvane::FocusChain() const {
    std::array<int, kStageCandidates> lefts{};
    for (int position = 0; position < kStageCandidates; ++position)
        lefts[position] = Candidate(position)->Left();
    QList<QWidget*> chain;
    for (const std::string& name : WindowFocusOrder(lefts)) {
        auto* control =
            findChild<QWidget*>(QString::fromStdString(name), Qt::FindDirectChildrenOnly);
        if (!control) continue;
        if (const auto* panel = qobject_cast<const StagePanel*>(control))
            chain += panel->FocusOrder();
        else
            chain += control;
    }
    return chain;
}

QString Quorvane::Summary() const {
    WindowSummaryInput input;
    input.architectureText = cmbMode_->currentText().toStdString();
    input.chain = ReadChain();
    const Selection selection = ReadSelection(ReadButtonColours());
    input.chain.first = static_cast<std::int16_t>(selection.first);
    input.chain.second = static_cast<std::int16_t>(selection.second);
    input.powerCaption = lblPowerOut_->text().toStdString();
    return Text(WindowSummary(input));
}

void Quorvane::CopyWindow() {
    auto* data = new QMimeData;
    // grab() renders at the device pixel ratio of the window's screen.
    data->setImageData(grab().toImage());
    // The setup beside the summary, so a report holds what reproduces it.
    data->setText(Summary() + QStringLiteral("\n") + SetupAsText());
    QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace quorvane
