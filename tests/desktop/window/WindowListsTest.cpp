// The drop-down lists of the window and its panels step from the value their box shows, and
// the wheel changes only a box that has keyboard focus.

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QWheelEvent>
#include <QtTest>

#include "WindowProbe.h"
#include "panels/SteppingComboBox.h"
#include "window/Quorvane.h"

using namespace quorvane;
using testing::Find;

namespace {

// A list in the window: the panel that holds it (empty for the window's own combo) and its name.
SteppingComboBox* ListOf(const Quorvane& w, const QString& panel, const QString& box) {
    const QObject& owner = panel.isEmpty() ? static_cast<const QObject&>(w) : *Find(w, panel);
    return Find<SteppingComboBox>(owner, box);
}

void TypeInto(SteppingComboBox* box, const QString& text) {
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
}

// A turn of the wheel over the box, one notch up (+1) or down (-1); true when the box took it.
bool Wheel(SteppingComboBox* box, int notches) {
    const QPointF centre = QRectF(box->rect()).center();
    QWheelEvent event(centre, box->mapToGlobal(centre), {}, {0, 120 * notches}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &event);
    return event.isAccepted();
}

// The window shown and active, with every slot ticked, so every panel can take focus.
void ShowWithEveryStage(Quorvane& w) {
    for (int slot = 0; slot < 7; ++slot)
        Find<QCheckBox>(w, testing::Name("Check1", slot))->setCheckState(Qt::Checked);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

}  // namespace

class WindowListsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void listsStepFromTheShownValue_data();
    void listsStepFromTheShownValue();
    void wheelNeedsFocus_data();
    void wheelNeedsFocus();
};

void WindowListsTest::listsStepFromTheShownValue_data() {
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");  // empty: the text the box starts with
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("currentBefore");
    QTest::addColumn<QString>("shown");
    const QString amplifier = "AmplifierControl1(0)";
    const QString filter = "FilterControl1(0)";
    const QString mixer = "MixerControl1(0)";
    QTest::newRow("gain 10, Down") << amplifier << "cmbGain"
                                   << ""
                                   << "Down" << 3 << "20";
    QTest::newRow("NF 3, Up") << amplifier << "cmbNoise"
                              << ""
                              << "Up" << 3 << "2";
    QTest::newRow("centre 5, Down") << filter << "cmbFreq"
                                    << ""
                                    << "Down" << 6 << "10";
    QTest::newRow("LO 6, Down: the next value") << mixer << "cmbLOFreq"
                                                << ""
                                                << "Down" << -1 << "9";
    QTest::newRow("gain 10, open and Enter") << amplifier << "cmbGain"
                                             << ""
                                             << "Enter" << 3 << "10";
    QTest::newRow("gain 15, Down") << amplifier << "cmbGain"
                                   << "15"
                                   << "Down" << -1 << "20";
    QTest::newRow("gain 15, Up") << amplifier << "cmbGain"
                                 << "15"
                                 << "PageUp" << -1 << "10";
    QTest::newRow("gain 1e1 is 10") << amplifier << "cmbGain"
                                    << "1e1"
                                    << "Down" << 3 << "20";
    QTest::newRow("gain 15, open and Enter: no item") << amplifier << "cmbGain"
                                                      << "15"
                                                      << "Enter" << -1 << "15";
    QTest::newRow("gain above the list, Down") << amplifier << "cmbGain"
                                               << "99"
                                               << "Down" << -1 << "99";
    QTest::newRow("IP3 falls: 15, Down") << amplifier << "cmbIP3"
                                         << "15"
                                         << "Down" << -1 << "10";
    QTest::newRow("IP3 falls: 15, Up") << amplifier << "cmbIP3"
                                       << "15"
                                       << "Up" << -1 << "20";
    QTest::newRow("IP3 60 is Inf, Down") << mixer << "cmbIP3"
                                         << "60"
                                         << "PageDown" << 0 << "20";
    QTest::newRow("IP3 Inf, Up: the top") << mixer << "cmbIP3"
                                          << ""
                                          << "Up" << 0 << "Inf";
    QTest::newRow("bandwidth 0.5 MHz is 500 kHz") << filter << "cmbRange"
                                                  << "0.5"
                                                  << "Down" << 2 << "1";
    QTest::newRow("LO 0.8 MHz is 800 kHz, Up") << mixer << "cmbLOFreq"
                                               << "0.8"
                                               << "Up" << 3 << "500";
    QTest::newRow("architecture, Down") << ""
                                        << "cmbMode"
                                        << ""
                                        << "Down" << 1 << "Dual-Conversion Heterodyne";
    QTest::newRow("any other text arranges single, Up") << ""
                                                        << "cmbMode"
                                                        << "homodyne"
                                                        << "Up" << 1 << "Homodyne";
    QTest::newRow("architecture at the top") << ""
                                             << "cmbMode"
                                             << "Homodyne"
                                             << "Up" << 0 << "Homodyne";
}

