// The window as start-up leaves it, and what the architecture combo does to the layout.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QtTest>

#include "WindowProbe.h"
#include "panels/ColourButton.h"
#include "panels/FilterControl.h"
#include "panels/LineControl.h"
#include "ui/Twips.h"
#include "window/Quorvane.h"

using namespace quorvane;
using testing::Find;
using testing::Name;

class WindowLayoutTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void startupShowsSingleConversionWithNothingSwitchedIn();
    void controlPlaces_data();
    void controlPlaces();
    void labels_data();
    void labels();
    void scrollBars_data();
    void scrollBars();
    void lines_data();
    void lines();
    void stacking_data();
    void stacking();
    void lastTestPointStaysClickableOverTheLastPanel();
    void panelsHideWhatLiesBehindThem_data();
    void panelsHideWhatLiesBehindThem();
    void architectures_data();
    void architectures();
    void typingFollowsEveryKeystroke();
    void pickingAnItemArranges();
    void switchingBackAndForthRestoresSlots();
};

void WindowLayoutTest::startupShowsSingleConversionWithNothingSwitchedIn() {
    Quorvane w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Quorvane"));
    QCOMPARE(w.size(), QSize(1028, 689));

    auto* mode = Find<QComboBox>(w, "cmbMode");
    QCOMPARE(mode->currentText(), QStringLiteral("Single-Conversion Heterodyne"));
    QCOMPARE(mode->count(), 3);
    QCOMPARE(mode->itemText(0), QStringLiteral("Homodyne"));
    QCOMPARE(mode->itemText(2), QStringLiteral("Dual-Conversion Heterodyne"));
    QVERIFY(mode->isEditable());
    QCOMPARE(mode->insertPolicy(), QComboBox::NoInsert);
    QVERIFY(mode->completer() == nullptr);
    QCOMPARE(mode->font().pointSizeF(), 12.0);

    const QStringList captions = {"Image Filter", "LNA",       "1st Mixer",      "IF Amp",
                                  "IF Filter",    "2nd Mixer", "Baseband Filter"};
    for (int k = 0; k < 7; ++k) {
        auto* box = Find<QCheckBox>(w, Name("Check1", k));
        QCOMPARE(box->text(), captions[k]);
        QCOMPARE(box->checkState(), Qt::Unchecked);
        QVERIFY(!box->isHidden());
        QCOMPARE(box->font().pointSizeF(), 9.75);
    }
    for (int n = 1; n <= 8; ++n) {
        QCOMPARE(Find<ColourButton>(w, Name("cmdGraph", n))->BackColor(), 0x8000000Fu);
    }
    for (const QString& name : probe::StageNames())
        QVERIFY2(Find<QWidget>(w, name)->isHidden(), qPrintable(name));
    for (const char* name : {"OscillatorControl1(0)", "OscillatorControl1(1)",
                             "OscillatorControl1(2)", "NoiseControl1"}) {
        QVERIFY2(!Find<QWidget>(w, name)->isHidden(), name);
    }
    QCOMPARE(probe::StageLefts(w), (QList<int>{2040, 9640, 13440, 0, 5840, 11540, 0, 3940, 7740}));
    for (int g = 0; g < 2; ++g)
        QCOMPARE(Find<QCheckBox>(w, Name("chkFreeze", g))->checkState(), Qt::Unchecked);

    auto* timer = Find<QTimer>(w, "Timer1");
    QCOMPARE(timer->interval(), 250);
    QVERIFY(timer->isActive());
}

