#include <QScrollBar>
#include <QTest>
#include <cmath>
#include <limits>

#include "PanelTestKit.h"
#include "panels/OscillatorControl.h"

using namespace quorvane;
using namespace quorvane::testing;

namespace {
constexpr uint kFace = 0x8000000F;
constexpr uint kRed = 0x0000C0;
constexpr uint kDarkRed = 0x000080;
constexpr double kOff = -1e12;
}  // namespace

class OscillatorControlTest : public QObject {
    Q_OBJECT

  private:
    static QScrollBar* Scale(const OscillatorControl& panel) {
        return Find<QScrollBar>(panel, "vscPower");
    }
    static void Click(const OscillatorControl& panel, const char* name) {
        QTest::mouseClick(Find<QAbstractButton>(panel, name), Qt::LeftButton);
    }

  private slots:
    void startsOffAtMinusThirty() {
        OscillatorControl panel;
        QCOMPARE_EXACT(panel.Frequency(), 0.0);
        QCOMPARE_EXACT(panel.Power(), kOff);
        QCOMPARE(panel.Working(), short(0));
        QCOMPARE(panel.Invert(), short(0));
        QCOMPARE(panel.Left(), 0);
        QCOMPARE(TextOf(panel, "Text1"), QString("0"));
        QCOMPARE(TextOf(panel, "txtFreq"), QString("MHz"));
        QCOMPARE(TextOf(panel, "txtPower"), QString("Off"));
        QScrollBar* scale = Scale(panel);
        QCOMPARE(scale->value(), 30);
        QCOMPARE(scale->minimum(), -10);
        QCOMPARE(scale->maximum(), 51);
        QCOMPARE(scale->singleStep(), 1);
        QCOMPARE(scale->pageStep(), 1);
        QCOMPARE(BackColorOf(panel, "cmdWorking"), kFace);
        QCOMPARE(BackColorOf(panel, "cmdInvert"), kFace);
        QCOMPARE_EXACT(panel.property("Power").toDouble(), kOff);
    }

