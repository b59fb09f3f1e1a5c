// The core's window model against the desktop window: the same setup in both, the generator at
// the same place before each tick, and every caption, label and trace must match.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolTip>
#include <QtTest>
#include <string>
#include <string_view>
#include <vector>

#include "display/PictureBox.h"
#include "engine/UniformRandom.h"
#include "model/WindowModel.h"
#include "panel/PanelGeometry.h"
#include "panels/ColourButton.h"
#include "panels/StagePanel.h"
#include "setup/Experiments.h"
#include "support/FindControl.h"
#include "window/Quorvane.h"
#include "window/WindowProbe.h"

using quorvane::Quorvane;
using quorvane::WindowModel;
using quorvane::testing::Find;

namespace {

QString Name(const char* base, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(base)).arg(index);
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// An edit by the controls' names; the model must take it.
struct NamedEdit {
    const char* panel;  // empty: a window control
    const char* control;
    const char* value;
};

// Setups built by edits, as a student would make them, each ticked a few times so that the
// freeze, the centre's correction and the noise all come into play.
struct EditedSetup {
    const char* name;
    std::vector<NamedEdit> edits;
};

const std::vector<EditedSetup>& EditedSetups() {
    static const std::vector<EditedSetup> setups = {
        {"start-up, two test points", {{"", "cmdGraph(1)", ""}, {"", "cmdGraph(8)", ""}}},
        {"noisy single conversion, zoomed and frozen",
         {{"OscillatorControl1(0)", "cmdWorking", ""},
          {"OscillatorControl1(0)", "Text1", "7.25"},
          {"OscillatorControl1(0)", "vscPower", "12"},
          {"NoiseControl1", "cmdWorking", ""},
          {"NoiseControl1", "Text1", "2900"},
          {"", "Check1(1)", "1"},
          {"", "Check1(2)", ""},
          {"AmplifierControl1(0)", "cmbGain", "25"},
          {"AmplifierControl1(0)", "cmbIP3", "-20"},
          {"MixerControl1(0)", "cmbLOFreq", "9500"},
          {"", "cmdGraph(2)", ""},
          {"", "cmdGraph(4)", ""},
          {"", "hscSignal(0)", "4"},
          {"", "chkFreeze(0)", "1"},
          {"", "hscSpectrum(1)", "2"},
          {"", "hscCentre(1)", "37"}}},
        {"homodyne with a switching mixer and an inverted tone",
         {{"", "cmbMode", "Homodyne"},
          {"OscillatorControl1(1)", "cmdWorking", ""},
          {"OscillatorControl1(1)", "cmdInvert", ""},
          {"OscillatorControl1(1)", "Text1", "5.5"},
          {"OscillatorControl1(2)", "cmdWorking", ""},
          {"OscillatorControl1(2)", "Text1", "6.1"},
          {"MixerControl1(0)", "chkSwitching", "1"},
          {"", "Check1(2)", "1"},
          {"", "Check1(4)", "1"},
          {"FilterControl1(1)", "cmbRange", "300"},
          {"", "cmdGraph(5)", ""},
          {"", "cmdGraph(3)", ""},
          {"", "hscSpectrum(0)", "0"},
          {"", "hscCentre(0)", "200"}}},
        {"dual conversion, every slot in, a test point taken off again",
         {{"", "cmbMode", "Dual-Conversion Heterodyne"},
          {"OscillatorControl1(0)", "cmdWorking", ""},
          {"OscillatorControl1(0)", "Text1", "10"},
          {"NoiseControl1", "cmdWorking", ""},
          {"", "Check1(0)", "1"},
          {"", "Check1(1)", "1"},
          {"", "Check1(2)", "1"},
          {"", "Check1(3)", "1"},
          {"", "Check1(4)", "1"},
          {"", "Check1(5)", "1"},
          {"", "Check1(6)", "1"},
          {"MixerControl1(2)", "cmbLOFreq", "1.5"},
          {"OscillatorControl1(1)", "cmdWorking", ""},
          {"OscillatorControl1(1)", "vscPower", "51"},
          {"FilterControl1(3)", "cmbFreq", "0.5"},
          {"", "cmdGraph(6)", ""},
          {"", "cmdGraph(8)", ""},
          {"", "cmdGraph(7)", ""},
          {"", "cmdGraph(8)", ""},
          {"", "chkFreeze(1)", ""}}},
    };
    return setups;
}

void ApplyEdits(WindowModel& model, const std::vector<NamedEdit>& edits) {
    for (const NamedEdit& e : edits) {
        const std::string refused = *e.panel == '\0' ? model.Edit(e.control, e.value)
                                                     : model.EditPanel(e.panel, e.control, e.value);
        QVERIFY2(refused.empty(), refused.c_str());
    }
}

// What the window shows of one plot group, and its pictures' lines, as the model gives them.
QStringList GroupState(const Quorvane& w, int g) {
    QStringList state;
    for (const char* label :
         {"lblSignalMax", "lblMinTime", "lblMaxTime", "lblMinFreq", "lblMaxFreq"})
        state << Find<QLabel>(w, Name(label, g))->text();
    for (const char* picture : {"picSignal", "picSpectrum"}) {
        const auto* box = Find<quorvane::PictureBox>(w, Name(picture, g));
        state << box->accessibleDescription();
        const quorvane::Drawing& d = box->Current();
        QString lines = QString::number(d.colour) + ":";
        for (const quorvane::TwipLine& l : d.lines)
            lines += QStringLiteral("%1,%2,%3,%4;").arg(l.x1).arg(l.y1).arg(l.x2).arg(l.y2);
        state << lines;
    }
    return state;
}

QStringList GroupState(const WindowModel& m, int g) {
    const quorvane::PlotGroupView& v = m.PlotGroup(g);
    QStringList state = {Text(v.lblSignalMax), Text(v.lblMinTime), Text(v.lblMaxTime),
                         Text(v.lblMinFreq), Text(v.lblMaxFreq)};
    const std::pair<const std::string*, const quorvane::Drawing*> pictures[] = {
        {&v.timeDescription, &v.time}, {&v.spectrumDescription, &v.spectrum}};
    for (const auto& [description, d] : pictures) {
        state << Text(*description);
        QString lines = QString::number(d->colour) + ":";
        for (const quorvane::TwipLine& l : d->lines)
            lines += QStringLiteral("%1,%2,%3,%4;").arg(l.x1).arg(l.y1).arg(l.x2).arg(l.y2);
        state << lines;
    }
    return state;
}

// What the window shows around the plots: the arrangement, switches, buttons and leader lines.
QStringList WindowState(const Quorvane& w) {
    QStringList state;
    state << Find<QComboBox>(w, "cmbMode")->currentText();
    for (const QString& stage : quorvane::probe::StageNames()) {
        const auto* panel = Find<quorvane::StagePanel>(w, stage);
        state << QStringLiteral("%1 %2").arg(panel->Left()).arg(panel->isVisibleTo(&w));
    }
    for (int k = 0; k < quorvane::kSlotCount; ++k) {
        const auto* box = Find<QCheckBox>(w, Name("Check1", k));
        state << QStringLiteral("%1 %2 %3")
                     .arg(box->text())
                     .arg(box->isVisibleTo(&w))
                     .arg(box->isChecked());
    }
    for (int n = 1; n <= quorvane::layout::kTestPointCount; ++n)
        state << QString::number(Find<quorvane::ColourButton>(w, Name("cmdGraph", n))->BackColor());
    return state;
}

QStringList WindowState(const WindowModel& m) {
    QStringList state;
    state << Text(m.ModeText());
    const auto shown = m.StagesShown();
    for (int p = 0; p < quorvane::kStageCandidates; ++p)
        state << QStringLiteral("%1 %2").arg(m.StageLefts()[p]).arg(shown[p]);
    for (int k = 0; k < quorvane::kSlotCount; ++k) {
        const std::string_view caption = m.SwitchCaptions()[k];
        state << QStringLiteral("%1 %2 %3")
                     .arg(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())))
                     .arg(m.SwitchesShown()[k])
                     .arg(m.Settings().switchedIn[k]);
    }
    for (std::uint32_t colour : m.TestPointColours())
        state << QString::number(colour);
    return state;
}

