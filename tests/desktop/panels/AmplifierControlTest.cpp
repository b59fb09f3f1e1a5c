#include <QTest>

#include "PanelTestKit.h"
#include "panels/AmplifierControl.h"

using namespace quorvane;
using namespace quorvane::testing;

// The parameter rows behave alike in the amplifier, mixer and filter; they are tested here.
class AmplifierControlTest : public QObject {
    Q_OBJECT

  private:
    // box, text, property, value
    static void TextColumns() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("property");
        QTest::addColumn<double>("value");
    }
    static void TextRow(const char* name, const char* box, const char* text, const char* property,
                        double value) {
        QTest::newRow(name) << QString(box) << QString(text) << QString(property) << value;
    }

  private slots:
    void startsWithItsDefaults() {
        AmplifierControl panel;
        QCOMPARE_EXACT(panel.NF(), 3.0);
        QCOMPARE_EXACT(panel.Gain(), 10.0);
        QCOMPARE_EXACT(panel.IP3(), 60.0);
        const QStringList names{"cmbNoise",  "cmbGain",   "cmbIP3",    "Label1(0)", "Label1(1)",
                                "Label1(2)", "Label1(3)", "Label1(4)", "Label1(5)"};
        const QStringList texts{"3", "10", "Inf", "NF", "dB", "G", "dB", "IP3", "dBm"};
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(TextOf(panel, names[i]), texts[i]);
    }

    void typedTexts_data() {
        TextColumns();
        TextRow("gain", "cmbGain", "15", "Gain", 15.0);
        TextRow("gain with unit", "cmbGain", "10dB", "Gain", 10.0);
        TextRow("gain empty", "cmbGain", "", "Gain", 0.0);
        TextRow("gain negative", "cmbGain", "-3", "Gain", -3.0);
        TextRow("noise", "cmbNoise", "4.5", "NF", 4.5);
        TextRow("intercept 60", "cmbIP3", "60", "IP3", 60.0);
        TextRow("intercept Inf", "cmbIP3", "Inf", "IP3", 60.0);
        TextRow("intercept inf", "cmbIP3", "inf", "IP3", 0.0);
        TextRow("intercept Inf dBm", "cmbIP3", "Inf dBm", "IP3", 0.0);
        TextRow("intercept -5", "cmbIP3", "-5", "IP3", -5.0);
    }
    void typedTexts() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, property);
        QFETCH(double, value);
        AmplifierControl panel;
        TypeInto(Find<QComboBox>(panel, box), text);
        QCOMPARE_EXACT(panel.property(qPrintable(property)).toDouble(), value);
        QCOMPARE(TextOf(panel, box), text);  // the rule leaves the text as typed
    }

    void enterNeitherAddsNorRewrites_data() {
        TextColumns();
        TextRow("new number", "cmbIP3", "15", "IP3", 15.0);
        TextRow("item in other case", "cmbIP3", "inf", "IP3", 0.0);
        TextRow("item", "cmbIP3", "-10", "IP3", -10.0);
    }
    void enterNeitherAddsNorRewrites() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(double, value);
        AmplifierControl panel;
        auto* combo = Find<QComboBox>(panel, box);
        TypeInto(combo, text);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(combo->count(), 5);
        QCOMPARE(combo->currentText(), text);
        QCOMPARE_EXACT(panel.IP3(), value);
    }

    void picks_data() {
        TextColumns();
        TextRow("intercept -10", "cmbIP3", "-10", "IP3", -10.0);
        TextRow("intercept Inf", "cmbIP3", "Inf", "IP3", 60.0);
        TextRow("gain 30", "cmbGain", "30", "Gain", 30.0);
        TextRow("gain first item", "cmbGain", "0", "Gain", 0.0);
        TextRow("noise 20", "cmbNoise", "20", "NF", 20.0);
    }
    void picks() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, property);
        QFETCH(double, value);
        AmplifierControl panel;
        auto* combo = Find<QComboBox>(panel, box);
        TypeInto(combo, "7.25");  // the pick must replace whatever was typed
        Pick(combo, text);
        QCOMPARE(TextOf(panel, box), text);
        QCOMPARE_EXACT(panel.property(qPrintable(property)).toDouble(), value);
    }

    void typedSixtyShowsInfAfterTheNextWrite() {
        AmplifierControl panel;
        TypeInto(Find<QComboBox>(panel, "cmbNoise"), "2 dB");
        TypeInto(Find<QComboBox>(panel, "cmbIP3"), "60");
        QCOMPARE(TextOf(panel, "cmbIP3"), QString("60"));
        panel.SetGain(20);
        QCOMPARE(TextOf(panel, "cmbIP3"), QString("Inf"));
        QCOMPARE(TextOf(panel, "cmbNoise"), QString("2"));
        QCOMPARE_EXACT(panel.IP3(), 60.0);
    }

    // The text shows 15 digits; the field ends as what the text reads back as, also when the
    // write leaves the text unchanged (hence two writes).
    void writesAreReadBack_data() {
        TextColumns();
        QTest::addColumn<double>("readBack");
        const auto row = [](const char* name, const char* box, const char* property, double value,
                            const char* shown, double readBack) {
            QTest::newRow(name) << QString(box) << QString(shown) << QString(property) << value
                                << readBack;
        };
        row("gain third", "cmbGain", "Gain", 1.0 / 3.0, "0.333333333333333", 0.333333333333333);
        row("noise small", "cmbNoise", "NF", 1e-5, "1E-05", 1e-5);
        row("intercept 60", "cmbIP3", "IP3", 60.0, "Inf", 60.0);
        row("intercept 60.5", "cmbIP3", "IP3", 60.5, "60.5", 60.5);
        row("just above 60", "cmbIP3", "IP3", 60.0000000000001, "60.0000000000001",
            60.0000000000001);
        row("60 after rounding", "cmbIP3", "IP3", 60.00000000000001, "60", 60.0);
    }
    void writesAreReadBack() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, property);
        QFETCH(double, value);
        QFETCH(double, readBack);
        AmplifierControl panel;
        for (int i = 0; i < 2; ++i) {
            panel.setProperty(qPrintable(property), value);
            QCOMPARE(TextOf(panel, box), text);
            QCOMPARE_EXACT(panel.property(qPrintable(property)).toDouble(), readBack);
        }
    }

    void tabOrderIsGainInterceptNoise() {
        AmplifierControl panel;
        QCOMPARE(TabOrder(panel, "cmbGain", 4),
                 QStringList({"cmbGain", "cmbIP3", "cmbNoise", "cmbGain"}));
    }
};

QTEST_MAIN(AmplifierControlTest)
#include "AmplifierControlTest.moc"