    void typedFrequency_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("mhz");
        QTest::newRow("decimal") << "12.5" << 12.5;
        QTest::newRow("with unit") << "12.5MHz" << 12.5;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters first") << "MHz 5" << 0.0;
        QTest::newRow("blank inside") << "1 2" << 12.0;
    }
    void typedFrequency() {
        QFETCH(QString, text);
        QFETCH(double, mhz);
        OscillatorControl panel;
        TypeInto(Find<QLineEdit>(panel, "Text1"), text);
        QCOMPARE_EXACT(panel.Frequency(), mhz);
        QCOMPARE(TextOf(panel, "Text1"), text);  // the rule leaves the text as typed
    }

    void scaleSetsPower_data() {
        QTest::addColumn<int>("clicks");  // presses of cmdWorking
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("power");
        QTest::addColumn<uint>("colour");
        QTest::newRow("on at start") << 1 << 30 << "-30 dBnW" << -30.0 << kRed;
        QTest::newRow("on at zero") << 1 << 0 << "0 dBnW" << 0.0 << kRed;
        QTest::newRow("on at top") << 1 << -10 << "10 dBnW" << 10.0 << kRed;
        QTest::newRow("on above bottom") << 1 << 50 << "-50 dBnW" << -50.0 << kRed;
        QTest::newRow("on at bottom") << 1 << 51 << "Off" << kOff << kRed;
        QTest::newRow("off") << 0 << 0 << "Off" << kOff << kFace;
        QTest::newRow("on and off again") << 2 << 20 << "Off" << kOff << kFace;
        QTest::newRow("on, off and on") << 3 << 12 << "-12 dBnW" << -12.0 << kRed;
    }
    void scaleSetsPower() {
        QFETCH(int, clicks);
        QFETCH(int, position);
        QFETCH(QString, shown);
        QFETCH(double, power);
        OscillatorControl panel;
        for (int i = 0; i < clicks; ++i)
            Click(panel, "cmdWorking");
        Scale(panel)->setValue(position);
        QCOMPARE(TextOf(panel, "txtPower"), shown);
        QCOMPARE_EXACT(panel.Power(), power);
    }

    void displayUpdatesRewriteTheFrequencyText_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("working pressed") << "working";
        QTest::newRow("scale moved") << "scale";
        QTest::newRow("power written") << "power";
    }
    void displayUpdatesRewriteTheFrequencyText() {
        QFETCH(QString, action);
        OscillatorControl panel;
        TypeInto(Find<QLineEdit>(panel, "Text1"), "12.5MHz");
        if (action == "working") Click(panel, "cmdWorking");
        if (action == "scale") Scale(panel)->setValue(10);
        if (action == "power") QVERIFY(panel.SetPower(3));
        QCOMPARE(TextOf(panel, "Text1"), QString("12.5"));
        QCOMPARE_EXACT(panel.Frequency(), 12.5);
    }

    void invertTogglesOnlyItsFlagAndColour() {
        OscillatorControl panel;
        Click(panel, "cmdWorking");
        TypeInto(Find<QLineEdit>(panel, "Text1"), "7 MHz");
        Click(panel, "cmdInvert");
        QCOMPARE(panel.Invert(), short(1));
        QCOMPARE(BackColorOf(panel, "cmdInvert"), kDarkRed);
        QCOMPARE(TextOf(panel, "Text1"), QString("7 MHz"));
        QCOMPARE(TextOf(panel, "txtPower"), QString("-30 dBnW"));
        QCOMPARE(BackColorOf(panel, "cmdWorking"), kRed);
        Click(panel, "cmdInvert");
        QCOMPARE(panel.Invert(), short(0));
        QCOMPARE(BackColorOf(panel, "cmdInvert"), kFace);
    }

    void writtenFlagsSetColoursOnlyForExactlyOne_data() {
        QTest::addColumn<short>("value");
        QTest::addColumn<uint>("workingColour");
        QTest::addColumn<uint>("invertColour");
        QTest::addColumn<double>("power");
        QTest::newRow("1") << short(1) << kRed << kDarkRed << -30.0;
        QTest::newRow("2 counts as on") << short(2) << kFace << kFace << -30.0;
        QTest::newRow("-1 counts as on") << short(-1) << kFace << kFace << -30.0;
        QTest::newRow("0") << short(0) << kFace << kFace << kOff;
    }
    void writtenFlagsSetColoursOnlyForExactlyOne() {
        QFETCH(short, value);
        QFETCH(uint, workingColour);
        QFETCH(uint, invertColour);
        QFETCH(double, power);
        OscillatorControl panel;
        panel.setProperty("Working", value);
        panel.setProperty("Invert", value);
        QCOMPARE(panel.Working(), value);
        QCOMPARE(panel.Invert(), value);
        QCOMPARE(BackColorOf(panel, "cmdWorking"), workingColour);
        QCOMPARE(BackColorOf(panel, "cmdInvert"), invertColour);
        QCOMPARE_EXACT(panel.Power(), power);
    }

    void toggleStaysInsideSixteenBits() {
        OscillatorControl panel;
        panel.SetWorking(-32768);
        Click(panel, "cmdWorking");
        QCOMPARE(panel.Working(), short(32767));
        QCOMPARE_EXACT(panel.Power(), -30.0);
    }

    void powerMovesTheScale_data() {
        QTest::addColumn<double>("dBnW");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        QTest::newRow("half up to even") << 5.5 << -6 << "6 dBnW";
        QTest::newRow("half down to even") << 6.5 << -6 << "6 dBnW";
        QTest::newRow("minus half to zero") << -0.5 << 0 << "0 dBnW";
        QTest::newRow("plain") << -20.0 << 20 << "-20 dBnW";
        QTest::newRow("near") << -20.4 << 20 << "-20 dBnW";
        QTest::newRow("top") << 10.0 << -10 << "10 dBnW";
        QTest::newRow("top half") << 10.5 << -10 << "10 dBnW";
        QTest::newRow("bottom is off") << -51.0 << 51 << "Off";
        QTest::newRow("half above bottom") << -50.5 << 50 << "-50 dBnW";
    }
    void powerMovesTheScale() {
        QFETCH(double, dBnW);
        QFETCH(int, position);
        QFETCH(QString, shown);
        OscillatorControl panel;
        panel.SetWorking(1);
        QVERIFY(panel.SetPower(dBnW));
        QCOMPARE(Scale(panel)->value(), position);
        QCOMPARE(TextOf(panel, "txtPower"), shown);
        QCOMPARE_EXACT(panel.Power(), shown == "Off" ? kOff : double(-position));
    }

    void powerOutsideTheScaleIsRefused_data() {
        QTest::addColumn<double>("dBnW");
        QTest::newRow("too strong") << 11.0;
        QTest::newRow("rounds below the bottom") << -51.5;
        QTest::newRow("the off value") << kOff;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
        QTest::newRow("minus infinite") << -std::numeric_limits<double>::infinity();
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
    }
    void powerOutsideTheScaleIsRefused() {
        QFETCH(double, dBnW);
        OscillatorControl panel;
        panel.SetWorking(1);
        Scale(panel)->setValue(25);
        TypeInto(Find<QLineEdit>(panel, "Text1"), "3MHz");
        QVERIFY(!panel.SetPower(dBnW));
        panel.setProperty("Power", dBnW);  // ignored, never thrown
        QCOMPARE(Scale(panel)->value(), 25);
        QCOMPARE_EXACT(panel.Power(), -25.0);
        QCOMPARE(TextOf(panel, "txtPower"), QString("-25 dBnW"));
        QCOMPARE(TextOf(panel, "Text1"), QString("3MHz"));  // no display update ran
    }

    void frequencyIsReadBackFromTheShownText_data() {
        QTest::addColumn<double>("mhz");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("readBack");
        QTest::newRow("third") << 1.0 / 3.0 << "0.333333333333333" << 0.333333333333333;
        QTest::newRow("large") << 1.5e16 << "1.5E+16" << 1.5e16;
        QTest::newRow("small") << 0.00001 << "1E-05" << 0.00001;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "NaN" << 0.0;
    }
    void frequencyIsReadBackFromTheShownText() {
        QFETCH(double, mhz);
        QFETCH(QString, shown);
        QFETCH(double, readBack);
        OscillatorControl panel;
        // Twice: the second write leaves the text unchanged and must still read it back.
        for (int i = 0; i < 2; ++i) {
            panel.setProperty("Frequency", mhz);
            QCOMPARE(TextOf(panel, "Text1"), shown);
            QCOMPARE_EXACT(panel.Frequency(), readBack);
        }
    }

    void tabOrderFollowsTheLayout() {
        OscillatorControl panel;
        QCOMPARE(TabOrder(panel, "cmdInvert", 5),
                 QStringList({"cmdInvert", "Text1", "vscPower", "cmdWorking", "cmdInvert"}));
    }
};

QTEST_MAIN(OscillatorControlTest)
#include "OscillatorControlTest.moc"