// A stage panel's rows (box and unit label), from the panels' geometry.
std::vector<quorvane::ParameterRowPlace> Rows(quorvane::StageKind kind) {
    switch (kind) {
        case quorvane::StageKind::Filter: {
            const auto& g = quorvane::FilterPanelGeometry();
            return {g.rows.noise, g.rows.gain, g.centre, g.range};
        }
        case quorvane::StageKind::Mixer: {
            const auto& g = quorvane::MixerPanelGeometry();
            return {g.rows.noise, g.rows.gain, *g.rows.intercept, g.lo};
        }
        case quorvane::StageKind::Amplifier:
            break;
    }
    const auto& g = quorvane::AmplifierPanelGeometry();
    return {g.rows.noise, g.rows.gain, *g.rows.intercept};
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// What every panel shows: boxes, unit labels, the power scale and its read-out, the buttons'
// colours and the switching box, read from the window's controls by their names...
QStringList PanelsState(const Quorvane& w) {
    QStringList state;
    for (int k = 0; k < 3; ++k) {
        const auto* panel = Find<QWidget>(w, Name("OscillatorControl1", k));
        state << Find<QLineEdit>(*panel, "Text1")->text()
              << Find<QLabel>(*panel, "txtPower")->text()
              << QString::number(Find<QScrollBar>(*panel, "vscPower")->value())
              << QString::number(Find<quorvane::ColourButton>(*panel, "cmdWorking")->BackColor())
              << QString::number(Find<quorvane::ColourButton>(*panel, "cmdInvert")->BackColor());
    }
    const auto* noise = Find<QWidget>(w, "NoiseControl1");
    state << Find<QLineEdit>(*noise, "Text1")->text()
          << QString::number(Find<quorvane::ColourButton>(*noise, "cmdWorking")->BackColor());
    for (int p = 0; p < quorvane::kStageCandidates; ++p) {
        const quorvane::StageId id = quorvane::kCandidateOrder[p];
        const auto* panel = Find<QWidget>(w, Text(quorvane::DesignName(id)));
        for (const quorvane::ParameterRowPlace& row : Rows(id.kind))
            state << Find<QComboBox>(*panel, Text(row.list.name))->currentText()
                  << Find<QLabel>(*panel, Text(row.unit.name))->text();
        if (id.kind == quorvane::StageKind::Mixer)
            state << QString::number(Find<QCheckBox>(*panel, "chkSwitching")->isChecked());
    }
    return state;
}

// ... and from the model's panel states.
QStringList PanelsState(const WindowModel& m) {
    QStringList state;
    for (int k = 0; k < 3; ++k) {
        const quorvane::OscillatorPanelState& o = m.Oscillator(k);
        state << Text(o.FrequencyText().text) << Text(o.PowerText())
              << QString::number(o.ScalePosition()) << QString::number(o.WorkingColour())
              << QString::number(o.InvertColour());
    }
    state << Text(m.Noise().TemperatureText().text) << QString::number(m.Noise().WorkingColour());
    for (int p = 0; p < quorvane::kStageCandidates; ++p) {
        const quorvane::StageId id = quorvane::kCandidateOrder[p];
        const quorvane::ChainPanelState& panel = m.Stage(p);
        for (const quorvane::ParameterRowPlace& row : Rows(id.kind))
            state << Text(panel.Shown(row.box).text) << Text(panel.Unit(row.box));
        if (id.kind == quorvane::StageKind::Mixer)
            state << QString::number(m.Mixer(id.index).SwitchingChecked());
    }
    return state;
}

QString ToolTipOf(QWidget* widget) {
    QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &event);
    QToolTip::hideText();
    return widget->toolTip();
}

