#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>
#include <QScrollBar>
#include <QToolTip>
#include <QtTest>
#include <functional>

#include "engine/UniformRandom.h"
#include "panels/ColourButton.h"
#include "panels/StagePanel.h"
#include "setup/Experiments.h"
#include "support/FindControl.h"
#include "window/Quorvane.h"

using quorvane::Quorvane;
using quorvane::testing::Find;
using quorvane::testing::Name;

namespace {

const QStringList kPanels = {
    "OscillatorControl1(0)", "OscillatorControl1(1)", "OscillatorControl1(2)",
    "NoiseControl1",         "FilterControl1(0)",     "FilterControl1(1)",
    "FilterControl1(2)",     "FilterControl1(3)",     "MixerControl1(0)",
    "MixerControl1(1)",      "MixerControl1(2)",      "AmplifierControl1(0)",
    "AmplifierControl1(1)"};

// Every panel property, switch, test point and plot-group setting, one per line, exactly.
QStringList State(const Quorvane& w) {
    QStringList state;
    for (const QString& name : kPanels) {
        const QWidget* panel = Find<QWidget>(w, name);
        const QMetaObject* meta = panel->metaObject();
        for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
            const QVariant value = meta->property(i).read(panel);
            state << name + "." + meta->property(i).name() + "=" +
                         (value.typeId() == QMetaType::Double
                              ? QString::number(value.toDouble(), 'g', 17)
                              : value.toString());
        }
        state << name + ".visible=" + QString::number(panel->isVisible());
    }
    for (int k = 0; k < 7; ++k) {
        const auto* box = Find<QCheckBox>(w, Name("Check1", k));
        state << QString("Check1(%1)=%2 %3").arg(k).arg(box->checkState()).arg(box->isVisible());
        if (box->isVisible()) state << box->text();
    }
    for (int n = 1; n <= 8; ++n)
        state << QString::number(Find<quorvane::ColourButton>(w, Name("cmdGraph", n))->BackColor());
    for (int g = 0; g < 2; ++g) {
        for (const char* bar : {"hscSignal", "hscSpectrum", "hscCentre"})
            state << QString::number(Find<QScrollBar>(w, Name(bar, g))->value());
        state << QString::number(Find<QCheckBox>(w, Name("chkFreeze", g))->checkState());
    }
    state << Find<QComboBox>(w, "cmbMode")->currentText();
    return state;
}

QString Caption(const Quorvane& w) {
    return Find<QLabel>(w, "lblPowerOut")->text();
}

QWidget* Control(Quorvane& w, const char* panel, const char* control) {
    return Find<QWidget>(*Find<QWidget>(w, panel), control);
}

// Types over a box's text, as a student does.
void Type(Quorvane& w, const char* panel, const char* box, const QString& text) {
    QWidget* control = Control(w, panel, box);
    auto* combo = qobject_cast<QComboBox*>(control);
    QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(control);
    edit->selectAll();
    edit->insert(text);
}

void Click(Quorvane& w, const char* panel, const char* button) {
    Find<QAbstractButton>(*Find<QWidget>(w, panel), button)->click();
}

void Tick(Quorvane& w, const QString& switchName, Qt::CheckState state = Qt::Checked) {
    Find<QCheckBox>(w, switchName)->setCheckState(state);
}

QString ToolTipOf(QWidget* widget) {
    QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &event);
    QToolTip::hideText();
    return widget->toolTip();
}

using Steps = std::function<void(Quorvane&)>;

// Varied states, reached as a student reaches them. "quiet" ones have no noise anywhere.
struct Case {
    const char* name;
    bool quiet;
    Steps steps;
};

