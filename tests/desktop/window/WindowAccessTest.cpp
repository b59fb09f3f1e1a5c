// The window as keyboard and screen-reader users meet it, and what it copies for lab reports:
// the accessibility tree, the Tab chain and its focus mark, the tooltips' readings, the copy
// actions and the test-point shortcuts.

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRegularExpression>
#include <QtTest>

#include "WindowProbe.h"
#include "chain/Architecture.h"
#include "panels/ColourButton.h"
#include "panels/OscillatorControl.h"
#include "window/Quorvane.h"

using namespace quorvane;
using testing::Find;
using testing::Name;

namespace {

const QString kSingle = "Single-Conversion Heterodyne";
const QString kDual = "Dual-Conversion Heterodyne";
const QString kHomodyne = "Homodyne";

const Arrangement& ArrangementOf(const QString& architecture) {
    return ArrangementFor(ArchitectureFromText(architecture.toStdString()));
}

// The window shown and active in an architecture, every slot ticked so every stage shows.
void ShowWithEveryStage(Quorvane& w, const QString& architecture) {
    auto* mode = Find<QComboBox>(w, "cmbMode");
    mode->setEditText(architecture == kDual ? kHomodyne : kDual);  // names must follow a change
    for (int slot = 0; slot < 7; ++slot)
        Find<QCheckBox>(w, Name("Check1", slot))->setCheckState(Qt::Checked);
    mode->setEditText(architecture);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// The visible controls a user can operate, and the groups; a list's edit line belongs to it.
void Collect(QAccessibleInterface* i, QList<QAccessibleInterface*>& controls, QStringList& groups) {
    if (!i || i->state().invisible) return;
    if (i->role() == QAccessible::Grouping) groups << i->text(QAccessible::Name);
    static const QList<QAccessible::Role> kOperated = {
        QAccessible::Button, QAccessible::CheckBox, QAccessible::ComboBox,
        QAccessible::EditableText, QAccessible::ScrollBar};
    if (kOperated.contains(i->role()) || i->state().focusable) {
        controls << i;
        if (i->role() == QAccessible::ComboBox) return;
    }
    for (int k = 0; k < i->childCount(); ++k)
        Collect(i->child(k), controls, groups);
}

// "Panel/control" for a panel's control, the bare name for the window's own.
QString PathOf(const QWidget* control) {
    const QWidget* parent = control->parentWidget();
    if (qobject_cast<const QComboBox*>(parent)) return PathOf(parent);
    if (parent && parent->parentWidget()) return parent->objectName() + "/" + control->objectName();
    return control->objectName();
}

QWidget* ControlAt(const Quorvane& w, const QString& path) {
    const QStringList parts = path.split('/');
    if (parts.size() == 1) return Find<QWidget>(w, path);
    return Find<QWidget>(*Find<QWidget>(w, parts[0]), parts[1]);
}

QStringList ExpectedTabChain(const QString& architecture) {
    QStringList chain;
    for (int k = 0; k < 3; ++k) {
        for (const char* c : {"cmdInvert", "Text1", "vscPower", "cmdWorking"})
            chain << Name("OscillatorControl1", k) + "/" + c;
    }
    chain << "NoiseControl1/Text1"
          << "NoiseControl1/cmdWorking"
          << "cmbMode";
    const Arrangement& a = ArrangementOf(architecture);
    for (int slot = 0; slot < a.filledSlots; ++slot) {
        chain << Name("Check1", slot);
        const StageId stage = a.assignments[slot].stage;
        const char* const kinds[] = {"FilterControl1", "MixerControl1", "AmplifierControl1"};
        const QStringList order[] = {{"cmbNoise", "cmbRange", "cmbFreq", "cmbGain"},
                                     {"cmbNoise", "cmbIP3", "cmbGain", "cmbLOFreq", "chkSwitching"},
                                     {"cmbGain", "cmbIP3", "cmbNoise"}};
        const int kind = static_cast<int>(stage.kind);
        for (const QString& control : order[kind])
            chain << Name(kinds[kind], stage.index) + "/" + control;
    }
    for (int n = 1; n <= 8; ++n)
        chain << Name("cmdGraph", n);
    for (int g = 0; g < 2; ++g) {
        for (const char* c :
             {"picSignal", "chkFreeze", "hscSignal", "picSpectrum", "hscSpectrum", "hscCentre"})
            chain << Name(c, g);
    }
    return chain;
}

QLineEdit* EditOf(QWidget* box) {
    auto* combo = qobject_cast<QComboBox*>(box);
    return combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(box);
}

}  // namespace

class WindowAccessTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { QGuiApplication::clipboard()->clear(); }
    void accessibleTree_data();
    void accessibleTree();
    void tabChainFollowsTheWindowWithAMark_data() { accessibleTree_data(); }
    void tabChainFollowsTheWindowWithAMark();
    void boxTooltipsReadTheText();
    void copyActions_data();
    void copyActions();
    void copyShortcutLeavesTextBoxesTheirOwn();
    void shortcutsSelectAsClicksDo_data();
    void shortcutsSelectAsClicksDo();
};

