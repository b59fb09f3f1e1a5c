#include <QLabel>
#include <QtTest>

#include "display/PictureBox.h"
#include "panels/ColourButton.h"
#include "panels/OscillatorControl.h"
#include "window/Quorvane.h"

using namespace quorvane;

namespace {

constexpr std::uint32_t kBlue = 0x00C00000;
constexpr std::uint32_t kPurple = 0x00800080;
constexpr std::uint32_t kNone = 0xFFFFFFFF;  // the group's pictures are empty

template <class T>
T* Control(const QObject& window, const char* name, int index) {
    T* found = window.findChild<T*>(QStringLiteral("%1(%2)").arg(name).arg(index));
    if (!found) qFatal("no control %s(%d)", name, index);
    return found;
}

// The colour both pictures of plot group g are drawn in, or kNone when both are empty.
std::uint32_t GroupColour(const Quorvane& w, int g) {
    const PictureBox* signal = Control<PictureBox>(w, "picSignal", g);
    const PictureBox* spectrum = Control<PictureBox>(w, "picSpectrum", g);
    if (signal->Current().lines.empty() && spectrum->Current().lines.empty()) return kNone;
    if (signal->Current().lines.empty() || spectrum->Current().lines.empty()) return 0;
    if (signal->Current().colour != spectrum->Current().colour) return 0;
    return signal->Current().colour;
}

void SwitchToneOn(const Quorvane& w) {
    OscillatorControl* osc = Control<OscillatorControl>(w, "OscillatorControl1", 0);
    osc->SetFrequency(5);
    osc->SetWorking(1);
    osc->SetPowerProperty(10);
}

}  // namespace

class PlotDispatchTest : public QObject {
    Q_OBJECT

  private slots:
    void selectedGroupsDrawInTheirButtonsColours_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<uint>("group0");
        QTest::addColumn<uint>("group1");
        QTest::newRow("none") << QList<int>{} << kNone << kNone;
        QTest::newRow("3") << QList<int>{3} << kBlue << kNone;
        QTest::newRow("3 and 6") << QList<int>{3, 6} << kBlue << kPurple;
        QTest::newRow("6 then 1") << QList<int>{6, 1} << kBlue << kPurple;
        QTest::newRow("1 and 8") << QList<int>{8, 1} << kBlue << kPurple;
        QTest::newRow("3, 6, 3 off") << QList<int>{3, 6, 3} << kBlue << kNone;
        QTest::newRow("3 on and off") << QList<int>{3, 3} << kNone << kNone;
    }
    void selectedGroupsDrawInTheirButtonsColours() {
        QFETCH(QList<int>, clicks);
        QFETCH(uint, group0);
        QFETCH(uint, group1);
        Quorvane w;
        SwitchToneOn(w);
        for (const int index : clicks)
            w.cmdGraph_Click(index);
        w.Timer1_Timer();
        QCOMPARE(GroupColour(w, 0), group0);
        QCOMPARE(GroupColour(w, 1), group1);
        if (group0 != kNone)
            QCOMPARE(Control<QLabel>(w, "lblMaxTime", 0)->text(), QString(" 1.3u"));
    }

    void deselectionClearsAndLabelsStay() {
        Quorvane w;
        SwitchToneOn(w);
        w.cmdGraph_Click(3);
        w.cmdGraph_Click(6);
        w.Timer1_Timer();
        QCOMPARE(GroupColour(w, 1), kPurple);
        const QString maxFreq = Control<QLabel>(w, "lblMaxFreq", 1)->text();
        QCOMPARE(maxFreq, QString(" 20"));

        w.cmdGraph_Click(6);
        QCOMPARE(GroupColour(w, 1), kNone);  // at once, not at the next tick
        w.Timer1_Timer();
        QCOMPARE(GroupColour(w, 1), kNone);
        QCOMPARE(GroupColour(w, 0), kBlue);
        QCOMPARE(Control<QLabel>(w, "lblMaxFreq", 1)->text(), maxFreq);
    }

    void colourIsReadAtTheMomentOfDrawing() {
        Quorvane w;
        SwitchToneOn(w);
        w.cmdGraph_Click(2);
        w.Timer1_Timer();
        QCOMPARE(GroupColour(w, 0), kBlue);
        Control<ColourButton>(w, "cmdGraph", 2)->SetBackColor(0x0000FF00);
        w.Timer1_Timer();
        QCOMPARE(GroupColour(w, 0), 0x0000FF00u);
    }
};

QTEST_MAIN(PlotDispatchTest)
#include "PlotDispatchTest.moc"
