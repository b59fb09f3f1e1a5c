// The tick as the window drives it: what it reads from the controls, what it draws where, the
// output power it shows, and that ticks never nest.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "WindowProbe.h"
#include "display/PictureBox.h"
#include "engine/nrFFT.h"
#include "panels/ColourButton.h"
#include "panels/NoiseControl.h"
#include "panels/OscillatorControl.h"
#include "window/Quorvane.h"

using namespace quorvane;
using probe::ShownPower;
using testing::Find;
using testing::Name;

namespace {

struct Call {
    int testPoint, first, second;
    bool operator==(const Call&) const = default;
};

// A window that records every test point the tick reaches and can act in the middle of a tick.
class ProbedWindow : public Quorvane {
  public:
    std::vector<Call> calls;
    std::function<void(int)> during;  // runs at each test point, after the drawing

    void PlotTestPoint(int iTestPoint, int iFirst, int iSecond) override {
        calls.push_back({iTestPoint, iFirst, iSecond});
        Quorvane::PlotTestPoint(iTestPoint, iFirst, iSecond);
        if (during) during(iTestPoint);
    }
};

constexpr double kToneDbnw = 10.0;
constexpr uint kBlue = 0x00C00000;
constexpr uint kPurple = 0x00800080;
constexpr uint kEmpty = 0xFFFFFFFF;  // the group's pictures are empty

// The colour both pictures of plot group g are drawn in, kEmpty when both are empty, or 0 when
// they disagree.
uint GroupColour(const Quorvane& w, int g) {
    const Drawing& signal = Find<PictureBox>(w, Name("picSignal", g))->Current();
    const Drawing& spectrum = Find<PictureBox>(w, Name("picSpectrum", g))->Current();
    if (signal.lines.empty() && spectrum.lines.empty()) return kEmpty;
    if (signal.lines.empty() || spectrum.lines.empty() || signal.colour != spectrum.colour)
        return 0;
    return signal.colour;
}

// Power of a tone alone at the antenna: A = 10 sqrt(p), P = A^2 / 100 into 50 ohms.
double TonePower(double dBnW) {
    const double amplitude = 10.0 * std::sqrt(std::pow(10.0, dBnW / 10.0) * 1e-9);
    return amplitude * amplitude / 100.0;
}

void SwitchOnTone(Quorvane& w, int index, double mhz) {
    auto* osc = Find<OscillatorControl>(w, Name("OscillatorControl1", index));
    osc->SetFrequency(mhz);
    osc->SetWorking(1);
    QVERIFY(osc->SetPower(kToneDbnw));
}

int reporterCalls = 0;
Quorvane* reenteredWindow = nullptr;
void ReenteringReporter(const char*) {
    ++reporterCalls;
    reenteredWindow->Timer1_Timer();
}

}  // namespace

class WindowTickTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void timerDrivesTicks();
    void silenceReadsZero();
    void outputPower_data();
    void outputPower();
    void everyTestPointIsReachedWithTheSelection_data();
    void everyTestPointIsReachedWithTheSelection();
    void selectedGroupsDrawInTheirButtonsColours_data();
    void selectedGroupsDrawInTheirButtonsColours();
    void colourIsReadAtTheMomentOfDrawing();
    void eachGroupDrawsTheSignalAtItsTestPoint();
    void nestedTickFromAPlotIsRefused();
    void nestedTickFromTheRefusalReporterIsRefused();
    void refusalBoxHoldsTheTimer();
};

void WindowTickTest::timerDrivesTicks() {
    Quorvane w;
    QCOMPARE(Find<QLabel>(w, "lblPowerOut")->text(), QString());
    QTRY_COMPARE_WITH_TIMEOUT(Find<QLabel>(w, "lblPowerOut")->text(),
                              QStringLiteral("Pout = 0.000e+00"), 2000);
}

void WindowTickTest::silenceReadsZero() {
    Quorvane w;
    for (int k = 0; k < 7; ++k)
        Find<QCheckBox>(w, Name("Check1", k))->setCheckState(Qt::Checked);
    for (const QString& name : probe::StageNames())
        Find<QObject>(w, name)->setProperty("NF", 0.0);
    w.Timer1_Timer();
    QCOMPARE(Find<QLabel>(w, "lblPowerOut")->text(), QStringLiteral("Pout = 0.000e+00"));
}