void WindowAccessTest::accessibleTree_data() {
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<QStringList>("names");  // some names the tree must hold
    QTest::newRow("homodyne") << kHomodyne
                              << QStringList{"Baseband Filter bandwidth", "IF Amp gain",
                                             "Test point 7, after Baseband Filter"};
    QTest::newRow("single") << kSingle
                            << QStringList{"Image Filter noise figure", "1st Mixer LO frequency",
                                           "Test point 3, after LNA", "Switch in IF Amp",
                                           "Tone 2 power"};
    QTest::newRow("dual") << kDual
                          << QStringList{"3nd Mixer switching", "Test point 3, after 1st Mixer",
                                         "Noise temperature", "Receiver architecture",
                                         "Right plot: spectrum centre"};
}

void WindowAccessTest::accessibleTree() {
    QFETCH(QString, architecture);
    QFETCH(QStringList, names);
    Quorvane w;
    ShowWithEveryStage(w, architecture);
    Find<QAbstractButton>(*Find<QWidget>(w, "OscillatorControl1(1)"), "cmdInvert")->click();
    Find<QAbstractButton>(*Find<QWidget>(w, "NoiseControl1"), "cmdWorking")->click();
    w.cmdGraph_Click(3);
    w.cmdGraph_Click(6);
    w.Timer1_Timer();

    QList<QAccessibleInterface*> controls;
    QStringList groups;
    Collect(QAccessible::queryAccessibleInterface(&w), controls, groups);
    QStringList seen;
    static const QRegularExpression unit("^(-?\\d+ dBnW|Off|[\\d.]+ (µs|MHz))$");
    for (QAccessibleInterface* i : controls) {
        const QString name = i->text(QAccessible::Name);
        const QString path = PathOf(static_cast<QWidget*>(i->object()));
        QVERIFY2(!name.isEmpty() && !seen.contains(name), qPrintable(path + ": " + name));
        seen << name;
        if (auto* button = qobject_cast<ColourButton*>(i->object())) {
            QVERIFY2(i->state().checkable, qPrintable(path));
            QCOMPARE(bool(i->state().checked), button->BackColor() != 0x8000000Fu);
        }
        const QString value = i->text(QAccessible::Value);
        if (i->role() == QAccessible::ScrollBar)
            QVERIFY2(unit.match(value).hasMatch(), qPrintable(path + " reads " + value));
    }
    for (const QString& name : names)
        QVERIFY2(seen.contains(name), qPrintable("no control named " + name));

    QStringList titles = {"Tone 1", "Tone 2", "Tone 3", "Noise"};
    const Arrangement& a = ArrangementOf(architecture);
    for (int slot = 0; slot < a.filledSlots; ++slot)
        titles << QString::fromUtf8(a.assignments[slot].caption.data());
    titles.sort();
    groups.sort();
    QCOMPARE(groups, titles);

    const auto text = [&w](const char* control, QAccessible::Text t) {
        return QAccessible::queryAccessibleInterface(Find<QWidget>(w, control))->text(t);
    };
    QCOMPARE(text("cmdGraph(3)", QAccessible::Description), "shown in the left plot group");
    QCOMPARE(text("cmdGraph(6)", QAccessible::Description), "shown in the right plot group");
    QCOMPARE(text("lblPowerOut", QAccessible::Name), "Output power");
    QVERIFY(text("lblPowerOut", QAccessible::Value).startsWith("Pout = "));
    QVERIFY(text("picSignal(1)", QAccessible::Description).startsWith("Time trace: full scale "));
}

