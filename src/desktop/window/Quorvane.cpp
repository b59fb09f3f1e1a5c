#include "window/Quorvane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <vector>

#include "analysis/PredictionCache.h"
#include "chain/Architecture.h"
#include "display/PictureBox.h"
#include "display/PlotGroup.h"
#include "engine/ReceiverEngine.h"
#include "panels/AmplifierControl.h"
#include "panels/ColourButton.h"
#include "panels/FilterControl.h"
#include "panels/LineControl.h"
#include "panels/MixerControl.h"
#include "panels/NoiseControl.h"
#include "panels/OscillatorControl.h"
#include "panels/ReadingScrollBar.h"
#include "panels/SteppingComboBox.h"
#include "plot/PlotGroupModel.h"
#include "ui/ArrayName.h"
#include "ui/Twips.h"
#include "window/FocusMark.h"
#include "window/LazyToolTip.h"
#include "window/PlotGroupControls.h"
#include "window/ReadoutLabel.h"
#include "window/WrappingCheckBox.h"

namespace quorvane {

namespace {

QFont SansSerif(double points) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

constexpr double kCheckBoxPoints = 9.75;
constexpr double kTextPoints = 12.0;

void Place(QWidget* widget, const layout::Place& p) {
    widget->setGeometry(TwipRect(p.left, p.top, p.width, p.height));
}

void PlacePanel(StagePanel* panel, const layout::Place& p) {
    panel->SetSizeTwips(p.width, p.height);
    panel->SetTop(p.top);
    panel->SetLeft(p.left);
}

QLabel* SetUpLabel(QLabel* label, const QString& name, const layout::Place& p,
                   std::string_view text, Qt::Alignment horizontal) {
    label->setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
    label->setObjectName(name);
    label->setFont(SansSerif(kTextPoints));
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setWordWrap(true);
    Place(label, p);
    return label;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const layout::Place& p,
                  std::string_view text, Qt::Alignment horizontal) {
    return SetUpLabel(new QLabel(parent), name, p, text, horizontal);
}

QScrollBar* MakeScrollBar(QWidget* parent, const QString& name, const layout::Place& p,
                          const layout::ScrollSetting& s) {
    auto* bar = new ReadingScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(name);
    // The plots read the bars on every tick; the keyboard reaches them with Tab.
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setRange(s.minimum, s.maximum);
    bar->setPageStep(s.pageStep);
    bar->setSingleStep(1);
    bar->setValue(s.value);
    Place(bar, p);
    return bar;
}

LineControl* MakeLine(QWidget* window, const QString& name, const layout::Segment& s) {
    auto* line = new LineControl(window);
    line->setObjectName(name);
    line->SetEnds(static_cast<float>(s.x1), static_cast<float>(s.y1), static_cast<float>(s.x2),
                  static_cast<float>(s.y2));
    line->SetBorderWidth(s.width);
    QObject::connect(line, &LineControl::Changed, window, qOverload<>(&QWidget::update));
    return line;
}

}  // namespace

Quorvane::Quorvane(QWidget* parent) : QWidget(parent), engine_(std::make_unique<ReceiverEngine>()) {
    static_assert(std::tuple_size_v<decltype(filters_)> == kFilterCount);
    static_assert(std::tuple_size_v<decltype(mixers_)> == kMixerCount);
    static_assert(std::tuple_size_v<decltype(amplifiers_)> == kAmplifierCount);
    static_assert(std::tuple_size_v<decltype(switches_)> == kSlotCount);
    setWindowTitle(QStringLiteral("Quorvane"));
    setFixedSize(TwipsToPixels(layout::kClientWidth), TwipsToPixels(layout::kClientHeight));

    CreateSources();
    CreateStages();
    CreateDiagram();
    CreateSwitches();
    CreateTestPoints();
    CreateConfigurationRow();
    CreatePlotGroup(0);
    CreatePlotGroup(1);
    StackControls();
    ConnectHandlers();
    InstallReadouts();
    InstallRefusalBox();
    CreateShortcuts();
    CreateSetupActions();
    DescribeControls();
    focusMark_ = new FocusMark(this);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(layout::kTimerPeriodMs);
    connect(timer1_, &QTimer::timeout, this, &Quorvane::Timer1_Timer);
    timer1_->start();

    Form_Load();
}

Quorvane::~Quorvane() {
    LetGoOfControls();
}

// The window's members go before its controls, and the controls do not go quietly: as the window
// closes, the control with the focus loses it, a list commits the text typed into it and reports
// a pick, and the focus may move on. Whatever they report would run the window's handlers, or
// the panels' own, on a window that is half gone (the architecture's handler rebuilt the Tab
// chain from controls already destroyed). So, first thing, while everything is still whole,
// nothing is left that can call back:
//  - every object the window owns, at any depth, stops sending signals. That covers cmbMode_Change
//    and cmbMode_Click (and the list's own commit of its text on losing focus), Check1_Click,
//    cmdGraph_Click and its Ctrl+n shortcuts, Timer1_Timer, Copy Window, the freeze boxes'
//    tooltips, the diagram's repaints, and in the panels their text rules, the tooltips that
//    follow a box's reading, the picks from their lists, the tones' power scales and on and
//    invert buttons, the noise's on button and the mixers' switching boxes. The accessibility
//    updates (names, descriptions) are raised only by these handlers, so none is raised either;
//  - the timer stops, so that no tick is due;
//  - the focus mark, which follows the application's focus changes rather than a control's, goes;
//  - the tooltips worked out when they show (test points, output power) are taken off their
//    controls, as they ask the window's prediction and power history;
//  - the FFT no longer reports a refusal to this window.
// The plot groups take their pointer read-outs back from the pictures themselves as they go.
void Quorvane::LetGoOfControls() {
    for (QObject* owned : findChildren<QObject*>())
        owned->blockSignals(true);
    timer1_->stop();
    delete focusMark_;
    focusMark_ = nullptr;
    qDeleteAll(findChildren<LazyToolTip*>());
    RemoveRefusalBox();
}

void Quorvane::CreateSources() {
    for (int k = 0; k < 3; ++k) {
        oscillators_[k] = new OscillatorControl(this);
        oscillators_[k]->setObjectName(ArrayName("OscillatorControl1", k));
        PlacePanel(oscillators_[k], layout::kOscillators[k]);
    }
    noise_ = new NoiseControl(this);
    noise_->setObjectName(QStringLiteral("NoiseControl1"));
    PlacePanel(noise_, layout::kNoise);
}

void Quorvane::CreateStages() {
    for (int i = 0; i < kFilterCount; ++i) {
        filters_[i] = new FilterControl(this);
        filters_[i]->setObjectName(ArrayName("FilterControl1", i));
        PlacePanel(filters_[i], layout::kFilter);
    }
    for (int i = 0; i < kMixerCount; ++i) {
        mixers_[i] = new MixerControl(this);
        mixers_[i]->setObjectName(ArrayName("MixerControl1", i));
        PlacePanel(mixers_[i], layout::kMixer);
    }
    for (int i = 0; i < kAmplifierCount; ++i) {
        amplifiers_[i] = new AmplifierControl(this);
        amplifiers_[i]->setObjectName(ArrayName("AmplifierControl1", i));
        PlacePanel(amplifiers_[i], layout::kAmplifier);
    }
    for (int position = 0; position < kStageCandidates; ++position)
        Candidate(position)->hide();
}

void Quorvane::CreateDiagram() {
    for (const auto& line : layout::kDiagramLines)
        MakeLine(this, ArrayName("lneDraw", line.index), line.segment);
}

void Quorvane::CreateSwitches() {
    for (int k = 0; k < kSlotCount; ++k) {
        auto* box = new WrappingCheckBox(this);
        box->setObjectName(ArrayName("Check1", k));
        box->setFont(SansSerif(kCheckBoxPoints));
        Place(box, {layout::kCheckLeft[k], layout::kCheckTop, layout::kCheckWidth[k],
                    layout::kCheckHeight});
        switches_[k] = box;
    }
}

void Quorvane::CreateTestPoints() {
    for (int n = 1; n <= layout::kTestPointCount; ++n) {
        auto* button = new ColourButton(this);
        button->setObjectName(ArrayName("cmdGraph", n));
        Place(button, {layout::kButtonLeft[n - 1], layout::kButtonTop, layout::kButtonSize,
                       layout::kButtonSize});
        testPoints_[n - 1] = button;
    }
}

void Quorvane::CreateConfigurationRow() {
    // The list steps from the architecture the text arranges, which is every text's value.
    cmbMode_ = new SteppingComboBox(
        [](const QString& text) {
            return static_cast<double>(ItemOf(ArchitectureFromText(text.toStdString())));
        },
        this);
    cmbMode_->setObjectName(QStringLiteral("cmbMode"));
    cmbMode_->setFont(SansSerif(kTextPoints));
    cmbMode_->setInsertPolicy(QComboBox::NoInsert);
    // The arrangement follows exactly what is typed; completion would type for the user.
    cmbMode_->setCompleter(nullptr);
    const layout::Place& m = layout::kMode;
    const QRect box = TwipRect(m.left, m.top, m.width, 0);
    cmbMode_->setGeometry(box.x(), box.y(), box.width(), cmbMode_->sizeHint().height());

    lblPowerOut_ = new ReadoutLabel(this);
    SetUpLabel(lblPowerOut_, QStringLiteral("lblPowerOut"), layout::kPowerOut, "", Qt::AlignRight);
}

void Quorvane::CreatePlotGroup(int g) {
    const layout::PlotGroupPlaces& p = layout::kPlotGroups[g];
    auto controls = std::make_unique<PlotGroupControls>();
    PlotGroupWidgets& w = controls->widgets;

    controls->shpGraphs =
        new ShapeControl(ShapeControl::Kind::Rectangle, p.shpGraphs.left, p.shpGraphs.top,
                         p.shpGraphs.width, p.shpGraphs.height, 1, this);
    controls->shpGraphs->setObjectName(ArrayName("shpGraphs", g));

    w.picSignal = new PictureBox(this);
    w.picSignal->setObjectName(ArrayName("picSignal", g));
    Place(w.picSignal, p.picSignal);
    w.picSpectrum = new PictureBox(this);
    w.picSpectrum->setObjectName(ArrayName("picSpectrum", g));
    Place(w.picSpectrum, p.picSpectrum);

    w.chkFreeze = new QCheckBox(this);
    w.chkFreeze->setObjectName(ArrayName("chkFreeze", g));
    Place(w.chkFreeze, p.chkFreeze);

    w.hscSignal =
        MakeScrollBar(this, ArrayName("hscSignal", g), p.hscSignal, layout::kSignalScroll);
    w.hscSpectrum =
        MakeScrollBar(this, ArrayName("hscSpectrum", g), p.hscSpectrum, layout::kSpectrumScroll);
    w.hscCentre =
        MakeScrollBar(this, ArrayName("hscCentre", g), p.hscCentre, layout::kCentreScroll);

    w.lblSignalMax = MakeLabel(this, ArrayName("lblSignalMax", g), p.lblSignalMax,
                               kSignalMaxStartText, Qt::AlignRight);
    controls->lblSignalZero = MakeLabel(this, ArrayName("lblSignalZero", g), p.lblSignalZero,
                                        kSignalZeroText, Qt::AlignRight);
    w.lblMinTime =
        MakeLabel(this, ArrayName("lblMinTime", g), p.lblMinTime, kMinTimeStartText, Qt::AlignLeft);
    w.lblMaxTime = MakeLabel(this, ArrayName("lblMaxTime", g), p.lblMaxTime, kMaxTimeStartText,
                             Qt::AlignRight);
    w.lblMinFreq =
        MakeLabel(this, ArrayName("lblMinFreq", g), p.lblMinFreq, kMinFreqStartText, Qt::AlignLeft);
    w.lblMaxFreq = MakeLabel(this, ArrayName("lblMaxFreq", g), p.lblMaxFreq, kMaxFreqStartText,
                             Qt::AlignRight);

    controls->lneToG = MakeLine(this, ArrayName("lneToG", g), p.lneToG);
    controls->plots = std::make_unique<PlotGroup>(w);
    groups_[g] = std::move(controls);
}

// Back to front: labels lie on the background; a parked stage panel other than the second
// amplifier lies behind the source panels; buttons and switches are in front of the panels.
void Quorvane::StackControls() {
    for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        label->raise();

    const PlotGroupWidgets& g0 = groups_[0]->widgets;
    const PlotGroupWidgets& g1 = groups_[1]->widgets;
    std::vector<QWidget*> backToFront = {
        filters_[3],     mixers_[2],      filters_[2],     filters_[1], mixers_[1], amplifiers_[0],
        oscillators_[2], oscillators_[1], oscillators_[0], filters_[0], mixers_[0], amplifiers_[1]};
    for (int n = 1; n <= 6; ++n)
        backToFront.push_back(testPoints_[n - 1]);
    backToFront.insert(backToFront.end(),
                       {g0.picSignal, g0.picSpectrum, g0.hscSignal, g0.hscSpectrum, g1.picSignal,
                        g1.picSpectrum, g1.hscSignal, g0.hscCentre, g1.hscCentre, g1.hscSpectrum,
                        noise_, testPoints_[6], cmbMode_, testPoints_[7]});
    backToFront.insert(backToFront.end(), switches_.begin(), switches_.end());
    backToFront.insert(backToFront.end(), {g0.chkFreeze, g1.chkFreeze});
    for (QWidget* w : backToFront)
        w->raise();
}

void Quorvane::ConnectHandlers() {
    connect(cmbMode_, &QComboBox::editTextChanged, this, &Quorvane::cmbMode_Change);
    connect(cmbMode_, &QComboBox::activated, this, &Quorvane::cmbMode_Click);
    // A picked name may be wider than the box: show its beginning.
    connect(cmbMode_, &QComboBox::activated, this, [this] { cmbMode_->lineEdit()->home(false); });
    for (int k = 0; k < kSlotCount; ++k) {
        connect(switches_[k], &QCheckBox::stateChanged, this, [this, k] { Check1_Click(k); });
    }
    for (int n = 1; n <= layout::kTestPointCount; ++n) {
        connect(testPoints_[n - 1], &QAbstractButton::clicked, this,
                [this, n] { cmdGraph_Click(n); });
    }
}

void Quorvane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    // The frames, the diagram's lines and the leader lines lie behind every control.
    PaintLinesAndShapes(painter, *this, palette());
}

StagePanel* Quorvane::Candidate(int position) const {
    if (position < kFilterCount) return filters_[position];
    if (position < kFilterCount + kMixerCount) return mixers_[position - kFilterCount];
    return amplifiers_[position - kFilterCount - kMixerCount];
}

}  // namespace quorvane
