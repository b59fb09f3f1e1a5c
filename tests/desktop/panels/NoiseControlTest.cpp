#include <QTest>

#include "PanelTestKit.h"
#include "panels/NoiseControl.h"

using namespace quorvane;
using namespace quorvane::testing;

namespace {
constexpr uint kFace = 0x8000000F;
constexpr uint kOrange = 0x0040C0;
}  // namespace

class NoiseControlTest : public QObject {
    Q_OBJECT

  private:
    static void ClickWorking(const NoiseControl& panel) {
        QTest::mouseClick(Find<QAbstractButton>(panel, "cmdWorking"), Qt::LeftButton);
    }

  private slots:
    void startsAtRoomTemperatureAndOff() {
        NoiseControl panel;
        QCOMPARE_EXACT(panel.Temperature(), 290.0);
        QCOMPARE(panel.Working(), short(0));
        QCOMPARE(TextOf(panel, "Text1"), QString("290"));
        QCOMPARE(TextOf(panel, "txtNoise"), QString("K"));
        QCOMPARE(TextOf(panel, "Label1"), QString("N"));
        QCOMPARE(BackColorOf(panel, "cmdWorking"), kFace);
    }

    void typedTemperature_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("kelvin");
        QTest::newRow("plain") << "1000" << 1000.0;
        QTest::newRow("with unit") << "77K" << 77.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("negative kept") << "-5" << -5.0;
        QTest::newRow("letters") << "hot" << 0.0;
    }
    void typedTemperature() {
        QFETCH(QString, text);
        QFETCH(double, kelvin);
        NoiseControl panel;
        TypeInto(Find<QLineEdit>(panel, "Text1"), text);
        QCOMPARE_EXACT(panel.Temperature(), kelvin);
        QCOMPARE(TextOf(panel, "Text1"), text);
    }

    void workingTogglesWithItsColour() {
        NoiseControl panel;
        ClickWorking(panel);
        QCOMPARE(panel.Working(), short(1));
        QCOMPARE(BackColorOf(panel, "cmdWorking"), kOrange);
        ClickWorking(panel);
        QCOMPARE(panel.Working(), short(0));
        QCOMPARE(BackColorOf(panel, "cmdWorking"), kFace);
    }

    void pressingWorkingRewritesTheBox() {
        NoiseControl panel;
        TypeInto(Find<QLineEdit>(panel, "Text1"), "77K");
        ClickWorking(panel);
        QCOMPARE(TextOf(panel, "Text1"), QString("77"));
        QCOMPARE_EXACT(panel.Temperature(), 77.0);
    }

    void writtenWorkingLeavesTheColour() {
        NoiseControl panel;
        panel.setProperty("Working", 1);
        QCOMPARE(panel.Working(), short(1));
        QCOMPARE(BackColorOf(panel, "cmdWorking"), kFace);
    }

    void writtenTemperatureIsReadBack_data() {
        QTest::addColumn<double>("kelvin");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("readBack");
        QTest::newRow("whole") << 300.0 << "300" << 300.0;
        QTest::newRow("sixteen digits")
            << 290.1234567890123 << "290.123456789012" << 290.123456789012;
        QTest::newRow("huge") << 1e300 << "1E+300" << 1e300;
    }
    void writtenTemperatureIsReadBack() {
        QFETCH(double, kelvin);
        QFETCH(QString, shown);
        QFETCH(double, readBack);
        NoiseControl panel;
        for (int i = 0; i < 2; ++i) {
            panel.setProperty("Temperature", kelvin);
            QCOMPARE(TextOf(panel, "Text1"), shown);
            QCOMPARE_EXACT(panel.Temperature(), readBack);
        }
    }
};

QTEST_MAIN(NoiseControlTest)
#include "NoiseControlTest.moc"