void WindowAccessTest::tabChainFollowsTheWindowWithAMark() {
    QFETCH(QString, architecture);
    Quorvane w;
    ShowWithEveryStage(w, architecture);
    w.cmdGraph_Click(2);  // the mark must show on a selected colour button too
    const QStringList expected = ExpectedTabChain(architecture);
    ControlAt(w, expected.first())->setFocus(Qt::TabFocusReason);

    const QColor highlight = w.palette().color(QPalette::Highlight);
    QStringList walked;
    for (int step = 0; step <= expected.size(); ++step) {
        QWidget* focus = QApplication::focusWidget();
        const QString path = PathOf(focus);
        walked << path;
        QWidget* control = ControlAt(w, path);
        auto* mark = w.findChild<QFocusFrame*>();
        QVERIFY2(mark && mark->widget() == control && mark->isVisible(), qPrintable(path));
        // One pixel left of the control, halfway down, lies on the ring.
        const QPointF left = control->mapTo(&w, QPointF(-1, control->height() / 2));
        const QImage window = w.grab().toImage();
        QCOMPARE(window.pixelColor((left * window.devicePixelRatio()).toPoint()), highlight);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QCOMPARE(walked, expected + QStringList{expected.first()});
    QCOMPARE(Find<ColourButton>(w, "cmdGraph(2)")->BackColor(), 0x00C00000u);
}

// A box's tooltip ends with what its text reads as; the text itself stays as typed.
void WindowAccessTest::boxTooltipsReadTheText() {
    const struct {
        const char* box;
        const char* text;
        const char* reading;
    } cases[] = {
        {"OscillatorControl1(0)/Text1", "7,5", "Reads as 7 MHz"},
        {"NoiseControl1/Text1", "abc", "Reads as 0 (no number at the start)"},
        {"NoiseControl1/Text1", "1 2e2 K", "Reads as 1200 K"},
        {"AmplifierControl1(0)/cmbIP3", "Inf", "Reads as 60 dBm (Inf)"},
        {"MixerControl1(0)/cmbIP3", "inf", "Reads as 0 (no number at the start)"},
        {"MixerControl1(1)/cmbIP3", "-10dBm", "Reads as -10 dBm"},
        {"AmplifierControl1(1)/cmbNoise", "-", "Reads as 0 (no number at the start)"},
        {"FilterControl1(0)/cmbGain", "-3.50", "Reads as -3.5 dB"},
        {"FilterControl1(0)/cmbNoise", "1e999", "Reads as 1.79769313486232E+308 dB"},
        {"MixerControl1(0)/cmbLOFreq", "500", "Reads as 500 kHz"},
        {"MixerControl1(0)/cmbLOFreq", "40", "Reads as 40 MHz"},
        {"MixerControl1(0)/cmbLOFreq", "0.5", "Reads as 0.5 MHz"},
        {"FilterControl1(1)/cmbRange", "0.5", "Reads as 500 kHz"},
        {"FilterControl1(2)/cmbFreq", "41", "Reads as 41 kHz"},
        {"FilterControl1(2)/cmbFreq", "1e3", "Reads as 1 MHz"},
        {"cmbMode", "homodyne", "Reads as Single-Conversion Heterodyne"},
    };
    Quorvane w;
    ShowWithEveryStage(w, kSingle);
    for (const auto& c : cases) {
        QWidget* box = ControlAt(w, c.box);
        QLineEdit* edit = EditOf(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, c.text);
        const QStringList lines = box->toolTip().split('\n');
        QCOMPARE(lines.last(), QString(c.reading));
        for (const QString& line : lines)
            QVERIFY2(line.size() <= 45, qPrintable(line));
        QCOMPARE(edit->text(), QString(c.text));
    }
}

void WindowAccessTest::copyActions_data() {
    QTest::addColumn<QString>("control");  // empty: the window
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("image");
    QTest::addColumn<QStringList>("lines");  // the text's first lines
    QTest::addColumn<int>("rows");           // lines after them, -1: not counted
    QTest::addColumn<QString>("row");        // pattern of each such line
    QTest::newRow("picture") << "picSpectrum(0)"
                             << "Copy Picture" << true << QStringList{} << 0 << "";
    QTest::newRow("time data") << "picSignal(0)"
                               << "Copy Data" << false
                               << QStringList{"Test point 1: antenna; time trace, full scale 10 µV",
                                              "Time (µs)\tVoltage (V)"}
                               << 100 << "^\\d+\\.\\d{4}\\t-?[\\d.]+(e-\\d+)?$";
    QTest::newRow("spectrum data")
        << "picSpectrum(0)"
        << "Copy Data" << false
        << QStringList{"Test point 1: antenna; spectrum, span 20 MHz (0 to 20 MHz)",
                       "Frequency (MHz)\tLevel (dB relative to the strongest bin)\tLevel (dBm, a "
                       "sine at the bin's centre)"}
        << 2049 << "^\\d+(\\.\\d+)?\\t-?\\d+\\.\\d{2}\\t-?\\d+\\.\\d{2}$";
    QTest::newRow("window") << ""
                            << "Copy Window" << true
                            << QStringList{"Quorvane",
                                           "Architecture: Single-Conversion Heterodyne",
                                           "Tone 1: 5 MHz, -30 dBnW",
                                           "Tone 2: 0 MHz, off, inverted",
                                           "Tone 3: 0 MHz, off",
                                           "Noise: 290 K, off",
                                           "LNA: gain 10 dB, noise figure 3 dB, IP3 Inf (60 dBm)",
                                           "1st Mixer: LO 6 MHz, multiplying, gain 10 dB, noise "
                                           "figure 3 dB, IP3 Inf (60 dBm)",
                                           "IF Filter: centre 5 MHz, bandwidth 2 MHz, gain -3 dB, "
                                           "noise figure 3 dB",
                                           "Left plot group: test point 1, antenna",
                                           "Right plot group: no test point"}
                            << 1 << "^Output power: Pout = \\d\\.\\d{3}e[-+]\\d{2}$";
}

// Tone 1 at 5 MHz, LNA, 1st mixer and IF filter switched in, test point 1 shown on the left, one
// tick.
void WindowAccessTest::copyActions() {
    QFETCH(QString, control);
    QFETCH(QString, action);
    QFETCH(bool, image);
    QFETCH(QStringList, lines);
    QFETCH(int, rows);
    QFETCH(QString, row);
    Quorvane w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (const char* slot : {"Check1(1)", "Check1(2)", "Check1(4)"})
        Find<QCheckBox>(w, slot)->setCheckState(Qt::Checked);
    Find<QAbstractButton>(*Find<QWidget>(w, "OscillatorControl1(1)"), "cmdInvert")->click();
    auto* tone = Find<OscillatorControl>(w, "OscillatorControl1(0)");
    tone->SetFrequency(5);
    tone->SetWorking(1);
    w.cmdGraph_Click(1);
    w.Timer1_Timer();

    QWidget* source = control.isEmpty() ? static_cast<QWidget*>(&w) : Find<QWidget>(w, control);
    QCOMPARE(source->contextMenuPolicy(), Qt::ActionsContextMenu);
    const QList<QAction*> actions = source->actions();
    const auto copy = std::find_if(actions.begin(), actions.end(),
                                   [&action](QAction* a) { return a->text() == action; });
    QVERIFY(copy != actions.end());
    (*copy)->trigger();

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(data->hasImage(), image);
    if (image) {
        const QImage copied = qvariant_cast<QImage>(data->imageData());
        // The window at its own resolution; a plot group's figure at twice the window's.
        const qreal ratio = control.isEmpty() ? source->devicePixelRatioF() : 2;
        QCOMPARE(copied.devicePixelRatio(), ratio);
        QCOMPARE(copied.width() > source->width() * ratio, !control.isEmpty());
    }
    QString copied = data->text();
    if (action == QLatin1String("Copy Window")) {
        // The setup that reproduces the window follows the summary.
        const QString setup = w.SetupAsText();
        QVERIFY(copied.endsWith("\n" + setup));
        copied.chop(setup.size());
    }
    const QStringList text = copied.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(text.mid(0, lines.size()), lines);
    QCOMPARE(text.size() - lines.size(), rows);
    const QRegularExpression pattern(row);
    for (const QString& line : text.mid(lines.size()))
        QVERIFY2(pattern.match(line).hasMatch(), qPrintable(line));
}

// Ctrl+C copies the window, except in a text box, which copies its own selected text.
void WindowAccessTest::copyShortcutLeavesTextBoxesTheirOwn() {
    const struct {
        const char* focus;
        bool window;
    } cases[] = {{"cmdGraph(4)", true},
                 {"hscCentre(1)", true},
                 {"picSignal(0)", true},
                 {"NoiseControl1/Text1", false},
                 {"cmbMode", false}};
    Quorvane w;
    ShowWithEveryStage(w, kSingle);
    for (const auto& c : cases) {
        QGuiApplication::clipboard()->clear();
        QWidget* control = ControlAt(w, c.focus);
        control->setFocus();
        if (QLineEdit* edit = EditOf(control)) edit->selectAll();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->hasImage(), c.window);
        QCOMPARE(data->text().startsWith("Quorvane\n"), c.window);
        QVERIFY(!data->text().isEmpty());
    }
}