void WindowTickTest::outputPower_data() {
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<double>("toneMhz");
    QTest::addColumn<int>("slot");  // switched in; -1 none
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QVariantMap>("settings");
    QTest::addColumn<double>("gain");  // expected output over the tone's power

    const QString single = "Single-Conversion Heterodyne";
    const QVariantMap quietAmp = {{"NF", 0.0}};
    const QVariantMap passBand = {
        {"NF", 0.0}, {"Gain", 0.0}, {"CentreFreq", 5.0}, {"Bandwidth", 2.0}};
    const QVariantMap mixer = {{"NF", 0.0}, {"Gain", 10.0}, {"LO_Freq", 5.0}, {"Switching", false}};
    QVariantMap switching = mixer;
    switching["Switching"] = true;
    QVariantMap loudAmp = {{"NF", 0.0}, {"Gain", 20.0}};
    QVariantMap lossyFilter = passBand;
    lossyFilter["Gain"] = -3.0;

    QTest::newRow("tone alone") << single << 5.0 << -1 << "" << QVariantMap{} << 1.0;
    QTest::newRow("LNA 10 dB") << single << 5.0 << 1 << "AmplifierControl1(0)" << quietAmp << 10.0;
    QTest::newRow("IF amp 20 dB") << single << 5.0 << 3 << "AmplifierControl1(1)" << loudAmp
                                  << 100.0;
    QTest::newRow("filter passes") << single << 5.0 << 0 << "FilterControl1(0)" << passBand << 1.0;
    QTest::newRow("filter stops") << single << 2.5 << 0 << "FilterControl1(0)" << passBand << 0.0;
    QTest::newRow("filter loses 3 dB")
        << single << 5.0 << 0 << "FilterControl1(0)" << lossyFilter << std::pow(10.0, -0.3);
    QTest::newRow("multiplying mixer") << single << 10.0 << 2 << "MixerControl1(0)" << mixer << 5.0;
    QTest::newRow("switching mixer")
        << single << 10.0 << 2 << "MixerControl1(0)" << switching << 10.0;
    QTest::newRow("dual: mixer in slot 1")
        << "Dual-Conversion Heterodyne" << 10.0 << 1 << "MixerControl1(0)" << mixer << 5.0;
    QTest::newRow("dual: last filter stops")
        << "Dual-Conversion Heterodyne" << 2.5 << 6 << "FilterControl1(3)" << passBand << 0.0;
    // Slot 5 is empty in the homodyne chain: its (hidden) switch runs nothing.
    QTest::newRow("homodyne: empty slot")
        << "Homodyne" << 10.0 << 5 << "MixerControl1(1)" << mixer << 1.0;
}

void WindowTickTest::outputPower() {
    QFETCH(QString, architecture);
    QFETCH(double, toneMhz);
    QFETCH(int, slot);
    QFETCH(QString, panel);
    QFETCH(QVariantMap, settings);
    QFETCH(double, gain);

    Quorvane w;
    Find<QComboBox>(w, "cmbMode")->setEditText(architecture);
    SwitchOnTone(w, 0, toneMhz);
    if (!panel.isEmpty()) {
        auto* stage = Find<QObject>(w, panel);
        for (auto it = settings.cbegin(); it != settings.cend(); ++it) {
            QVERIFY(stage->setProperty(it.key().toLatin1(), it.value()));
        }
    }
    if (slot >= 0) Find<QCheckBox>(w, Name("Check1", slot))->setCheckState(Qt::Checked);

    w.Timer1_Timer();
    const double shown = ShownPower(w);
    const double expected = TonePower(kToneDbnw) * gain;
    if (gain == 0.0) {
        QVERIFY2(shown >= 0.0 && shown < 1e-6 * TonePower(kToneDbnw),
                 qPrintable(QString::number(shown)));
    } else {
        QVERIFY2(std::abs(shown - expected) < 1e-2 * expected,
                 qPrintable(QStringLiteral("%1 vs %2").arg(shown).arg(expected)));
    }
}

void WindowTickTest::everyTestPointIsReachedWithTheSelection_data() {
    QTest::addColumn<QList<int>>("selected");  // buttons given a colour
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("none") << QList<int>{} << 0 << 0;
    QTest::newRow("one") << QList<int>{6} << 6 << 0;
    QTest::newRow("two") << QList<int>{3, 6} << 3 << 6;
    QTest::newRow("three") << QList<int>{2, 5, 7} << 2 << 7;
}

void WindowTickTest::everyTestPointIsReachedWithTheSelection() {
    QFETCH(QList<int>, selected);
    QFETCH(int, first);
    QFETCH(int, second);
    ProbedWindow w;
    for (int n : selected)
        Find<ColourButton>(w, Name("cmdGraph", n))->SetBackColor(0x0000FF00);
    w.Timer1_Timer();
    std::vector<Call> expected;
    for (int n = 1; n <= 8; ++n)
        expected.push_back({n, first, second});
    QVERIFY(w.calls == expected);
}

void WindowTickTest::selectedGroupsDrawInTheirButtonsColours_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<uint>("group0");
    QTest::addColumn<uint>("group1");
    QTest::newRow("none") << QList<int>{} << kEmpty << kEmpty;
    QTest::newRow("3") << QList<int>{3} << kBlue << kEmpty;
    QTest::newRow("3 and 6") << QList<int>{3, 6} << kBlue << kPurple;
    QTest::newRow("6 then 1") << QList<int>{6, 1} << kBlue << kPurple;
    QTest::newRow("8 then 1") << QList<int>{8, 1} << kBlue << kPurple;
    QTest::newRow("3, 6, 3 off") << QList<int>{3, 6, 3} << kBlue << kEmpty;
    QTest::newRow("3 on and off") << QList<int>{3, 3} << kEmpty << kEmpty;
}