void WindowLayoutTest::controlPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");  // left, top, width, height
    QTest::newRow("oscillator 1") << "OscillatorControl1(1)" << QRect(0, 1440, 1815, 1455);
    QTest::newRow("oscillator 2") << "OscillatorControl1(2)" << QRect(0, 2880, 1815, 1455);
    QTest::newRow("noise") << "NoiseControl1" << QRect(0, 4320, 1815, 1215);
    QTest::newRow("filter") << "FilterControl1(1)" << QRect(9640, 1800, 1815, 3375);
    QTest::newRow("amplifier") << "AmplifierControl1(0)" << QRect(3940, 1800, 1815, 2415);
    QTest::newRow("mixer") << "MixerControl1(0)" << QRect(5840, 720, 1815, 3855);
    QTest::newRow("switch 0") << "Check1(0)" << QRect(2760, 240, 1215, 495);
    QTest::newRow("switch 4") << "Check1(4)" << QRect(9840, 240, 1455, 495);
    QTest::newRow("switch 6") << "Check1(6)" << QRect(13800, 240, 1335, 495);
    QTest::newRow("button 1") << "cmdGraph(1)" << QRect(1920, 2160, 255, 255);
    QTest::newRow("button 5") << "cmdGraph(5)" << QRect(9480, 2160, 255, 255);
    QTest::newRow("button 8") << "cmdGraph(8)" << QRect(15120, 2160, 255, 255);
    QTest::newRow("power") << "lblPowerOut" << QRect(12600, 5400, 2655, 255);
    QTest::newRow("time picture 0") << "picSignal(0)" << QRect(1080, 6000, 5895, 1695);
    QTest::newRow("spectrum picture 1") << "picSpectrum(1)" << QRect(8160, 8040, 5895, 1575);
    QTest::newRow("freeze 1") << "chkFreeze(1)" << QRect(13800, 6000, 255, 255);
    QTest::newRow("span 1") << "hscSpectrum(1)" << QRect(12720, 9360, 1335, 255);
    QTest::newRow("centre 0") << "hscCentre(0)" << QRect(3120, 9600, 1335, 255);
    QTest::newRow("signal max 1") << "lblSignalMax(1)" << QRect(7320, 5880, 735, 735);
    QTest::newRow("signal zero 0") << "lblSignalZero(0)" << QRect(720, 6720, 255, 375);
    QTest::newRow("max freq 1") << "lblMaxFreq(1)" << QRect(12960, 9600, 1095, 255);
}

void WindowLayoutTest::controlPlaces() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    Quorvane w;
    auto* control = Find<QWidget>(w, name);
    QCOMPARE(control->geometry(), TwipRect(twips.x(), twips.y(), twips.width(), twips.height()));
    if (auto* panel = qobject_cast<StagePanel*>(control)) {
        QCOMPARE(panel->Left(), twips.x());
        QCOMPARE(panel->Top(), twips.y());
    }
}

void WindowLayoutTest::labels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("horizontal");
    for (int g = 0; g < 2; ++g) {
        const QByteArray tag = QByteArray::number(g);
        QTest::newRow("max " + tag) << Name("lblSignalMax", g) << "0" << int(Qt::AlignRight);
        QTest::newRow("zero " + tag) << Name("lblSignalZero", g) << "0" << int(Qt::AlignRight);
        QTest::newRow("min time " + tag)
            << Name("lblMinTime", g) << "MinTime" << int(Qt::AlignLeft);
        QTest::newRow("max time " + tag)
            << Name("lblMaxTime", g) << "MaxTime" << int(Qt::AlignRight);
        QTest::newRow("min freq " + tag)
            << Name("lblMinFreq", g) << "MinFreq" << int(Qt::AlignLeft);
        QTest::newRow("max freq " + tag)
            << Name("lblMaxFreq", g) << "MaxFreq" << int(Qt::AlignRight);
    }
}

void WindowLayoutTest::labels() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, horizontal);
    Quorvane w;
    auto* label = Find<QLabel>(w, name);
    QCOMPARE(label->text(), text);
    QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), horizontal);
    QCOMPARE(label->font().pointSizeF(), 12.0);
}

void WindowLayoutTest::scrollBars_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("setting");  // minimum, maximum, page step, value
    for (int g = 0; g < 2; ++g) {
        const QByteArray tag = QByteArray::number(g);
        QTest::newRow("signal " + tag) << Name("hscSignal", g) << QList<int>{0, 6, 2, 0};
        QTest::newRow("spectrum " + tag) << Name("hscSpectrum", g) << QList<int>{0, 6, 3, 6};
        QTest::newRow("centre " + tag) << Name("hscCentre", g) << QList<int>{1, 200, 10, 100};
    }
}

