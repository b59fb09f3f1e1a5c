#include <QCheckBox>
#include <QTest>

#include "PanelTestKit.h"
#include "panels/MixerControl.h"

using namespace quorvane;
using namespace quorvane::testing;

class MixerControlTest : public QObject {
    Q_OBJECT

  private:
    static QComboBox* LoBox(const MixerControl& panel) {
        return Find<QComboBox>(panel, "cmbLOFreq");
    }
    static QCheckBox* SwitchingBox(const MixerControl& panel) {
        return Find<QCheckBox>(panel, "chkSwitching");
    }

  private slots:
    void startsWithItsDefaults() {
        MixerControl panel;
        QCOMPARE_EXACT(panel.LO_Freq(), 6.0);
        QCOMPARE_EXACT(panel.NF(), 3.0);
        QCOMPARE_EXACT(panel.Gain(), 10.0);
        QCOMPARE_EXACT(panel.IP3(), 60.0);
        QCOMPARE(panel.Switching(), false);
        QVERIFY(!SwitchingBox(panel)->isChecked());
        const QStringList names{"cmbLOFreq", "Label1(7)", "Label1(6)", "cmbNoise",
                                "cmbGain",   "cmbIP3",    "Label1(5)"};
        const QStringList texts{"6", "MHz", "Fc", "3", "10", "Inf", "dBm"};
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(TextOf(panel, names[i]), texts[i]);
    }

    void loFrequencyText_data() {
        QTest::addColumn<bool>("picked");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("mhz");
        QTest::addColumn<QString>("unit");
        QTest::newRow("pick 100") << true << "100" << 0.1 << "kHz";
        QTest::newRow("pick 800") << true << "800" << 0.8 << "kHz";
        QTest::newRow("pick 1.2") << true << "1.2" << 1.2 << "MHz";
        QTest::newRow("pick 11") << true << "11" << 11.0 << "MHz";
        QTest::newRow("type 40") << false << "40" << 40.0 << "MHz";
        QTest::newRow("type 41") << false << "41" << 0.041 << "kHz";
        QTest::newRow("type 0.5") << false << "0.5" << 0.5 << "MHz";
        QTest::newRow("type 455kHz") << false << "455kHz" << 0.455 << "kHz";
        QTest::newRow("type empty") << false << "" << 0.0 << "MHz";
    }
    void loFrequencyText() {
        QFETCH(bool, picked);
        QFETCH(QString, text);
        QFETCH(double, mhz);
        QFETCH(QString, unit);
        MixerControl panel;
        TypeInto(LoBox(panel), "500");  // start from kHz, so the unit has to change back
        if (picked)
            Pick(LoBox(panel), text);
        else
            TypeInto(LoBox(panel), text);
        QCOMPARE_EXACT(panel.LO_Freq(), mhz);
        QCOMPARE(TextOf(panel, "Label1(7)"), unit);
        QCOMPARE(TextOf(panel, "cmbLOFreq"), text);
    }

    void writtenLoFrequencyIsReadBack_data() {
        QTest::addColumn<double>("mhz");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("readBack");
        QTest::addColumn<QString>("unit");
        QTest::newRow("MHz") << 2.5 << "2.5" << 2.5 << "MHz";
        QTest::newRow("1 MHz") << 1.0 << "1" << 1.0 << "MHz";
        QTest::newRow("kHz") << 0.5 << "500" << 0.5 << "kHz";
        QTest::newRow("41 kHz") << 0.041 << "41" << 0.041 << "kHz";
        // shown as 30, which the box reads as 30 MHz
        QTest::newRow("30 kHz") << 0.03 << "30" << 30.0 << "MHz";
        QTest::newRow("above 40 MHz") << 50.0 << "50" << 0.05 << "kHz";
        QTest::newRow("half a kHz") << 0.0005 << "0.5" << 0.5 << "MHz";
        QTest::newRow("zero") << 0.0 << "0" << 0.0 << "MHz";
    }
    void writtenLoFrequencyIsReadBack() {
        QFETCH(double, mhz);
        QFETCH(QString, shown);
        QFETCH(double, readBack);
        QFETCH(QString, unit);
        MixerControl panel;
        panel.setProperty("LO_Freq", mhz);
        QCOMPARE(TextOf(panel, "cmbLOFreq"), shown);
        QCOMPARE_EXACT(panel.LO_Freq(), readBack);
        QCOMPARE(TextOf(panel, "Label1(7)"), unit);
    }

    void switchingFollowsTheCheckBox() {
        MixerControl panel;
        QTest::mouseClick(SwitchingBox(panel), Qt::LeftButton);
        QCOMPARE(panel.Switching(), true);
        QCOMPARE(panel.property("Switching").toBool(), true);
        QTest::mouseClick(SwitchingBox(panel), Qt::LeftButton);
        QCOMPARE(panel.Switching(), false);
    }

    void writtenSwitchingSetsTheCheckBox_data() {
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<bool>("checked");
        QTest::newRow("true") << QVariant(true) << true;
        QTest::newRow("minus one") << QVariant(-1) << true;
        QTest::newRow("two") << QVariant(2) << true;
        QTest::newRow("zero") << QVariant(0) << false;
    }
    void writtenSwitchingSetsTheCheckBox() {
        QFETCH(QVariant, written);
        QFETCH(bool, checked);
        MixerControl panel;
        TypeInto(LoBox(panel), "2 MHz");
        panel.setProperty("Switching", written);
        QCOMPARE(SwitchingBox(panel)->isChecked(), checked);
        QCOMPARE(panel.Switching(), checked);
        QCOMPARE(TextOf(panel, "cmbLOFreq"), QString("2"));  // the write ran a display update
    }

    void interceptListReachesMinusThirty() {
        MixerControl panel;
        auto* box = Find<QComboBox>(panel, "cmbIP3");
        Pick(box, "-30");
        QCOMPARE_EXACT(panel.IP3(), -30.0);
        Pick(box, "Inf");
        QCOMPARE_EXACT(panel.IP3(), 60.0);
    }

    void tabOrderIsNoiseInterceptGainLoSwitching() {
        MixerControl panel;
        QCOMPARE(TabOrder(panel, "cmbNoise", 6),
                 QStringList(
                     {"cmbNoise", "cmbIP3", "cmbGain", "cmbLOFreq", "chkSwitching", "cmbNoise"}));
    }
};

QTEST_MAIN(MixerControlTest)
#include "MixerControlTest.moc"