// The tooltips of the window's own controls and of every stage panel's number boxes.
void CompareToolTips(Quorvane& w, WindowModel& m) {
    QStringList names = {"cmbMode"};
    for (int k = 0; k < quorvane::kSlotCount; ++k)
        names << Name("Check1", k);
    for (int g = 0; g < 2; ++g) {
        for (const char* control :
             {"chkFreeze", "hscSignal", "hscSpectrum", "hscCentre", "lblSignalMax", "lblSignalZero",
              "lblMinTime", "lblMaxTime", "lblMinFreq", "lblMaxFreq"})
            names << Name(control, g);
    }
    for (const QString& name : names) {
        const QString tip = Find<QWidget>(w, name)->toolTip();
        QVERIFY2(!tip.isEmpty(), qPrintable(name));
        QCOMPARE(Text(m.ToolTip(name.toStdString())), tip);
    }
    QStringList panels = quorvane::probe::StageNames();
    panels << "OscillatorControl1(0)"
           << "OscillatorControl1(2)"
           << "NoiseControl1";
    for (const QString& panel : panels) {
        for (const char* box :
             {"Text1", "cmbNoise", "cmbGain", "cmbFreq", "cmbRange", "cmbLOFreq", "cmbIP3"}) {
            const auto* control = Find<QWidget>(w, panel)->findChild<QWidget*>(box);
            const std::string tip = m.PanelToolTip(panel.toStdString(), box);
            QCOMPARE(QString(control ? control->toolTip() : QString()), Text(tip));
        }
    }
}