void WindowAccessTest::shortcutsSelectAsClicksDo_data() {
    QTest::addColumn<QList<int>>("testPoints");
    QTest::newRow("one") << QList<int>{5};
    QTest::newRow("two, lower second") << QList<int>{5, 2};
    QTest::newRow("replace") << QList<int>{3, 6, 4};
    QTest::newRow("deselect") << QList<int>{8, 1, 8};
    QTest::newRow("all") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
}

void WindowAccessTest::shortcutsSelectAsClicksDo() {
    QFETCH(QList<int>, testPoints);
    Quorvane keys;
    Quorvane clicks;
    ShowWithEveryStage(keys, kSingle);
    for (const int n : testPoints) {
        QTest::keyClick(&keys, Qt::Key(Qt::Key_0 + n), Qt::ControlModifier);
        QTest::mouseClick(Find<ColourButton>(clicks, Name("cmdGraph", n)), Qt::LeftButton);
    }
    for (int n = 1; n <= 8; ++n) {
        QCOMPARE(Find<ColourButton>(keys, Name("cmdGraph", n))->BackColor(),
                 Find<ColourButton>(clicks, Name("cmdGraph", n))->BackColor());
    }
}

QTEST_MAIN(WindowAccessTest)
#include "WindowAccessTest.moc"
