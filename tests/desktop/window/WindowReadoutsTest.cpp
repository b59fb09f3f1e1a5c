// The tooltips that explain what the student sees, read through the window's own widgets.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>
#include <QtTest>
#include <cmath>

#include "WindowProbe.h"
#include "display/PictureBox.h"
#include "panels/ColourButton.h"
#include "panels/NoiseControl.h"
#include "panels/OscillatorControl.h"
#include "window/Quorvane.h"

using namespace quorvane;
using testing::Find;
using testing::Name;

namespace {

// The text a widget's tooltip shows when the student rests the pointer on it.
QString ToolTipOf(QWidget* widget) {
    QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &event);
    QToolTip::hideText();
    return widget->toolTip();
}

// A 0 dBnW tone at 5 MHz and the 1st mixer (LO 6 MHz, no gain, no noise, intercept "Inf")
// switched in wherever the architecture puts it.
void SetUp(Quorvane& w, const QString& architecture, int mixerSlot, double ip3 = 60,
           double dBnW = 0) {
    Find<QComboBox>(w, "cmbMode")->setEditText(architecture);
    auto* tone = Find<OscillatorControl>(w, "OscillatorControl1(0)");
    tone->SetFrequency(5);
    tone->SetWorking(1);
    QVERIFY(tone->SetPower(dBnW));
    auto* mixer = Find<QObject>(w, "MixerControl1(0)");
    for (const auto& [name, value] :
         {std::pair{"Gain", 0.0}, {"NF", 0.0}, {"IP3", ip3}, {"LO_Freq", 6.0}})
        QVERIFY(mixer->setProperty(name, value));
    Find<QCheckBox>(w, Name("Check1", mixerSlot))->setCheckState(Qt::Checked);
}

}  // namespace

class WindowReadoutsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void testPointButtons_data();
    void testPointButtons();
    void outputPower_data();
    void outputPower();
    void spectrumPointer_data();
    void spectrumPointer();
};

void WindowReadoutsTest::testPointButtons_data() {
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<int>("mixerSlot");
    QTest::addColumn<int>("testPoint");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("line");  // one of the strongest lines
    const QString single = "Single-Conversion Heterodyne";
    QTest::newRow("antenna") << single << 2 << 1 << "Test point 1: antenna"
                             << "5.000 MHz, -60.0 dBm: tone 1";
    QTest::newRow("after the mixer") << single << 2 << 4 << "Test point 4: after 1st Mixer"
                                     << "1.000 MHz, -66.0 dBm: 1st Mixer LO − tone 1";
    QTest::newRow("output") << single << 2 << 8 << "Test point 8: receiver output"
                            << "11.000 MHz, -66.0 dBm: tone 1 + 1st Mixer LO";
    QTest::newRow("dual: before the mixer")
        << "Dual-Conversion Heterodyne" << 1 << 2 << "Test point 2: after Image Filter"
        << "5.000 MHz, -60.0 dBm: tone 1";
    QTest::newRow("homodyne: empty slot")
        << "Homodyne" << 2 << 7 << "Test point 7: after Baseband Filter"
        << "1.000 MHz, -66.0 dBm: 1st Mixer LO − tone 1";
}

void WindowReadoutsTest::testPointButtons() {
    QFETCH(QString, architecture);
    QFETCH(int, mixerSlot);
    QFETCH(int, testPoint);
    QFETCH(QString, title);
    QFETCH(QString, line);
    Quorvane w;
    SetUp(w, architecture, mixerSlot);
    w.Timer1_Timer();
    const QStringList lines =
        ToolTipOf(Find<ColourButton>(w, Name("cmdGraph", testPoint))).split('\n');
    QCOMPARE(lines.front(), title);
    QVERIFY2(lines.contains(line), qPrintable(lines.join('|')));
    for (const QString& l : lines)
        QVERIFY2(l.size() <= 45, qPrintable(l));
}

