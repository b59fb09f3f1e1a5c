// Bypass switches and test-point buttons, driven through the window's own controls.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include "WindowProbe.h"
#include "display/PictureBox.h"
#include "panels/ColourButton.h"
#include "panels/LineControl.h"
#include "window/Quorvane.h"

using namespace quorvane;
using testing::Find;
using testing::Name;

namespace {

constexpr uint kFace = 0x8000000F;
constexpr uint kBlue = 0x00C00000;
constexpr uint kPurple = 0x00800080;

void Click(Quorvane& w, int testPoint) {
    QTest::mouseClick(Find<ColourButton>(w, Name("cmdGraph", testPoint)), Qt::LeftButton);
}

// Button n's centre in twips, where its leader line starts.
QPointF ButtonCentre(int n) {
    const int lefts[] = {1920, 3720, 5640, 7440, 9480, 11400, 13320, 15120};
    return {lefts[n - 1] + 127.5, 2287.5};
}

Drawing SomeLines() {
    Drawing d;
    d.colour = kBlue;
    d.lines.push_back({0, 0, 100, 100});
    return d;
}

}  // namespace

class WindowHandlersTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void switchShowsAndHidesTheSlotPanel_data();
    void switchShowsAndHidesTheSlotPanel();
    void shownPanelsFollowTheSwitchesAcrossArchitectures_data();
    void shownPanelsFollowTheSwitchesAcrossArchitectures();
    void switchStillTogglesThePanelThatMovedIn();
    void partialValueShowsThePanel();
    void clickSequences_data();
    void clickSequences();
    void losingATestPointClearsOnlyThatGroup();
};

void WindowHandlersTest::switchShowsAndHidesTheSlotPanel_data() {
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("panel");
    QTest::newRow("LNA") << "Single-Conversion Heterodyne" << 1 << "AmplifierControl1(0)";
    QTest::newRow("IF filter") << "Single-Conversion Heterodyne" << 4 << "FilterControl1(1)";
    QTest::newRow("baseband") << "Single-Conversion Heterodyne" << 6 << "FilterControl1(2)";
    QTest::newRow("dual 3rd mixer") << "Dual-Conversion Heterodyne" << 5 << "MixerControl1(2)";
    QTest::newRow("dual baseband") << "Dual-Conversion Heterodyne" << 6 << "FilterControl1(3)";
    QTest::newRow("homodyne IF amp") << "Homodyne" << 3 << "AmplifierControl1(1)";
}

void WindowHandlersTest::switchShowsAndHidesTheSlotPanel() {
    QFETCH(QString, architecture);
    QFETCH(int, slot);
    QFETCH(QString, panel);
    Quorvane w;
    Find<QComboBox>(w, "cmbMode")->setEditText(architecture);
    auto* box = Find<QCheckBox>(w, Name("Check1", slot));
    auto* shown = Find<QWidget>(w, panel);

    box->setCheckState(Qt::Checked);
    QVERIFY(!shown->isHidden());
    for (const QString& other : probe::StageNames()) {
        if (other != panel) QVERIFY2(Find<QWidget>(w, other)->isHidden(), qPrintable(other));
    }
    box->setCheckState(Qt::Unchecked);
    QVERIFY(shown->isHidden());
}

void WindowHandlersTest::shownPanelsFollowTheSwitchesAcrossArchitectures_data() {
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QStringList>("architectures");
    QTest::addColumn<QStringList>("shown");
    const QString single = "Single-Conversion Heterodyne";
    const QString dual = "Dual-Conversion Heterodyne";
    const QList<int> all = {0, 1, 2, 3, 4, 5, 6};
    QTest::newRow("LNA ticked, to dual")
        << QList<int>{1} << QStringList{dual} << QStringList{"MixerControl1(0)"};
    QTest::newRow("IF Amp ticked, to dual")
        << QList<int>{3} << QStringList{dual} << QStringList{"MixerControl1(1)"};
    QTest::newRow("2nd Mixer ticked, to homodyne")
        << QList<int>{5} << QStringList{"Homodyne"} << QStringList{};
    QTest::newRow("and back") << QList<int>{5} << QStringList{"Homodyne", single}
                              << QStringList{"MixerControl1(1)"};
    QTest::newRow("all ticked, dual")
        << all << QStringList{dual}
        << QStringList{"FilterControl1(0)", "FilterControl1(1)", "FilterControl1(2)",
                       "FilterControl1(3)", "MixerControl1(0)",  "MixerControl1(1)",
                       "MixerControl1(2)"};
    QTest::newRow("all ticked, dual then homodyne")
        << all << QStringList{dual, "Homodyne"}
        << QStringList{"FilterControl1(0)", "FilterControl1(1)", "MixerControl1(0)",
                       "AmplifierControl1(0)", "AmplifierControl1(1)"};
    QTest::newRow("none ticked, dual") << QList<int>{} << QStringList{dual} << QStringList{};
    QTest::newRow("typed text arranges single conversion")
        << QList<int>{1, 6} << QStringList{dual, "homodyne"}
        << QStringList{"AmplifierControl1(0)", "FilterControl1(2)"};
}