// Ticks both `ticks` times, each with the generator where the other's tick started, and
// compares the caption, both plot groups and the read-outs after each.
void CompareTicks(Quorvane& w, WindowModel& m, int ticks) {
    quorvane::ProcessRandom() = quorvane::UniformRandom();
    for (int t = 0; t < ticks; ++t) {
        const quorvane::UniformRandom before = quorvane::ProcessRandom();
        w.Timer1_Timer();
        const quorvane::UniformRandom after = quorvane::ProcessRandom();
        quorvane::ProcessRandom() = before;
        m.Tick();
        // Both drew the same number of values.
        QCOMPARE(quorvane::ProcessRandom().Next(), quorvane::UniformRandom(after).Next());
        quorvane::ProcessRandom() = after;

        QCOMPARE(Text(m.PowerCaption()), Find<QLabel>(w, "lblPowerOut")->text());
        QVERIFY(!m.PowerCaption().empty());
        for (int g = 0; g < 2; ++g)
            QCOMPARE(GroupState(m, g), GroupState(w, g));
        QCOMPARE(WindowState(m), WindowState(w));
    }
    QCOMPARE(PanelsState(m), PanelsState(w));
    for (int n : {1, 4, 8}) {
        const QString tip = ToolTipOf(Find<QWidget>(w, Name("cmdGraph", n)));
        QVERIFY(!tip.isEmpty());
        QCOMPARE(Text(m.TestPointToolTip(n)), tip);
    }
    QCOMPARE(Text(m.PowerOutToolTip()), ToolTipOf(Find<QWidget>(w, "lblPowerOut")));
    CompareToolTips(w, m);
    QCOMPARE(Text(m.Summary()), w.Summary());
    // The pointer read-outs over both pictures of both groups, at a few places.
    for (int g = 0; g < 2; ++g) {
        const auto* time = Find<quorvane::PictureBox>(w, Name("picSignal", g));
        const auto* spectrum = Find<quorvane::PictureBox>(w, Name("picSpectrum", g));
        for (const QPointF pixel : {QPointF(3, 5), QPointF(200.5, 57), QPointF(390, 100)}) {
            const double x = pixel.x() * quorvane::kTwipsPerPixel;
            const double y = pixel.y() * quorvane::kTwipsPerPixel;
            QCOMPARE(Text(m.TimeReadout(g, x, y)), time->HoverTextAt(pixel));
            QCOMPARE(Text(m.SpectrumReadout(g, x, y)), spectrum->HoverTextAt(pixel));
        }
        // A drawn picture has something to read under the pointer.
        if (!m.PlotGroup(g).time.lines.empty())
            QVERIFY(!time->HoverTextAt(QPointF(200.5, 57)).isEmpty());
        if (!m.PlotGroup(g).spectrum.lines.empty())
            QVERIFY(!spectrum->HoverTextAt(QPointF(200.5, 57)).isEmpty());
    }
}

}  // namespace

class WindowModelTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void experimentsTickAlike();
    void editsByNameTickAlike();
    void editsByNameRefuseWhatNoControlTakes();
    void typedBoxesReadAlike();
};

// Each ready experiment, pasted into both, gives the same captions, labels and traces.
void WindowModelTest::experimentsTickAlike() {
    for (const quorvane::Experiment& experiment : quorvane::Experiments()) {
        Quorvane w;
        WindowModel m;
        const std::string setup(experiment.setup);
        QCOMPARE(w.ApplySetupText(Text(setup)), QString());
        QCOMPARE(m.ApplySetupText(setup), std::string());
        QCOMPARE(Text(m.SetupAsText()), w.SetupAsText());
        CompareTicks(w, m, 3);
    }
}

// The model edited by the controls' names holds the setup the window holds once the same
// setup is pasted into it, and then ticks as the window does.
void WindowModelTest::editsByNameTickAlike() {
    for (const EditedSetup& edited : EditedSetups()) {
        WindowModel m;
        ApplyEdits(m, edited.edits);
        Quorvane w;
        QCOMPARE(w.ApplySetupText(Text(m.SetupAsText())), QString());
        QCOMPARE(w.SetupAsText(), Text(m.SetupAsText()));
        CompareTicks(w, m, 3);
        // A pasted setup brings the model to the same state as the edits did.
        WindowModel pasted;
        QCOMPARE(pasted.ApplySetupText(m.SetupAsText()), std::string());
        QVERIFY(pasted.Settings() == quorvane::Cleaned(m.Settings()));
    }
}

