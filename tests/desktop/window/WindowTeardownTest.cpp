// Destroying the window while a control still has keyboard focus, right after the user changed
// it: the control loses focus as the window goes, and nothing it then announces may reach the
// window or its panels. The run must end without a crash, a sanitizer report or a Qt warning.

#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "chain/Architecture.h"
#include "support/FindControl.h"
#include "window/Quorvane.h"

using namespace quorvane;
using testing::Find;
using testing::Name;

namespace {

QString ItemText(Architecture architecture) {
    const std::string_view item = kArchitectureItems[ItemOf(architecture)];
    return QString::fromUtf8(item.data(), static_cast<int>(item.size()));
}

// The control a row acts on: "panel/control", or a control of the window itself.
QWidget* ControlAt(const Quorvane& w, const QString& path) {
    const QStringList parts = path.split('/');
    const QObject& owner = parts.size() == 2 ? *Find(w, parts[0]) : static_cast<const QObject&>(w);
    return Find<QWidget>(owner, parts.last());
}

// Where typing goes: the edit line of a drop-down list, or the control itself.
QWidget* TypingTarget(QWidget* control) {
    if (auto* list = qobject_cast<QComboBox*>(control)) return list->lineEdit();
    return control;
}

// What the user's change can alter: everything the window reports of itself, and the position
// of a scroll bar, which it does not report.
QString Shown(const Quorvane& w, const QWidget* control) {
    QString shown = w.Summary();
    if (const auto* slider = qobject_cast<const QAbstractSlider*>(control))
        shown += QString("\nposition %1").arg(slider->value());
    return shown;
}

// Every warning or worse that Qt reports while the handler is installed.
QStringList& Complaints() {
    static QStringList complaints;
    return complaints;
}

void Collect(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg) Complaints() << message;
}

}  // namespace

class WindowTeardownTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void destroyedWithFocusInAChangedControl_data();
    void destroyedWithFocusInAChangedControl();
};

void WindowTeardownTest::destroyedWithFocusInAChangedControl_data() {
    QTest::addColumn<int>("architecture");  // the list item the window shows before the change
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed");  // empty: a key press changes the control instead
    QTest::addColumn<int>("key");

    const Architecture kAll[] = {Architecture::Homodyne, Architecture::SingleConversion,
                                 Architecture::DualConversion};
    // A kind of control and, per architecture in the order above, the panel of that kind which
    // stands in the chain there (empty: the architecture has none of that kind).
    struct Kind {
        const char* name;
        QStringList panels;
        const char* control;
        const char* typed;  // an item of the list where there is one, so leaving the box picks it
    };
    const QStringList amplifiers = {"AmplifierControl1(1)", "AmplifierControl1(0)", ""};
    const QStringList mixers = {"MixerControl1(0)", "MixerControl1(1)", "MixerControl1(2)"};
    const QStringList filters = {"FilterControl1(1)", "FilterControl1(2)", "FilterControl1(3)"};
    const QStringList tones = {"OscillatorControl1(0)", "OscillatorControl1(1)",
                               "OscillatorControl1(2)"};
    const Kind kinds[] = {
        {"amplifier gain", amplifiers, "cmbGain", "20"},
        {"mixer intercept", mixers, "cmbIP3", "-20"},
        {"mixer LO", mixers, "cmbLOFreq", "9"},
        {"filter centre", filters, "cmbFreq", "2"},
        {"filter bandwidth", filters, "cmbRange", "10"},
        {"tone frequency", tones, "Text1", "12.5"},
        {"noise temperature", QStringList(3, "NoiseControl1"), "Text1", "1000"},
    };
    for (int a = 0; a < 3; ++a) {
        const int item = ItemOf(kAll[a]);
        const QByteArray in = " in " + ItemText(kAll[a]).toUtf8();
        // The architecture box is left holding the name of the next architecture.
        const QString next = ItemText(kAll[(a + 1) % 3]);
        QTest::newRow(("architecture box" + in).constData()) << item << "cmbMode" << next << 0;
        for (const Kind& kind : kinds) {
            if (kind.panels[a].isEmpty()) continue;
            QTest::newRow((kind.name + in).constData())
                << item << kind.panels[a] + "/" + kind.control << kind.typed << 0;
        }
        QTest::newRow(("test point" + in).constData())
            << item << Name("cmdGraph", 2 * a + 2) << "" << int(Qt::Key_Space);
        const char* bars[] = {"hscSignal", "hscSpectrum", "hscCentre"};
        const int keys[] = {Qt::Key_End, Qt::Key_Home, Qt::Key_End};  // away from the start
        QTest::newRow(("scroll bar" + in).constData())
            << item << Name(bars[a], a % 2) << "" << keys[a];
    }
}

void WindowTeardownTest::destroyedWithFocusInAChangedControl() {
    QFETCH(int, architecture);
    QFETCH(QString, control);
    QFETCH(QString, typed);
    QFETCH(int, key);

    // Owned here until the deletion under test, so that a failed check leaks nothing.
    auto w = std::make_unique<Quorvane>();
    Find<QComboBox>(*w, "cmbMode")->setCurrentIndex(architecture);
    for (int slot = 0; slot < 7; ++slot)
        Find<QCheckBox>(*w, Name("Check1", slot))->setCheckState(Qt::Checked);
    w->show();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));

    QWidget* target = ControlAt(*w, control);
    QWidget* input = TypingTarget(target);
    input->setFocus(Qt::TabFocusReason);
    QVERIFY2(target->hasFocus(), qPrintable(control));
    const QString before = Shown(*w, target);
    if (typed.isEmpty()) {
        QTest::keyClick(input, static_cast<Qt::Key>(key));
    } else {
        qobject_cast<QLineEdit*>(input)->selectAll();
        QTest::keyClicks(input, typed);
    }
    QVERIFY2(Shown(*w, target) != before, "the change must alter what the window shows");
    QVERIFY(target->hasFocus());

    Complaints().clear();
    const QtMessageHandler previous = qInstallMessageHandler(&Collect);
    w.reset();
    qInstallMessageHandler(previous);
    QVERIFY2(Complaints().isEmpty(), qPrintable(Complaints().join('\n')));
}

QTEST_MAIN(WindowTeardownTest)
#include "WindowTeardownTest.moc"