const Case kCases[] = {
    {"start-up", true, [](Quorvane&) {}},
    {"homodyne, typed texts, parked panels", false,
     [](Quorvane& w) {
         Find<QComboBox>(w, "cmbMode")->setCurrentIndex(0);
         Type(w, "OscillatorControl1(0)", "Text1", "12.5MHz");  // read as 12.5
         Click(w, "OscillatorControl1(0)", "cmdWorking");
         Find<QScrollBar>(*Find<QWidget>(w, "OscillatorControl1(0)"), "vscPower")->setValue(-7);
         Click(w, "OscillatorControl1(2)", "cmdInvert");
         Click(w, "NoiseControl1", "cmdWorking");
         Type(w, "NoiseControl1", "Text1", "1 000");  // read as 1000
         Tick(w, "Check1(1)");
         Tick(w, "Check1(6)");  // hidden in the homodyne
         Type(w, "AmplifierControl1(0)", "cmbGain", "20");
         Type(w, "MixerControl1(2)", "cmbLOFreq", "100");  // parked, kHz
         Type(w, "FilterControl1(3)", "cmbRange", "");     // parked, empty reads 0
         w.cmdGraph_Click(8);
         w.cmdGraph_Click(3);
         Find<QScrollBar>(w, "hscCentre(1)")->setValue(37);
         Find<QCheckBox>(w, "chkFreeze(0)")->setCheckState(Qt::Checked);
     }},
    {"dual conversion, quiet, every stage in", true,
     [](Quorvane& w) {
         Find<QComboBox>(w, "cmbMode")->setCurrentIndex(2);
         Type(w, "OscillatorControl1(0)", "Text1", "7.3");
         Click(w, "OscillatorControl1(0)", "cmdWorking");
         Type(w, "OscillatorControl1(1)", "Text1", "55");
         Click(w, "OscillatorControl1(1)", "cmdWorking");
         for (int k = 0; k < 7; ++k)
             Tick(w, Name("Check1", k));
         for (const char* panel :
              {"FilterControl1(0)", "FilterControl1(1)", "FilterControl1(2)", "FilterControl1(3)",
               "MixerControl1(0)", "MixerControl1(1)", "MixerControl1(2)"})
             Type(w, panel, "cmbNoise", "0");
         Type(w, "FilterControl1(1)", "cmbFreq", "500");
         Type(w, "FilterControl1(1)", "cmbRange", "7,5");  // reads as 7
         Type(w, "MixerControl1(0)", "cmbIP3", "-10");
         Type(w, "MixerControl1(0)", "cmbLOFreq", "0.4");
         Find<QCheckBox>(*Find<QWidget>(w, "MixerControl1(1)"), "chkSwitching")->setChecked(true);
         Type(w, "MixerControl1(2)", "cmbGain", "1e1");
         // Too long for a setup: copied as the shortest text that reads the same.
         Type(w, "MixerControl1(1)", "cmbGain", "10.000000000000000000000000000000001");
         w.cmdGraph_Click(2);
         Find<QScrollBar>(w, "hscSignal(0)")->setValue(5);
         Find<QScrollBar>(w, "hscSpectrum(0)")->setValue(1);
     }},
    {"single conversion, quiet, typed architecture", true,
     [](Quorvane& w) {
         Find<QComboBox>(w, "cmbMode")->setEditText("homodyne ");  // arranges single conversion
         Click(w, "OscillatorControl1(2)", "cmdWorking");
         Type(w, "OscillatorControl1(2)", "Text1", "3.1");
         for (int k : {1, 3})
             Tick(w, Name("Check1", k));
         Type(w, "AmplifierControl1(0)", "cmbNoise", "0");
         Type(w, "AmplifierControl1(1)", "cmbNoise", "0");
         Type(w, "AmplifierControl1(1)", "cmbIP3", "Inf");
         w.cmdGraph_Click(5);
     }},
};

}  // namespace

class WindowSetupTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void roundTrip();
    void copyPasteThroughTheClipboardKeepsPout();
    void refusedPasteChangesNothing();
    void pastedFreezeHoldsTheFirstRefresh();
    void experimentsApplyAndExplain();
    void ctrlVLeavesTextBoxesTheirOwn();
};

// Copy any state, paste it into a fresh window: every setting is the same; without noise the
// output power is too, and with noise once both generators stand at the same place.
void WindowSetupTest::roundTrip() {
    for (const Case& c : kCases) {
        Quorvane original;
        c.steps(original);
        const QString text = original.SetupAsText();
        Quorvane copy;
        QCOMPARE(copy.ApplySetupText(text), QString());
        QStringList expected = State(original);
        QStringList got = State(copy);
        // A typed architecture comes back as the list name that arranges the same way.
        expected.removeLast();
        got.removeLast();
        QCOMPARE(got, expected);
        QCOMPARE(copy.SetupAsText(), text);
        if (QLatin1String(c.name) == QLatin1String("start-up"))
            QCOMPARE(text, QStringLiteral("Quorvane setup 1\n"));

        if (!c.quiet) quorvane::ProcessRandom() = quorvane::UniformRandom();
        original.Timer1_Timer();
        if (!c.quiet) quorvane::ProcessRandom() = quorvane::UniformRandom();
        copy.Timer1_Timer();
        QCOMPARE(Caption(copy), Caption(original));
        QCOMPARE(copy.Summary(), original.Summary());
        // The test points explain the pasted chain.
        for (int n : {1, 4, 8}) {
            const QString tip = ToolTipOf(Find<QWidget>(copy, Name("cmdGraph", n)));
            QVERIFY(!tip.isEmpty());
            QCOMPARE(tip, ToolTipOf(Find<QWidget>(original, Name("cmdGraph", n))));
        }
    }
}