void WindowModelTest::editsByNameRefuseWhatNoControlTakes() {
    WindowModel m;
    const std::string before = m.SetupAsText();
    QVERIFY(!m.Edit("Check1(7)", "1").empty());
    QVERIFY(!m.Edit("cmdGraph(0)").empty());
    QVERIFY(!m.Edit("hscSignal(2)", "1").empty());
    QVERIFY(!m.Edit("hscCentre(0)", "12.5").empty());
    QVERIFY(!m.Edit("Check1(1)", "yes").empty());
    QVERIFY(!m.EditPanel("FilterControl1(4)", "cmbGain", "3").empty());
    QVERIFY(!m.EditPanel("FilterControl1(0)", "cmbLOFreq", "3").empty());
    QVERIFY(!m.EditPanel("AmplifierControl1(1)", "cmbFreq", "3").empty());
    QVERIFY(!m.EditPanel("NoiseControl1", "vscPower", "3").empty());
    QCOMPARE(m.SetupAsText(), before);
    // A scroll bar stops at its ends, as the window's do.
    QCOMPARE(m.Edit("hscCentre(1)", "500"), std::string());
    QCOMPARE(m.Settings().plots[1].centre, quorvane::layout::kCentreScroll.maximum);
    QCOMPARE(m.EditPanel("OscillatorControl1(0)", "vscPower", "-99"), std::string());
    QCOMPARE(m.Settings().tones[0].powerPosition, quorvane::kPowerScaleTop);
}

// Texts typed into the boxes, clean or not, read alike: the same setup, tooltips and ticks.
void WindowModelTest::typedBoxesReadAlike() {
    const NamedEdit typed[] = {
        {"OscillatorControl1(0)", "Text1", "7,5"},
        {"NoiseControl1", "Text1", " 1 450 K"},
        {"FilterControl1(0)", "cmbFreq", "7500 kHz"},
        {"FilterControl1(1)", "cmbRange", ".3"},
        {"MixerControl1(0)", "cmbLOFreq", "abc"},
        {"AmplifierControl1(0)", "cmbIP3", "-12.50dBm"},
        {"AmplifierControl1(1)", "cmbGain", "1e1x"},
    };
    Quorvane w;
    WindowModel m;
    for (const char* click : {"cmdGraph(1)", "cmdGraph(8)"}) {
        QCOMPARE(m.Edit(click), std::string());
        Find<QAbstractButton>(w, click)->click();
    }
    for (const NamedEdit& e : {NamedEdit{"OscillatorControl1(0)", "cmdWorking", ""},
                               NamedEdit{"NoiseControl1", "cmdWorking", ""}}) {
        QCOMPARE(m.EditPanel(e.panel, e.control), std::string());
        Find<QWidget>(w, e.panel)->findChild<QAbstractButton*>(e.control)->click();
    }
    for (int k = 0; k < quorvane::kSlotCount; ++k) {
        QCOMPARE(m.Edit(Name("Check1", k).toStdString(), "1"), std::string());
        Find<QCheckBox>(w, Name("Check1", k))->setChecked(true);
    }
    for (const NamedEdit& e : typed) {
        QCOMPARE(m.EditPanel(e.panel, e.control, e.value), std::string());
        QObject* box = Find<QWidget>(w, e.panel)->findChild<QObject*>(e.control);
        if (auto* combo = qobject_cast<QComboBox*>(box))
            combo->setEditText(QString::fromUtf8(e.value));
        else
            qobject_cast<QLineEdit*>(box)->setText(QString::fromUtf8(e.value));
    }
    // The arrow keys step the lists from the typed values, and a click in the noise box reads
    // its text again.
    struct Step {
        const char* panel;
        const char* box;
        int direction;
    };
    for (const Step& s :
         {Step{"FilterControl1(1)", "cmbRange", -1}, Step{"AmplifierControl1(0)", "cmbIP3", -1},
          Step{"AmplifierControl1(1)", "cmbGain", +1}, Step{"MixerControl1(0)", "cmbLOFreq", -1},
          Step{"FilterControl1(2)", "cmbGain", +1}}) {
        QCOMPARE(m.StepList(s.panel, s.box, s.direction), std::string());
        auto* list = Find<QWidget>(w, s.panel)->findChild<QComboBox*>(s.box);
        const QString before = list->currentText();
        QTest::keyClick(list, s.direction < 0 ? Qt::Key_Up : Qt::Key_Down);
        if (std::string_view(s.box) != "cmbLOFreq")
            QVERIFY2(list->currentText() != before, s.panel);
    }
    QCOMPARE(m.ClickBox("NoiseControl1", "Text1"), std::string());
    QTest::mouseClick(Find<QWidget>(w, "NoiseControl1")->findChild<QLineEdit*>("Text1"),
                      Qt::LeftButton);
    QCOMPARE(Text(m.SetupAsText()), w.SetupAsText());
    CompareTicks(w, m, 2);
}

QTEST_MAIN(WindowModelTest)
#include "WindowModelTest.moc"