// Each group draws both its pictures in the colour of its test point's button, or nothing.
void WindowTickTest::selectedGroupsDrawInTheirButtonsColours() {
    QFETCH(QList<int>, clicks);
    QFETCH(uint, group0);
    QFETCH(uint, group1);
    Quorvane w;
    SwitchOnTone(w, 0, 5.0);
    for (const int index : clicks)
        QTest::mouseClick(Find<ColourButton>(w, Name("cmdGraph", index)), Qt::LeftButton);
    w.Timer1_Timer();
    QCOMPARE(GroupColour(w, 0), group0);
    QCOMPARE(GroupColour(w, 1), group1);
}

void WindowTickTest::colourIsReadAtTheMomentOfDrawing() {
    Quorvane w;
    SwitchOnTone(w, 0, 5.0);
    w.cmdGraph_Click(2);
    w.Timer1_Timer();
    QCOMPARE(GroupColour(w, 0), kBlue);
    Find<ColourButton>(w, "cmdGraph(2)")->SetBackColor(0x0000FF00);
    w.Timer1_Timer();
    QCOMPARE(GroupColour(w, 0), 0x0000FF00u);
}

void WindowTickTest::eachGroupDrawsTheSignalAtItsTestPoint() {
    Quorvane w;
    SwitchOnTone(w, 0, 5.0);
    Find<QObject>(w, "AmplifierControl1(0)")->setProperty("NF", 0.0);
    Find<QObject>(w, "AmplifierControl1(0)")->setProperty("Gain", 20.0);
    Find<QCheckBox>(w, "Check1(1)")->setCheckState(Qt::Checked);
    // Test point 2 is before the LNA, 3 after it, 8 at the output: 3 and 8 see the same signal.
    QTest::mouseClick(Find<ColourButton>(w, "cmdGraph(2)"), Qt::LeftButton);
    QTest::mouseClick(Find<ColourButton>(w, "cmdGraph(3)"), Qt::LeftButton);
    w.Timer1_Timer();
    const QString before = Find<QLabel>(w, "lblSignalMax(0)")->text();
    const QString after = Find<QLabel>(w, "lblSignalMax(1)")->text();
    QVERIFY2(before != after, qPrintable(before));

    QTest::mouseClick(Find<ColourButton>(w, "cmdGraph(2)"), Qt::LeftButton);  // 3 alone
    QTest::mouseClick(Find<ColourButton>(w, "cmdGraph(8)"), Qt::LeftButton);  // 3 and 8
    w.Timer1_Timer();
    QCOMPARE(Find<QLabel>(w, "lblSignalMax(0)")->text(), after);
    QCOMPARE(Find<QLabel>(w, "lblSignalMax(1)")->text(), after);
}

void WindowTickTest::nestedTickFromAPlotIsRefused() {
    ProbedWindow w;
    int nestedAttempts = 0;
    w.during = [&](int testPoint) {
        if (testPoint != 4) return;
        ++nestedAttempts;
        w.Timer1_Timer();
    };
    w.Timer1_Timer();
    QCOMPARE(nestedAttempts, 1);
    QCOMPARE(w.calls.size(), std::size_t{8});
    QCOMPARE(Find<QLabel>(w, "lblPowerOut")->text(), QStringLiteral("Pout = 0.000e+00"));

    w.during = nullptr;
    w.Timer1_Timer();  // the guard is released once the tick is over
    QCOMPARE(w.calls.size(), std::size_t{16});
}

void WindowTickTest::nestedTickFromTheRefusalReporterIsRefused() {
    ProbedWindow w;
    reenteredWindow = &w;
    reporterCalls = 0;
    const nrFFT::RefusalReporter before = nrFFT::SetRefusalReporter(&ReenteringReporter);
    w.during = [](int testPoint) {
        if (testPoint != 5) return;
        double data[12] = {};
        nrFFT::FFT(data, 6, 0);
    };
    w.Timer1_Timer();
    nrFFT::SetRefusalReporter(before);
    QCOMPARE(reporterCalls, 1);
    QCOMPARE(w.calls.size(), std::size_t{8});
}

void WindowTickTest::refusalBoxHoldsTheTimer() {
    Quorvane w;
    auto* timer = Find<QTimer>(w, "Timer1");
    QVERIFY(timer->isActive());

    QString shownText;
    bool timerRanMeanwhile = true;
    QWidget* boxParent = nullptr;
    int buttons = 0;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll.stop();
        shownText = box->text();
        timerRanMeanwhile = timer->isActive();
        boxParent = box->parentWidget();
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    poll.start();
    double data[12] = {};
    nrFFT::FFT(data, 6, 0);

    QCOMPARE(shownText, QStringLiteral("This FFT only does powers of two."));
    QVERIFY(!timerRanMeanwhile);
    QCOMPARE(boxParent, &w);
    QCOMPARE(buttons, 1);
    QVERIFY(timer->isActive());
}

QTEST_MAIN(WindowTickTest)
#include "WindowTickTest.moc"