// A panel shows exactly when its stage runs: the switches keep their values, and each slot's
// panel takes the visibility its switch gives; parked panels are hidden.
void WindowHandlersTest::shownPanelsFollowTheSwitchesAcrossArchitectures() {
    QFETCH(QList<int>, ticked);
    QFETCH(QStringList, architectures);
    QFETCH(QStringList, shown);
    Quorvane w;
    for (const int slot : ticked)
        Find<QCheckBox>(w, Name("Check1", slot))->setCheckState(Qt::Checked);
    for (const QString& architecture : architectures)
        Find<QComboBox>(w, "cmbMode")->setEditText(architecture);

    for (const QString& panel : probe::StageNames())
        QVERIFY2(Find<QWidget>(w, panel)->isHidden() != shown.contains(panel), qPrintable(panel));
    for (int slot = 0; slot < 7; ++slot) {
        QCOMPARE(Find<QCheckBox>(w, Name("Check1", slot))->checkState(),
                 ticked.contains(slot) ? Qt::Checked : Qt::Unchecked);
    }
}

void WindowHandlersTest::switchStillTogglesThePanelThatMovedIn() {
    Quorvane w;
    auto* box = Find<QCheckBox>(w, "Check1(3)");
    box->setCheckState(Qt::Checked);
    Find<QComboBox>(w, "cmbMode")->setEditText("Dual-Conversion Heterodyne");
    auto* mixer = Find<StagePanel>(w, "MixerControl1(1)");
    QCOMPARE(mixer->Left(), 7740);
    QVERIFY(!mixer->isHidden());
    box->click();
    QVERIFY(mixer->isHidden());
    QVERIFY(Find<StagePanel>(w, "AmplifierControl1(1)")->isHidden());
    box->click();
    QVERIFY(!mixer->isHidden());
}

void WindowHandlersTest::partialValueShowsThePanel() {
    Quorvane w;
    auto* box = Find<QCheckBox>(w, "Check1(0)");
    box->setTristate(true);
    box->setCheckState(Qt::PartiallyChecked);
    QVERIFY(!Find<QWidget>(w, "FilterControl1(0)")->isHidden());
}

// The selection rules themselves are the core's (TestPointSelectionTest); here clicks on the
// real buttons must reach the buttons' colours and the leader lines.
void WindowHandlersTest::clickSequences_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("one") << QList<int>{5} << 5 << 0;
    QTest::newRow("lower moves the first right") << QList<int>{5, 2} << 2 << 5;
    QTest::newRow("deselect first") << QList<int>{3, 6, 3} << 6 << 0;
    QTest::newRow("all eight in turn") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 1 << 8;
}

void WindowHandlersTest::clickSequences() {
    QFETCH(QList<int>, clicks);
    QFETCH(int, first);
    QFETCH(int, second);
    Quorvane w;
    for (int n : clicks)
        Click(w, n);

    for (int n = 1; n <= 8; ++n) {
        const uint expected = n == first ? kBlue : n == second ? kPurple : kFace;
        QCOMPARE(Find<ColourButton>(w, Name("cmdGraph", n))->BackColor(), expected);
    }
    const int shown[] = {first, second};
    const uint colours[] = {kBlue, kPurple};
    const QPointF frameTop[] = {{3607.5, 5760}, {10687.5, 5760}};
    for (int g = 0; g < 2; ++g) {
        auto* line = Find<LineControl>(w, Name("lneToG", g));
        QCOMPARE(line->Visible(), shown[g] != 0);
        if (shown[g] == 0) continue;
        QCOMPARE(QPointF(line->X1(), line->Y1()), ButtonCentre(shown[g]));
        QCOMPARE(QPointF(line->X2(), line->Y2()), frameTop[g]);
        QCOMPARE(line->BorderWidth(), 2);
        QCOMPARE(line->BorderColor(), colours[g]);
    }
}

void WindowHandlersTest::losingATestPointClearsOnlyThatGroup() {
    Quorvane w;
    Click(w, 3);
    Click(w, 6);
    for (const char* name : {"picSignal(0)", "picSpectrum(0)", "picSignal(1)", "picSpectrum(1)"}) {
        Find<PictureBox>(w, name)->Show(SomeLines());
    }
    Find<QLabel>(w, "lblMinTime(1)")->setText("12 us");

    Click(w, 6);
    QVERIFY(Find<PictureBox>(w, "picSignal(1)")->Current().lines.empty());
    QVERIFY(Find<PictureBox>(w, "picSpectrum(1)")->Current().lines.empty());
    QVERIFY(!Find<PictureBox>(w, "picSignal(0)")->Current().lines.empty());
    QCOMPARE(Find<QLabel>(w, "lblMinTime(1)")->text(), QStringLiteral("12 us"));

    Click(w, 3);
    QVERIFY(Find<PictureBox>(w, "picSignal(0)")->Current().lines.empty());
    QVERIFY(Find<PictureBox>(w, "picSpectrum(0)")->Current().lines.empty());
    QVERIFY(!Find<LineControl>(w, "lneToG(0)")->Visible());
    QVERIFY(!Find<LineControl>(w, "lneToG(1)")->Visible());
}

QTEST_MAIN(WindowHandlersTest)
#include "WindowHandlersTest.moc"