void WindowLayoutTest::scrollBars() {
    QFETCH(QString, name);
    QFETCH(QList<int>, setting);
    Quorvane w;
    auto* bar = Find<QScrollBar>(w, name);
    QCOMPARE(bar->orientation(), Qt::Horizontal);
    QCOMPARE((QList<int>{bar->minimum(), bar->maximum(), bar->pageStep(), bar->value()}), setting);
    QCOMPARE(bar->singleStep(), 1);
}

void WindowLayoutTest::lines_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("ends");  // x1, y1, x2, y2, width
    QTest::newRow("source 0") << "lneDraw(1)" << QList<int>{2040, 2280, 1800, 1080, 3};
    QTest::newRow("source 1") << "lneDraw(2)" << QList<int>{1800, 2640, 2040, 2280, 3};
    QTest::newRow("source 2") << "lneDraw(0)" << QList<int>{1800, 4080, 2040, 2280, 3};
    QTest::newRow("noise") << "lneDraw(8)" << QList<int>{1800, 5040, 2040, 2280, 3};
    QTest::newRow("signal line") << "lneDraw(3)" << QList<int>{15240, 2280, 2040, 2280, 4};
    QTest::newRow("leader 0") << "lneToG(0)" << QList<int>{3960, 5760, 3975, 5775, 1};
    QTest::newRow("leader 1") << "lneToG(1)" << QList<int>{10800, 5760, 10815, 5775, 1};
}

void WindowLayoutTest::lines() {
    QFETCH(QString, name);
    QFETCH(QList<int>, ends);
    Quorvane w;
    auto* line = Find<LineControl>(w, name);
    QCOMPARE((QList<int>{int(line->X1()), int(line->Y1()), int(line->X2()), int(line->Y2()),
                         line->BorderWidth()}),
             ends);
    QVERIFY(line->Visible());
}

void WindowLayoutTest::stacking_data() {
    QTest::addColumn<QString>("front");
    QTest::addColumn<QString>("back");
    QTest::newRow("freeze boxes") << "chkFreeze(1)"
                                  << "chkFreeze(0)";
    QTest::newRow("switches over buttons") << "Check1(0)"
                                           << "cmdGraph(8)";
    QTest::newRow("last button over combo") << "cmdGraph(8)"
                                            << "cmbMode";
    QTest::newRow("combo over button 7") << "cmbMode"
                                         << "cmdGraph(7)";
    QTest::newRow("noise over plots") << "NoiseControl1"
                                      << "hscSpectrum(1)";
    QTest::newRow("pictures over buttons") << "picSignal(0)"
                                           << "cmdGraph(6)";
    QTest::newRow("buttons over panels") << "cmdGraph(1)"
                                         << "AmplifierControl1(1)";
    QTest::newRow("second amplifier over sources") << "AmplifierControl1(1)"
                                                   << "OscillatorControl1(0)";
    QTest::newRow("first filter over sources") << "FilterControl1(0)"
                                               << "OscillatorControl1(0)";
    QTest::newRow("sources in order") << "OscillatorControl1(0)"
                                      << "OscillatorControl1(1)";
    QTest::newRow("sources over parked") << "OscillatorControl1(2)"
                                         << "AmplifierControl1(0)";
    QTest::newRow("parked order") << "MixerControl1(2)"
                                  << "FilterControl1(3)";
    QTest::newRow("labels at the back") << "FilterControl1(3)"
                                        << "lblPowerOut";
}

void WindowLayoutTest::stacking() {
    QFETCH(QString, front);
    QFETCH(QString, back);
    Quorvane w;
    const QObjectList& order = w.children();  // back to front
    QVERIFY(order.indexOf(Find<QWidget>(w, front)) > order.indexOf(Find<QWidget>(w, back)));
}

void WindowLayoutTest::lastTestPointStaysClickableOverTheLastPanel() {
    Quorvane w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Find<QCheckBox>(w, "Check1(6)")->setCheckState(Qt::Checked);
    auto* panel = Find<QWidget>(w, "FilterControl1(2)");
    QVERIFY(panel->isVisible());
    auto* button = Find<ColourButton>(w, "cmdGraph(8)");
    const QPoint centre = button->geometry().center();
    QVERIFY(panel->geometry().contains(centre));
    QCOMPARE(w.childAt(centre), button);
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, centre);
    QCOMPARE(button->BackColor(), 0x00C00000u);
}