void WindowListsTest::listsStepFromTheShownValue() {
    QFETCH(QString, panel);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, action);
    QFETCH(int, currentBefore);
    QFETCH(QString, shown);
    Quorvane w;
    ShowWithEveryStage(w);
    SteppingComboBox* list = ListOf(w, panel, box);
    if (!typed.isEmpty()) TypeInto(list, typed);
    QCOMPARE(list->CurrentItem(), currentBefore);

    if (action == "Enter") {
        list->showPopup();
        QTest::keyClick(list->view(), Qt::Key_Return);
        list->hidePopup();
    } else {
        const QMap<QString, Qt::Key> keys = {{"Up", Qt::Key_Up},
                                             {"Down", Qt::Key_Down},
                                             {"PageUp", Qt::Key_PageUp},
                                             {"PageDown", Qt::Key_PageDown}};
        QTest::keyClick(list, keys.value(action));
    }
    QCOMPARE(list->currentText(), shown);
    QCOMPARE(list->CurrentItem(), list->findText(shown));
}

void WindowListsTest::wheelNeedsFocus_data() {
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<int>("notches");
    QTest::addColumn<QString>("shown");
    QTest::newRow("LO without focus") << "MixerControl1(1)"
                                      << "cmbLOFreq" << false << 1 << "6";
    QTest::newRow("LO with focus, up") << "MixerControl1(1)"
                                       << "cmbLOFreq" << true << 1 << "5";
    QTest::newRow("LO with focus, down") << "MixerControl1(1)"
                                         << "cmbLOFreq" << true << -1 << "9";
    QTest::newRow("gain with focus, down") << "AmplifierControl1(1)"
                                           << "cmbGain" << true << -1 << "20";
    QTest::newRow("architecture without focus")
        << ""
        << "cmbMode" << false << -1 << "Single-Conversion Heterodyne";
    QTest::newRow("architecture with focus")
        << ""
        << "cmbMode" << true << -1 << "Dual-Conversion Heterodyne";
}

void WindowListsTest::wheelNeedsFocus() {
    QFETCH(QString, panel);
    QFETCH(QString, box);
    QFETCH(bool, focused);
    QFETCH(int, notches);
    QFETCH(QString, shown);
    Quorvane w;
    ShowWithEveryStage(w);
    SteppingComboBox* list = ListOf(w, panel, box);
    QCOMPARE(list->focusPolicy(), Qt::StrongFocus);  // the wheel gives no focus
    if (focused) list->setFocus(Qt::TabFocusReason);
    QCOMPARE(list->hasFocus(), focused);

    QCOMPARE(Wheel(list, notches), focused);  // ignored without focus: it passes on
    QCOMPARE(list->currentText(), shown);
}

QTEST_MAIN(WindowListsTest)
#include "WindowListsTest.moc"
