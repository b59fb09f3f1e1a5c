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
#include "display/PictureBox.h"
#include "panels/ColourButton.h"
#include "panels/LineControl.h"
#include "panels/OscillatorControl.h"
#include "window/Architecture.h"
#include "window/Quorvane.h"

using namespace quorvane;
using probe::Find;
using probe::Name;

namespace {

constexpr uint kFace = 0x8000000F;

const QString kSingle = "Single-Conversion Heterodyne";
const QString kDual = "Dual-Conversion Heterodyne";
const QString kHomodyne = "Homodyne";

// The panels standing in slots 0.. of each architecture.
QStringList SlotPanels(const QString& architecture) {
    if (architecture == kHomodyne)
        return {"FilterControl1(0)", "AmplifierControl1(0)", "MixerControl1(0)",
                "AmplifierControl1(1)", "FilterControl1(1)"};
    if (architecture == kDual)
        return {"FilterControl1(0)", "MixerControl1(0)", "FilterControl1(1)", "MixerControl1(1)",
                "FilterControl1(2)", "MixerControl1(2)", "FilterControl1(3)"};
    return {"FilterControl1(0)", "AmplifierControl1(0)", "MixerControl1(0)", "AmplifierControl1(1)",
            "FilterControl1(1)", "MixerControl1(1)",     "FilterControl1(2)"};
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

bool Interactive(QAccessibleInterface* i) {
    switch (i->role()) {
        case QAccessible::Button:
        case QAccessible::CheckBox:
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
        case QAccessible::ScrollBar:
            return true;
        default:
            return i->state().focusable;
    }
}

// The visible interactive controls under an interface; a list's edit line belongs to the list.
void Collect(QAccessibleInterface* i, QList<QAccessibleInterface*>& found,
             QList<QAccessibleInterface*>& groups) {
    if (!i || i->state().invisible) return;
    if (i->role() == QAccessible::Grouping) groups << i;
    if (Interactive(i)) {
        found << i;
        if (i->role() == QAccessible::ComboBox) return;
    }
    for (int k = 0; k < i->childCount(); ++k)
        Collect(i->child(k), found, groups);
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

QStringList PanelFocusOrder(const QString& panel) {
    if (panel.startsWith("Filter")) return {"cmbNoise", "cmbRange", "cmbFreq", "cmbGain"};
    if (panel.startsWith("Mixer"))
        return {"cmbNoise", "cmbIP3", "cmbGain", "cmbLOFreq", "chkSwitching"};
    return {"cmbGain", "cmbIP3", "cmbNoise"};
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
    const QStringList panels = SlotPanels(architecture);
    for (int slot = 0; slot < panels.size(); ++slot) {
        chain << Name("Check1", slot);
        for (const QString& control : PanelFocusOrder(panels[slot]))
            chain << panels[slot] + "/" + control;
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

// The last line of a control's tooltip, and whether every line is at most 45 characters.
QString LastToolTipLine(const QWidget* control, bool* narrow) {
    const QStringList lines = control->toolTip().split('\n');
    *narrow =
        std::all_of(lines.begin(), lines.end(), [](const QString& l) { return l.size() <= 45; });
    return lines.last();
}

void Type(QWidget* box, const QString& text) {
    auto* combo = qobject_cast<QComboBox*>(box);
    QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QAction* ActionNamed(const QWidget* control, const QString& text) {
    for (QAction* action : control->actions()) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

// Tone 1 at 5 MHz, test point 1 shown on the left, one tick drawn.
void DrawFiveMegahertz(Quorvane& w) {
    auto* tone = Find<OscillatorControl>(w, "OscillatorControl1(0)");
    tone->SetFrequency(5);
    tone->SetWorking(1);
    w.cmdGraph_Click(1);
    w.Timer1_Timer();
}

}  // namespace

class WindowAccessTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { QGuiApplication::clipboard()->clear(); }
    void accessibleTree_data();
    void accessibleTree();
    void tabChainFollowsTheWindowWithAMark_data();
    void tabChainFollowsTheWindowWithAMark();
    void boxTooltipsReadTheText_data();
    void boxTooltipsReadTheText();
    void copyActions_data();
    void copyActions();
    void copyShortcutLeavesTextBoxesTheirOwn_data();
    void copyShortcutLeavesTextBoxesTheirOwn();
    void shortcutsSelectAsClicksDo_data();
    void shortcutsSelectAsClicksDo();
};

void WindowAccessTest::accessibleTree_data() {
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<QStringList>("names");  // some names the tree must hold
    QTest::newRow("homodyne") << kHomodyne
                              << QStringList{"Baseband Filter bandwidth", "IF Amp gain",
                                             "Test point 6, after Baseband Filter",
                                             "Test point 7, after Baseband Filter"};
    QTest::newRow("single") << kSingle
                            << QStringList{"Image Filter noise figure", "1st Mixer LO frequency",
                                           "Test point 3, after LNA",   "Switch in IF Amp",
                                           "LNA third-order intercept", "Tone 2 power"};
    QTest::newRow("dual") << kDual
                          << QStringList{
                                 "3nd Mixer switching",           "1st IF Filter centre frequency",
                                 "Test point 3, after 1st Mixer", "Noise temperature",
                                 "Receiver architecture",         "Right plot: spectrum centre"};
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

    QList<QAccessibleInterface*> controls, groups;
    Collect(QAccessible::queryAccessibleInterface(&w), controls, groups);
    QStringList seen;
    for (QAccessibleInterface* i : controls) {
        const QString name = i->text(QAccessible::Name);
        const QString path = PathOf(static_cast<QWidget*>(i->object()));
        QVERIFY2(!name.isEmpty(), qPrintable(path + " has no name"));
        QVERIFY2(!seen.contains(name), qPrintable(path + " repeats the name " + name));
        seen << name;
        if (auto* button = qobject_cast<ColourButton*>(i->object())) {
            QVERIFY2(i->state().checkable, qPrintable(path));
            QCOMPARE(bool(i->state().checked), button->BackColor() != kFace);
        }
        if (i->role() == QAccessible::ScrollBar) {
            static const QRegularExpression unit("^(-?\\d+ dBnW|Off|[\\d.]+ (µs|MHz))$");
            const QString value = i->text(QAccessible::Value);
            QVERIFY2(unit.match(value).hasMatch(), qPrintable(path + " reads " + value));
        }
    }
    for (const QString& name : names)
        QVERIFY2(seen.contains(name), qPrintable("no control named " + name));

    QStringList titles;
    for (QAccessibleInterface* group : groups)
        titles << group->text(QAccessible::Name);
    QStringList expectedTitles = {"Tone 1", "Tone 2", "Tone 3", "Noise"};
    const Arrangement& a = ArrangementFor(ArchitectureFromText(architecture.toStdString()));
    for (int slot = 0; slot < a.filledSlots; ++slot)
        expectedTitles << QString::fromUtf8(a.assignments[slot].caption.data());
    titles.sort();
    expectedTitles.sort();
    QCOMPARE(titles, expectedTitles);

    auto* point3 = QAccessible::queryAccessibleInterface(Find<QWidget>(w, "cmdGraph(3)"));
    auto* point6 = QAccessible::queryAccessibleInterface(Find<QWidget>(w, "cmdGraph(6)"));
    QCOMPARE(point3->text(QAccessible::Description),
             QStringLiteral("shown in the left plot group"));
    QCOMPARE(point6->text(QAccessible::Description),
             QStringLiteral("shown in the right plot group"));
    auto* power = QAccessible::queryAccessibleInterface(Find<QLabel>(w, "lblPowerOut"));
    w.Timer1_Timer();
    QCOMPARE(power->text(QAccessible::Name), QStringLiteral("Output power"));
    QVERIFY(power->text(QAccessible::Value).startsWith("Pout = "));
}

void WindowAccessTest::tabChainFollowsTheWindowWithAMark_data() {
    QTest::addColumn<QString>("architecture");
    QTest::newRow("homodyne") << kHomodyne;
    QTest::newRow("single") << kSingle;
    QTest::newRow("dual") << kDual;
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
        QVERIFY(focus);
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

void WindowAccessTest::boxTooltipsReadTheText_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reading");
    QTest::newRow("comma") << "OscillatorControl1(0)/Text1"
                           << "7,5"
                           << "Reads as 7 MHz";
    QTest::newRow("letters") << "NoiseControl1/Text1"
                             << "abc"
                             << "Reads as 0 (no number at the start)";
    QTest::newRow("blanks") << "NoiseControl1/Text1"
                            << "1 2e2 K"
                            << "Reads as 1200 K";
    QTest::newRow("Inf") << "AmplifierControl1(0)/cmbIP3"
                         << "Inf"
                         << "Reads as 60 dBm (Inf)";
    QTest::newRow("inf") << "MixerControl1(0)/cmbIP3"
                         << "inf"
                         << "Reads as 0 (no number at the start)";
    QTest::newRow("intercept") << "MixerControl1(1)/cmbIP3"
                               << "-10dBm"
                               << "Reads as -10 dBm";
    QTest::newRow("sign only") << "AmplifierControl1(1)/cmbNoise"
                               << "-"
                               << "Reads as 0 (no number at the start)";
    QTest::newRow("gain") << "FilterControl1(0)/cmbGain"
                          << "-3.50"
                          << "Reads as -3.5 dB";
    QTest::newRow("LO kHz") << "MixerControl1(0)/cmbLOFreq"
                            << "500"
                            << "Reads as 500 kHz";
    QTest::newRow("LO 40") << "MixerControl1(0)/cmbLOFreq"
                           << "40"
                           << "Reads as 40 MHz";
    QTest::newRow("LO below 1") << "MixerControl1(0)/cmbLOFreq"
                                << "0.5"
                                << "Reads as 0.5 MHz";
    QTest::newRow("band below 1") << "FilterControl1(1)/cmbRange"
                                  << "0.5"
                                  << "Reads as 500 kHz";
    QTest::newRow("band 41") << "FilterControl1(2)/cmbFreq"
                             << "41"
                             << "Reads as 41 kHz";
    QTest::newRow("band 1e3") << "FilterControl1(2)/cmbFreq"
                              << "1e3"
                              << "Reads as 1 MHz";
    QTest::newRow("huge") << "FilterControl1(0)/cmbNoise"
                          << "1e999"
                          << "Reads as 1.79769313486232E+308 dB";
    QTest::newRow("architecture") << "cmbMode"
                                  << "homodyne"
                                  << "Reads as Single-Conversion Heterodyne";
}

void WindowAccessTest::boxTooltipsReadTheText() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, reading);
    Quorvane w;
    ShowWithEveryStage(w, kSingle);
    QWidget* control = ControlAt(w, box);
    Type(control, text);
    bool narrow = false;
    QCOMPARE(LastToolTipLine(control, &narrow), reading);
    QVERIFY2(narrow, qPrintable(control->toolTip()));
    // A read-out only: the text stays as typed.
    auto* combo = qobject_cast<QComboBox*>(control);
    QCOMPARE(combo ? combo->currentText() : qobject_cast<QLineEdit*>(control)->text(), text);
}

void WindowAccessTest::copyActions_data() {
    QTest::addColumn<QString>("control");  // empty: the window
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("image");
    QTest::addColumn<QStringList>("lines");  // the text's first lines
    QTest::addColumn<int>("rows");           // lines after them, -1: not counted
    QTest::addColumn<QString>("row");        // pattern of each such line
    QTest::newRow("time picture") << "picSignal(0)"
                                  << "Copy Picture" << true << QStringList{} << -1 << "";
    QTest::newRow("spectrum picture") << "picSpectrum(0)"
                                      << "Copy Picture" << true << QStringList{} << -1 << "";
    QTest::newRow("time data") << "picSignal(0)"
                               << "Copy Data" << false << QStringList{"Time (µs)\tVoltage (V)"}
                               << 100 << "^\\d+\\.\\d{4}\\t-?[\\d.]+(e-?\\d+)?$";
    QTest::newRow("spectrum data")
        << "picSpectrum(0)"
        << "Copy Data" << false
        << QStringList{
               "Frequency (MHz)\tLevel (dB relative to the strongest bin)\tSine peaking here (dBm)"}
        << 100 << "^\\d+\\.\\d{4}\\t-?\\d+\\.\\d{2}\\t-?\\d+\\.\\d{2}$";
    QTest::newRow("window") << ""
                            << "Copy Window" << true
                            << QStringList{"Quorvane",
                                           "Architecture: Single-Conversion Heterodyne",
                                           "Tone 1: 5 MHz, -30 dBnW",
                                           "Tone 2: 0 MHz, off, inverted",
                                           "Tone 3: 0 MHz, off",
                                           "Noise: 290 K, off",
                                           "LNA: gain 10 dB, noise figure 3 dB, IP3 Inf (60 dBm)",
                                           "IF Filter: centre 5 MHz, bandwidth 2 MHz, gain -3 dB, "
                                           "noise figure 3 dB",
                                           "Left plot group: test point 1, antenna",
                                           "Right plot group: no test point"}
                            << 1 << "^Output power: Pout = \\d\\.\\d{3}e[-+]\\d{2}$";
}

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
    Find<QCheckBox>(w, "Check1(1)")->setCheckState(Qt::Checked);
    Find<QCheckBox>(w, "Check1(4)")->setCheckState(Qt::Checked);
    Find<QAbstractButton>(*Find<QWidget>(w, "OscillatorControl1(1)"), "cmdInvert")->click();
    DrawFiveMegahertz(w);

    QWidget* source = control.isEmpty() ? static_cast<QWidget*>(&w) : Find<QWidget>(w, control);
    QAction* copy = ActionNamed(source, action);
    QVERIFY(copy);
    QCOMPARE(source->contextMenuPolicy(), Qt::ActionsContextMenu);
    copy->trigger();

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(data->hasImage(), image);
    if (image) {
        const QImage copied = qvariant_cast<QImage>(data->imageData());
        QCOMPARE(copied.size(), source->size() * source->devicePixelRatioF());
    }
    const QStringList text = data->text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(text.mid(0, lines.size()), lines);
    if (rows >= 0) QCOMPARE(text.size() - lines.size(), rows);
    const QRegularExpression pattern(row);
    for (const QString& line : text.mid(lines.size()))
        QVERIFY2(pattern.match(line).hasMatch(), qPrintable(line));
}

void WindowAccessTest::copyShortcutLeavesTextBoxesTheirOwn_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("window");  // whether Ctrl+C copies the window
    QTest::newRow("test point") << "cmdGraph(4)" << true;
    QTest::newRow("scroll bar") << "hscCentre(1)" << true;
    QTest::newRow("text box") << "NoiseControl1/Text1" << false;
    QTest::newRow("list") << "cmbMode" << false;
}

void WindowAccessTest::copyShortcutLeavesTextBoxesTheirOwn() {
    QFETCH(QString, focus);
    QFETCH(bool, window);
    Quorvane w;
    ShowWithEveryStage(w, kSingle);
    QWidget* control = ControlAt(w, focus);
    control->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
    if (auto* combo = qobject_cast<QComboBox*>(control)) combo->lineEdit()->selectAll();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(data->hasImage(), window);
    QCOMPARE(data->text().startsWith("Quorvane\n"), window);
    if (!window) QVERIFY(!data->text().isEmpty());  // the box copied its own text
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
    for (int g = 0; g < 2; ++g) {
        const auto* key = Find<LineControl>(keys, Name("lneToG", g));
        const auto* click = Find<LineControl>(clicks, Name("lneToG", g));
        QCOMPARE(key->Visible(), click->Visible());
        QCOMPARE(key->X1(), click->X1());
    }
}

QTEST_MAIN(WindowAccessTest)
#include "WindowAccessTest.moc"