void WindowLayoutTest::panelsHideWhatLiesBehindThem_data() {
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QList<int>>("testPoints");
    QTest::addColumn<QList<QPoint>>("points");  // window twips that must show the background
    const QList<int> all = {0, 1, 2, 3, 4, 5, 6};
    // The signal line at y 2280 crosses the middle of every symbol: panel point (720, 480) of a
    // filter or amplifier, (640, 1560) of a mixer (just inside the circle's border).
    QTest::newRow("signal line, single conversion")
        << "Single-Conversion Heterodyne" << all << QList<int>{}
        << QList<QPoint>{{2760, 2280},  {4660, 2280},  {6480, 2280}, {8460, 2280},
                         {10360, 2280}, {12180, 2280}, {14160, 2280}};
    QTest::newRow("signal line, dual conversion")
        << "Dual-Conversion Heterodyne" << all << QList<int>{}
        << QList<QPoint>{{2760, 2280},  {4580, 2280},  {6560, 2280}, {8380, 2280},
                         {10360, 2280}, {12180, 2280}, {14160, 2280}};
    // The leader lines from test points 1 and 2 cross the image filter and the LNA.
    QTest::newRow("leader lines") << "Single-Conversion Heterodyne" << QList<int>{0, 1}
                                  << QList<int>{1, 2} << QList<QPoint>{{2817, 4000}, {4800, 2771}};
    // The LNA, parked by the dual-conversion layout, would cross oscillator 1 here.
    QTest::newRow("parked LNA") << "Dual-Conversion Heterodyne" << QList<int>{1} << QList<int>{}
                                << QList<QPoint>{{1200, 2340}};
}

void WindowLayoutTest::panelsHideWhatLiesBehindThem() {
    QFETCH(QString, architecture);
    QFETCH(QList<int>, ticked);
    QFETCH(QList<int>, testPoints);
    QFETCH(QList<QPoint>, points);
    Quorvane w;
    for (const int slot : ticked)
        Find<QCheckBox>(w, Name("Check1", slot))->setCheckState(Qt::Checked);
    Find<QComboBox>(w, "cmbMode")->setEditText(architecture);
    for (const int n : testPoints)
        w.cmdGraph_Click(n);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    const QImage picture = w.grab().toImage();
    const QColor background = w.palette().color(QPalette::Button);
    for (const QPoint& twips : points) {
        const QPoint pixel(twips.x() / kTwipsPerPixel, twips.y() / kTwipsPerPixel);
        QVERIFY2(picture.pixelColor(pixel) == background,
                 qPrintable(QStringLiteral("(%1, %2) shows %3")
                                .arg(twips.x())
                                .arg(twips.y())
                                .arg(picture.pixelColor(pixel).name())));
    }
}

void WindowLayoutTest::architectures_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("lefts");
    QTest::addColumn<QStringList>("captions");  // empty: switch hidden
    const QList<int> single = {2040, 9640, 13440, 0, 5840, 11540, 0, 3940, 7740};
    const QStringList singleCaptions = {"Image Filter", "LNA",       "1st Mixer",      "IF Amp",
                                        "IF Filter",    "2nd Mixer", "Baseband Filter"};
    QTest::newRow("homodyne") << "Homodyne" << QList<int>{2040, 9640, 0, 0, 5840, 0, 0, 3940, 7740}
                              << QStringList{"Image Filter",    "LNA", "1st Mixer", "IF Amp",
                                             "Baseband Filter", "",    ""};
    QTest::newRow("single") << "Single-Conversion Heterodyne" << single << singleCaptions;
    QTest::newRow("dual") << "Dual-Conversion Heterodyne"
                          << QList<int>{2040, 5840, 9640, 13440, 3940, 7740, 11540, 0, 0}
                          << QStringList{"Image Filter",   "1st Mixer",     "1st IF Filter",
                                         "2nd Mixer",      "2nd IF Filter", "3nd Mixer",
                                         "Baseband Filter"};
    QTest::newRow("lower case") << "homodyne" << single << singleCaptions;
    QTest::newRow("trailing blank") << "Homodyne " << single << singleCaptions;
    QTest::newRow("empty") << "" << single << singleCaptions;
}