void WindowSetupTest::copyPasteThroughTheClipboardKeepsPout() {
    Quorvane original;
    kCases[2].steps(original);
    original.Timer1_Timer();
    auto action = [](Quorvane& w, const char* text) {
        for (QAction* a : w.actions())
            if (a->text() == QLatin1String(text)) return a;
        qFatal("no action %s", text);
    };
    QVERIFY(!action(original, "Copy Setup")->toolTip().isEmpty());
    QCOMPARE(action(original, "Copy Setup")->shortcut(), QKeySequence("Ctrl+Shift+C"));
    QCOMPARE(action(original, "Paste Setup")->shortcut(), QKeySequence("Ctrl+V"));
    action(original, "Copy Setup")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), original.SetupAsText());

    Quorvane fresh;
    action(fresh, "Paste Setup")->trigger();
    fresh.Timer1_Timer();
    QVERIFY(Caption(original).startsWith("Pout = "));
    QCOMPARE(Caption(fresh), Caption(original));

    // "Copy Window" carries the setup beneath the summary.
    action(original, "Copy Window")->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().endsWith("\n" + original.SetupAsText()));
}

// A setup with one bad line changes nothing, not even what its good lines before it name.
void WindowSetupTest::refusedPasteChangesNothing() {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"Architecture: Homodyne\nLNA: in, G 30 dB\nTone 1: 1e999 MHz", "Line 3: Tone 1"},
        {"Test points: 1\nLNA: in\nLNA: out", "Line 3: LNA: out"},
        {"Quorvane setup 1\nIF Filter: Fc 5 MHz, BW 2 MHz 3", "Line 2:"},
    };
    Quorvane w;
    kCases[1].steps(w);
    const QStringList before = State(w);
    for (const auto& c : cases) {
        const QString message = w.ApplySetupText(QString::fromUtf8(c.text));
        QVERIFY2(message.contains(QLatin1String(c.message)), qPrintable(message));
        QCOMPARE(State(w), before);
    }
}

// The freeze box of a pasted setup holds the scale of the first refresh after the paste, not the
// scale it held before.
void WindowSetupTest::pastedFreezeHoldsTheFirstRefresh() {
    Quorvane w;
    QCOMPARE(w.ApplySetupText("Tone 1: 5 MHz, -40 dBnW, on\nTest points: 1\nLeft plot: frozen"),
             QString());
    w.Timer1_Timer();
    const QString quiet = Find<QLabel>(w, "lblSignalMax(0)")->text();
    QCOMPARE(w.ApplySetupText("Tone 1: 5 MHz, 10 dBnW, on\nTest points: 1\nLeft plot: frozen"),
             QString());
    w.Timer1_Timer();
    const QString loud = Find<QLabel>(w, "lblSignalMax(0)")->text();
    QVERIFY2(loud != quiet, qPrintable(loud));
    Find<QScrollBar>(*Find<QWidget>(w, "OscillatorControl1(0)"), "vscPower")->setValue(40);
    w.Timer1_Timer();
    QCOMPARE(Find<QLabel>(w, "lblSignalMax(0)")->text(), loud);
}

void WindowSetupTest::experimentsApplyAndExplain() {
    const auto experiments = quorvane::Experiments();
    QVERIFY(experiments.size() >= 6);
    Quorvane w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* power = Find<QLabel>(w, "lblPowerOut");
    for (std::size_t i = 0; i < experiments.size(); ++i) {
        w.RunExperiment(static_cast<int>(i));
        QCOMPARE(w.SetupAsText().toStdString(), std::string(experiments[i].setup));
        auto* balloon = Find<QLabel>(w, "Balloon");
        QVERIFY(balloon->isVisible());
        const QString title = QString::fromUtf8(experiments[i].title.data(),
                                                static_cast<int>(experiments[i].title.size()));
        QVERIFY(balloon->text().contains(title));
        w.Timer1_Timer();
        QVERIFY2(ToolTipOf(power).contains(title), qPrintable(w.SetupAsText()));
        QTest::mouseClick(Find<QWidget>(w, "cmdGraph(7)"), Qt::LeftButton);
        QVERIFY(!balloon->isVisible());
        // The setup no longer stands as the experiment left it.
        QVERIFY(!ToolTipOf(power).contains(title));
    }
}

// Ctrl+V pastes a setup, except in a text box, which pastes the text into itself.
void WindowSetupTest::ctrlVLeavesTextBoxesTheirOwn() {
    Quorvane w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QGuiApplication::clipboard()->setText("Tone 2: on");
    auto* temperature = qobject_cast<QLineEdit*>(Control(w, "NoiseControl1", "Text1"));
    temperature->setFocus();
    temperature->selectAll();
    QTest::keyClick(temperature, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(temperature->text(), QStringLiteral("Tone 2: on"));
    QVERIFY(!w.SetupAsText().contains("Tone 2"));

    Find<QWidget>(w, "cmdGraph(4)")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.SetupAsText(), QStringLiteral("Quorvane setup 1\nTone 2: on\n"));
}

QTEST_MAIN(WindowSetupTest)
#include "WindowSetupTest.moc"