void WindowReadoutsTest::outputPower_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<double>("ip3");
    QTest::addColumn<double>("dBnW");
    QTest::addColumn<bool>("warned");
    QTest::newRow("before the first refresh") << 0 << 60.0 << 0.0 << false;
    QTest::newRow("linear") << 3 << 60.0 << 0.0 << false;
    // A typed intercept of -70 dBm puts the loudest tone, +10 dBnW or -50 dBm, 20 dB above it.
    QTest::newRow("overdriven mixer") << 3 << -70.0 << 10.0 << true;
}

void WindowReadoutsTest::outputPower() {
    QFETCH(int, ticks);
    QFETCH(double, ip3);
    QFETCH(double, dBnW);
    QFETCH(bool, warned);
    Quorvane w;
    SetUp(w, "Single-Conversion Heterodyne", 2, ip3, dBnW);
    Find<NoiseControl>(w, "NoiseControl1")->SetWorking(1);
    for (int t = 0; t < ticks; ++t)
        w.Timer1_Timer();
    auto* label = Find<QLabel>(w, "lblPowerOut");
    const QString text = ToolTipOf(label);
    if (ticks == 0) {
        QCOMPARE(text, QString());
        return;
    }
    const QStringList lines = text.split('\n');
    QVERIFY2(lines[0].startsWith("Shown: " + label->text().mid(7) + " W, "), qPrintable(text));
    QVERIFY2(lines[1].startsWith(QStringLiteral("Mean of the last %1: ").arg(ticks)),
             qPrintable(text));
    QVERIFY2(lines[2].startsWith("Predicted Pout = "), qPrintable(text));
    const double predicted = lines[2].mid(17).section(',', 0, 0).toDouble();
    if (!warned) QVERIFY2(std::abs(predicted / probe::ShownPower(w) - 1) < 0.03, qPrintable(text));
    QCOMPARE(lines.contains("(nonlinear: the prediction is only a guide)"), warned);
}

void WindowReadoutsTest::spectrumPointer_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<double>("mhz");
    QTest::addColumn<QString>("line");  // empty: no line under the pointer
    // Test point 1 in the left group, 4 in the right one.
    QTest::newRow("left, on the tone")
        << 0 << 5.0 << "Line: 5.000 MHz, tone 1, predicted -60.0 dBm";
    QTest::newRow("left, nothing there") << 0 << 1.0 << "";
    QTest::newRow("right, difference")
        << 1 << 1.0 << "Line: 1.000 MHz, 1st Mixer LO − tone 1, predicted -66.0 dBm";
    QTest::newRow("right, sum, half a pixel off")
        << 1 << 11.03 << "Line: 11.000 MHz, tone 1 + 1st Mixer LO, predicted -66.0 dBm";
    // A column is 0.2 MHz at full span: the line is found up to three columns away.
    QTest::newRow("right, sum, two and a half columns off")
        << 1 << 10.5 << "Line: 11.000 MHz, tone 1 + 1st Mixer LO, predicted -66.0 dBm";
    QTest::newRow("right, four columns off") << 1 << 10.2 << "";
    QTest::newRow("right, between lines") << 1 << 8.0 << "";
}

void WindowReadoutsTest::spectrumPointer() {
    QFETCH(int, group);
    QFETCH(double, mhz);
    QFETCH(QString, line);
    Quorvane w;
    SetUp(w, "Single-Conversion Heterodyne", 2);
    w.cmdGraph_Click(1);
    w.cmdGraph_Click(4);
    w.Timer1_Timer();
    auto* picture = Find<PictureBox>(w, Name("picSpectrum", group));
    // The 100 columns span 0 .. 20 MHz over 100 column widths of whole twips.
    const double columnTwips = std::floor(picture->ScaleWidth() / 100.0);
    const double pixel = mhz / 20.0 * 100 * columnTwips / 15.0;
    const QString text = picture->HoverTextAt(QPointF(pixel, 10));
    QVERIFY2(text.startsWith("f = "), qPrintable(text));
    // The line's text, with its wrapping undone.
    const qsizetype at = text.indexOf("Line: ");
    const QString shown =
        at < 0 ? QString() : text.mid(at).replace("\n  ", " ").replace(QChar(0xA0), ' ');
    QCOMPARE(shown, line);
    QVERIFY(!shown.contains('\n'));
}

QTEST_MAIN(WindowReadoutsTest)
#include "WindowReadoutsTest.moc"