void WindowLayoutTest::architectures() {
    QFETCH(QString, text);
    QFETCH(QList<int>, lefts);
    QFETCH(QStringList, captions);
    Quorvane w;
    // Start from the other exact architecture, so every row has to move panels.
    Find<QComboBox>(w, "cmbMode")
        ->setEditText(text == "Dual-Conversion Heterodyne" ? "Homodyne"
                                                           : "Dual-Conversion Heterodyne");
    Find<QComboBox>(w, "cmbMode")->setEditText(text);

    QCOMPARE(probe::StageLefts(w), lefts);
    for (int k = 0; k < 7; ++k) {
        auto* box = Find<QCheckBox>(w, Name("Check1", k));
        QCOMPARE(box->isHidden(), captions[k].isEmpty());
        if (!captions[k].isEmpty()) QCOMPARE(box->text(), captions[k]);
    }
    QCOMPARE(Find<StagePanel>(w, "MixerControl1(1)")->Top(), 720);
    QCOMPARE(Find<StagePanel>(w, "FilterControl1(3)")->Top(), 1800);
}

void WindowLayoutTest::typingFollowsEveryKeystroke() {
    Quorvane w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QLineEdit* edit = Find<QComboBox>(w, "cmbMode")->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, "Homodyn");
    QCOMPARE(edit->text(), QStringLiteral("Homodyn"));  // nothing completes the word
    QCOMPARE(Find<StagePanel>(w, "MixerControl1(1)")->Left(), 11540);
    QTest::keyClicks(edit, "E");
    QCOMPARE(Find<StagePanel>(w, "MixerControl1(1)")->Left(), 11540);  // "HomodynE"
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, "e");
    QCOMPARE(Find<StagePanel>(w, "MixerControl1(1)")->Left(), 0);
    QVERIFY(Find<QCheckBox>(w, "Check1(6)")->isHidden());
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(Find<QComboBox>(w, "cmbMode")->count(), 3);
    QTest::keyClicks(edit, " ");
    QCOMPARE(Find<StagePanel>(w, "MixerControl1(1)")->Left(), 11540);
    QVERIFY(!Find<QCheckBox>(w, "Check1(6)")->isHidden());
}

void WindowLayoutTest::pickingAnItemArranges() {
    Quorvane w;
    auto* mode = Find<QComboBox>(w, "cmbMode");
    {
        const QSignalBlocker quiet(mode);
        mode->setCurrentIndex(2);
    }
    QCOMPARE(Find<StagePanel>(w, "AmplifierControl1(0)")->Left(), 3940);  // not yet arranged
    w.cmbMode_Click();
    QCOMPARE(Find<StagePanel>(w, "AmplifierControl1(0)")->Left(), 0);
    QCOMPARE(Find<QCheckBox>(w, "Check1(5)")->text(), QStringLiteral("3nd Mixer"));
}

void WindowLayoutTest::switchingBackAndForthRestoresSlots() {
    Quorvane w;
    auto* mode = Find<QComboBox>(w, "cmbMode");
    auto* filter = Find<FilterControl>(w, "FilterControl1(1)");
    filter->SetCentreFreq(7);
    Find<QCheckBox>(w, "Check1(3)")->setCheckState(Qt::Checked);
    const QList<int> before = probe::StageLefts(w);

    for (const char* other : {"Dual-Conversion Heterodyne", "Homodyne"}) {
        mode->setEditText(other);
        QVERIFY(probe::StageLefts(w) != before);
        mode->setEditText("Single-Conversion Heterodyne");
        QCOMPARE(probe::StageLefts(w), before);
    }
    QCOMPARE(filter->CentreFreq(), 7.0);
    QCOMPARE(Find<QCheckBox>(w, "Check1(3)")->checkState(), Qt::Checked);
    QCOMPARE(Find<QCheckBox>(w, "Check1(3)")->text(), QStringLiteral("IF Amp"));
}

QTEST_MAIN(WindowLayoutTest)
#include "WindowLayoutTest.moc"
