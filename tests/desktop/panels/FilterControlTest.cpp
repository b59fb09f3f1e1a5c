#include <QTest>

#include "PanelTestKit.h"
#include "panels/FilterControl.h"

using namespace quorvane;
using namespace quorvane::testing;

class FilterControlTest : public QObject {
    Q_OBJECT

  private slots:
    void startsWithItsDefaults() {
        FilterControl panel;
        QCOMPARE_EXACT(panel.NF(), 3.0);
        QCOMPARE_EXACT(panel.Gain(), -3.0);
        QCOMPARE_EXACT(panel.CentreFreq(), 5.0);
        QCOMPARE_EXACT(panel.Bandwidth(), 2.0);
        QCOMPARE_EXACT(panel.MinFreq(), 4.0);
        QCOMPARE_EXACT(panel.MaxFreq(), 6.0);
        const QStringList names{"cmbNoise",  "cmbGain",   "cmbFreq",   "Label1(6)", "cmbRange",
                                "Label1(7)", "Label1(4)", "Label1(5)", "Label1(3)"};
        const QStringList texts{"3", "-3", "5", "MHz", "2", "MHz", "Fc", "BW", "dB"};
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(TextOf(panel, names[i]), texts[i]);
        QVERIFY(!panel.findChild<QComboBox*>("cmbIP3"));
    }

    void bandTexts_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("picked");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("centre");
        QTest::addColumn<double>("bandwidth");
        QTest::addColumn<QString>("unit");
        QTest::newRow("centre pick 0") << "cmbFreq" << true << "0" << 0.0 << 2.0 << "kHz";
        QTest::newRow("centre pick 500") << "cmbFreq" << true << "500" << 0.5 << 2.0 << "kHz";
        QTest::newRow("centre pick 1") << "cmbFreq" << true << "1" << 1.0 << 2.0 << "MHz";
        QTest::newRow("centre type 40") << "cmbFreq" << false << "40" << 40.0 << 2.0 << "MHz";
        QTest::newRow("centre type 41") << "cmbFreq" << false << "41" << 0.041 << 2.0 << "kHz";
        QTest::newRow("centre type 0.5") << "cmbFreq" << false << "0.5" << 0.5 << 2.0 << "kHz";
        QTest::newRow("centre type empty") << "cmbFreq" << false << "" << 0.0 << 2.0 << "kHz";
        QTest::newRow("width pick 200") << "cmbRange" << true << "200" << 5.0 << 0.2 << "kHz";
        QTest::newRow("width pick 20") << "cmbRange" << true << "20" << 5.0 << 20.0 << "MHz";
        QTest::newRow("width type 200") << "cmbRange" << false << "200" << 5.0 << 0.2 << "kHz";
        QTest::newRow("width type 1500") << "cmbRange" << false << "1500" << 5.0 << 1.5 << "MHz";
    }
    void bandTexts() {
        QFETCH(QString, box);
        QFETCH(bool, picked);
        QFETCH(QString, text);
        QFETCH(double, centre);
        QFETCH(double, bandwidth);
        QFETCH(QString, unit);
        FilterControl panel;
        auto* combo = Find<QComboBox>(panel, box);
        if (picked)
            Pick(combo, text);
        else
            TypeInto(combo, text);
        QCOMPARE_EXACT(panel.CentreFreq(), centre);
        QCOMPARE_EXACT(panel.Bandwidth(), bandwidth);
        QCOMPARE_EXACT(panel.MinFreq(), centre - bandwidth / 2);
        QCOMPARE_EXACT(panel.MaxFreq(), centre + bandwidth / 2);
        QCOMPARE(TextOf(panel, box == "cmbFreq" ? "Label1(6)" : "Label1(7)"), unit);
        QCOMPARE(TextOf(panel, box), text);
    }

    void writtenBandIsReadBack_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<double>("mhz");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("readBack");
        QTest::addColumn<QString>("unit");
        QTest::newRow("centre 0.2") << "CentreFreq" << 0.2 << "200" << 0.2 << "kHz";
        QTest::newRow("centre 12") << "CentreFreq" << 12.0 << "12" << 12.0 << "MHz";
        QTest::newRow("centre 0") << "CentreFreq" << 0.0 << "0" << 0.0 << "kHz";
        QTest::newRow("centre 41") << "CentreFreq" << 41.0 << "41" << 0.041 << "kHz";
        QTest::newRow("centre -1") << "CentreFreq" << -1.0 << "-1000" << -1000.0 << "kHz";
        // shown as 30, which the box reads as 30 MHz; the unit says so
        QTest::newRow("width 0.03") << "Bandwidth" << 0.03 << "30" << 30.0 << "MHz";
        QTest::newRow("width 0.999") << "Bandwidth" << 0.999 << "999" << 0.999 << "kHz";
        QTest::newRow("width 1") << "Bandwidth" << 1.0 << "1" << 1.0 << "MHz";
    }
    void writtenBandIsReadBack() {
        QFETCH(QString, property);
        QFETCH(double, mhz);
        QFETCH(QString, shown);
        QFETCH(double, readBack);
        QFETCH(QString, unit);
        FilterControl panel;
        const bool centre = property == "CentreFreq";
        for (int i = 0; i < 2; ++i) {
            panel.setProperty(qPrintable(property), mhz);
            QCOMPARE(TextOf(panel, centre ? "cmbFreq" : "cmbRange"), shown);
            QCOMPARE_EXACT(panel.property(qPrintable(property)).toDouble(), readBack);
            QCOMPARE(TextOf(panel, centre ? "Label1(6)" : "Label1(7)"), unit);
        }
    }

    void edgeWritesAreIgnored_data() {
        QTest::addColumn<QString>("property");
        QTest::newRow("MinFreq") << "MinFreq";
        QTest::newRow("MaxFreq") << "MaxFreq";
    }
    void edgeWritesAreIgnored() {
        QFETCH(QString, property);
        FilterControl panel;
        TypeInto(Find<QComboBox>(panel, "cmbFreq"), "7 MHz");
        QVERIFY(panel.setProperty(qPrintable(property), 123.0));
        QCOMPARE_EXACT(panel.CentreFreq(), 7.0);
        QCOMPARE_EXACT(panel.Bandwidth(), 2.0);
        QCOMPARE_EXACT(panel.MinFreq(), 6.0);
        QCOMPARE_EXACT(panel.MaxFreq(), 8.0);
        QCOMPARE(TextOf(panel, "cmbFreq"), QString("7 MHz"));  // no display update
    }

    void tabOrderIsNoiseWidthCentreGain() {
        FilterControl panel;
        QCOMPARE(TabOrder(panel, "cmbNoise", 5),
                 QStringList({"cmbNoise", "cmbRange", "cmbFreq", "cmbGain", "cmbNoise"}));
    }
};

QTEST_MAIN(FilterControlTest)
#include "FilterControlTest.moc"
