// The scene a browser lays its window out from against the desktop window itself: after the
// same setup and the same ticks, every control the window has is in the scene under its name,
// at the same place, with the same text, state, tooltip and accessible name, and the scene has
// nothing the window lacks; the same for the lines, frames and pictures.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "display/PictureBox.h"
#include "engine/UniformRandom.h"
#include "model/WindowModel.h"
#include "panels/ColourButton.h"
#include "panels/LineControl.h"
#include "panels/StagePanel.h"
#include "scene/WindowScene.h"
#include "setup/Experiments.h"
#include "support/FindControl.h"
#include "ui/Twips.h"
#include "window/Quorvane.h"

using quorvane::Quorvane;
using quorvane::SceneControl;
using quorvane::SceneKind;
using quorvane::WindowModel;
using quorvane::WindowScene;
using quorvane::testing::Find;

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QRect Rect(int left, int top, int width, int height) {
    return quorvane::TwipRect(left, top, width, height);
}

// One control of the scene against the widget of that name under `parent`.
void CompareControl(const QWidget& parent, const SceneControl& c) {
    const QString name = Text(c.name);
    auto* widget = parent.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    QVERIFY2(widget, qPrintable(name));
    const QRect place = Rect(c.left, c.top, c.width, c.height);
    if (c.name == "cmbMode") {
        // The architecture list is as high as its font makes it.
        QCOMPARE(widget->geometry().topLeft(), place.topLeft());
        QCOMPARE(widget->width(), place.width());
    } else {
        QCOMPARE(widget->geometry(), place);
    }
    QVERIFY2(widget->isVisibleTo(&parent) == c.visible, qPrintable(name));
    QCOMPARE(widget->isEnabled(), c.enabled);
    if (!c.lazyTip) QCOMPARE(widget->toolTip(), Text(c.tip));
    QCOMPARE(widget->accessibleDescription(), Text(c.description));
    switch (c.kind) {
        case SceneKind::Label: {
            auto* label = qobject_cast<QLabel*>(widget);
            QVERIFY2(label, qPrintable(name));
            QCOMPARE(label->text(), Text(c.text));
            const Qt::Alignment horizontal = label->alignment() & Qt::AlignHorizontal_Mask;
            QCOMPARE(horizontal,
                     c.align == quorvane::SceneAlign::Right ? Qt::AlignRight : Qt::AlignLeft);
            // A label is read by its text unless it is named.
            QCOMPARE(Text(c.aria),
                     label->accessibleName().isEmpty() ? label->text() : label->accessibleName());
            return;
        }
        case SceneKind::TextBox:
            QVERIFY2(qobject_cast<QLineEdit*>(widget), qPrintable(name));
            QCOMPARE(qobject_cast<QLineEdit*>(widget)->text(), Text(c.text));
            break;
        case SceneKind::Combo: {
            auto* combo = qobject_cast<QComboBox*>(widget);
            QVERIFY2(combo, qPrintable(name));
            QCOMPARE(combo->currentText(), Text(c.text));
            QStringList items;
            for (int i = 0; i < combo->count(); ++i)
                items << combo->itemText(i);
            QStringList sceneItems;
            for (const std::string& item : c.items)
                sceneItems << Text(item);
            QCOMPARE(sceneItems, items);
            break;
        }
        case SceneKind::Check: {
            auto* box = qobject_cast<QCheckBox*>(widget);
            QVERIFY2(box, qPrintable(name));
            QCOMPARE(box->text(), Text(c.text));
            QCOMPARE(box->isChecked(), c.checked);
            break;
        }
        case SceneKind::Button: {
            auto* button = qobject_cast<quorvane::ColourButton*>(widget);
            QVERIFY2(button, qPrintable(name));
            QCOMPARE(Text(quorvane::CssColour(button->BackColor())), Text(c.colour));
            break;
        }
        case SceneKind::Range: {
            auto* bar = qobject_cast<QScrollBar*>(widget);
            QVERIFY2(bar && c.range, qPrintable(name));
            QCOMPARE(bar->minimum(), c.range->minimum);
            QCOMPARE(bar->maximum(), c.range->maximum);
            QCOMPARE(bar->singleStep(), c.range->step);
            QCOMPARE(bar->pageStep(), c.range->page);
            QCOMPARE(bar->value(), c.range->value);
            QCOMPARE(bar->orientation() == Qt::Vertical, c.range->vertical);
            break;
        }
    }
    QCOMPARE(widget->accessibleName(), Text(c.aria));
}

// The named widgets directly under `parent`, and the named lines and outlines.
QSet<QString> NamedWidgets(const QWidget& parent) {
    QSet<QString> names;
    for (const QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->objectName().isEmpty()) names << child->objectName();
    }
    return names;
}

void CompareLines(const QWidget& parent, const std::vector<quorvane::SceneLine>& lines) {
    QSet<QString> shown;
    for (const auto* line :
         parent.findChildren<quorvane::LineControl*>(Qt::FindDirectChildrenOnly)) {
        if (line->Visible()) shown << line->objectName();
    }
    QSet<QString> listed;
    for (const quorvane::SceneLine& l : lines) {
        listed << Text(l.name);
        const auto* line = Find<quorvane::LineControl>(parent, Text(l.name));
        QCOMPARE(static_cast<double>(line->X1()), l.x1);
        QCOMPARE(static_cast<double>(line->Y1()), l.y1);
        QCOMPARE(static_cast<double>(line->X2()), l.x2);
        QCOMPARE(static_cast<double>(line->Y2()), l.y2);
        QCOMPARE(line->BorderWidth(), l.width);
        const std::uint32_t colour = line->BorderColor();
        QCOMPARE(Text(l.colour), colour == quorvane::kWindowTextColour
                                     ? QStringLiteral("WindowText")
                                     : Text(quorvane::CssColour(colour)));
    }
    QCOMPARE(listed, shown);
}

void CompareOutlines(const QWidget& parent, const std::vector<quorvane::SceneOutline>& outlines) {
    const auto shapes = parent.findChildren<quorvane::ShapeControl*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(static_cast<std::size_t>(shapes.size()), outlines.size());
    for (const quorvane::SceneOutline& o : outlines) {
        const auto* shape = Find<quorvane::ShapeControl>(parent, Text(o.name));
        QCOMPARE(shape->Shape() == static_cast<int>(quorvane::ShapeKind::Circle),
                 o.kind == quorvane::SceneShape::Circle);
        QCOMPARE(QRect(shape->Left(), shape->Top(), shape->Width(), shape->Height()),
                 QRect(o.left, o.top, o.width, o.height));
        QCOMPARE(shape->BorderWidth(), o.border);
    }
}

void CompareScene(const Quorvane& w, const WindowScene& scene) {
    QCOMPARE(w.size(), Rect(0, 0, scene.width, scene.height).size());
    QSet<QString> listed;
    for (const quorvane::ScenePanel& p : scene.panels) {
        listed << Text(p.name);
        const auto* panel = Find<quorvane::StagePanel>(w, Text(p.name));
        QCOMPARE(panel->geometry(), Rect(p.left, p.top, p.width, p.height));
        QVERIFY2(panel->isVisibleTo(&w) == p.visible, qPrintable(panel->objectName()));
        QCOMPARE(panel->accessibleName(), Text(p.label));
        QSet<QString> controls;
        for (const SceneControl& c : p.controls) {
            CompareControl(*panel, c);
            controls << Text(c.name);
        }
        QCOMPARE(controls, NamedWidgets(*panel));
        // Labels first, behind the boxes; then what Tab reaches, in the panel's Tab order.
        QStringList tabOrder;
        for (const QWidget* control : panel->FocusOrder())
            tabOrder << control->objectName();
        QStringList stacked;
        bool labels = true;
        for (const SceneControl& c : p.controls) {
            if (c.kind == SceneKind::Label) {
                QVERIFY2(labels, qPrintable(Text(c.name)));
                continue;
            }
            labels = false;
            stacked << Text(c.name);
        }
        QCOMPARE(stacked, tabOrder);
        CompareLines(*panel, p.lines);
        CompareOutlines(*panel, p.outlines);
    }
    QStringList stacked;
    for (const SceneControl& c : scene.controls) {
        CompareControl(w, c);
        listed << Text(c.name);
        stacked << Text(c.name);
    }
    // Back to front as the window stacks them (a raised widget moves to the end of children()).
    QStringList windowStack;
    for (const QObject* child : w.children()) {
        if (stacked.contains(child->objectName())) windowStack << child->objectName();
    }
    QCOMPARE(stacked, windowStack);
    for (const quorvane::ScenePicture& p : scene.pictures) {
        listed << Text(p.name);
        const auto* picture = Find<quorvane::PictureBox>(w, Text(p.name));
        QCOMPARE(picture->geometry(), Rect(p.left, p.top, p.width, p.height));
        QCOMPARE(picture->accessibleName(), Text(p.aria));
        QCOMPARE(picture->accessibleDescription(), Text(p.description));
        const quorvane::Drawing& drawing = picture->Current();
        std::vector<float> lines;
        for (const quorvane::TwipLine& l : drawing.lines)
            lines.insert(lines.end(), {l.x1, l.y1, l.x2, l.y2});
        QVERIFY2(lines == p.lines, qPrintable(picture->objectName()));
        if (!lines.empty()) QCOMPARE(Text(quorvane::CssColour(drawing.colour)), Text(p.colour));
    }
    // Everything named in the window is in the scene, and nothing else.
    QSet<QString> windowNames = NamedWidgets(w);
    windowNames.remove(QStringLiteral("Experiments"));  // the context menu's submenu
    windowNames.remove(QStringLiteral("Balloon"));      // an experiment's passing note
    QCOMPARE(QSet<QString>(windowNames).subtract(listed), QSet<QString>());
    QCOMPARE(QSet<QString>(listed).subtract(windowNames), QSet<QString>());
    CompareLines(w, scene.lines);
    CompareOutlines(w, scene.outlines);
}

// Ticks both with the generator at the same place before each tick.
void TickBoth(Quorvane& w, WindowModel& m, int ticks) {
    for (int t = 0; t < ticks; ++t) {
        const quorvane::UniformRandom before = quorvane::ProcessRandom();
        w.Timer1_Timer();
        quorvane::ProcessRandom() = before;
        m.Tick();
    }
}

}  // namespace

class WindowSceneTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void sceneShowsWhatTheWindowShows_data();
    void sceneShowsWhatTheWindowShows();
};

void WindowSceneTest::sceneShowsWhatTheWindowShows_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("ticks");
    QTest::newRow("start-up, no tick") << QString() << 0;
    // Typed boxes, a tone inverted, two test points, a frozen group, moved bars.
    WindowModel edited;
    const std::pair<const char*, const char*> windowEdits[] = {
        {"cmbMode", "Homodyne"}, {"Check1(2)", "1"},      {"Check1(4)", "1"},
        {"cmdGraph(3)", ""},     {"cmdGraph(6)", ""},     {"hscSignal(0)", "4"},
        {"chkFreeze(0)", "1"},   {"hscSpectrum(1)", "2"}, {"hscCentre(1)", "37"}};
    for (const auto& [control, value] : windowEdits)
        QCOMPARE(edited.Edit(control, value), std::string());
    const std::tuple<const char*, const char*, const char*> panelEdits[] = {
        {"OscillatorControl1(1)", "cmdWorking", ""}, {"OscillatorControl1(1)", "cmdInvert", ""},
        {"OscillatorControl1(1)", "Text1", "5.5"},   {"OscillatorControl1(1)", "vscPower", "12"},
        {"NoiseControl1", "cmdWorking", ""},         {"NoiseControl1", "Text1", "2900"},
        {"MixerControl1(0)", "chkSwitching", "1"},   {"FilterControl1(1)", "cmbRange", "300"}};
    for (const auto& [panel, box, value] : panelEdits)
        QCOMPARE(edited.EditPanel(panel, box, value), std::string());
    QTest::newRow("edited") << Text(edited.SetupAsText()) << 2;
    for (const quorvane::Experiment& experiment : quorvane::Experiments())
        QTest::newRow(std::string(experiment.title).c_str())
            << Text(std::string(experiment.setup)) << 2;
}

void WindowSceneTest::sceneShowsWhatTheWindowShows() {
    QFETCH(QString, setup);
    QFETCH(int, ticks);
    Quorvane w;
    WindowModel m;
    if (!setup.isEmpty()) {
        QCOMPARE(m.ApplySetupText(setup.toStdString()), std::string());
        QCOMPARE(w.ApplySetupText(setup), QString());
    }
    quorvane::ProcessRandom() = quorvane::UniformRandom();
    TickBoth(w, m, ticks);
    CompareScene(w, quorvane::BuildScene(m));
    // A click on a test point and a typed box show in both.
    QCOMPARE(m.Edit("cmdGraph(2)"), std::string());
    Find<QAbstractButton>(w, "cmdGraph(2)")->click();
    QCOMPARE(m.EditPanel("MixerControl1(0)", "cmbLOFreq", "7,5"), std::string());
    Find<QWidget>(w, "MixerControl1(0)")
        ->findChild<QComboBox*>("cmbLOFreq")
        ->setEditText(QStringLiteral("7,5"));
    TickBoth(w, m, 1);
    CompareScene(w, quorvane::BuildScene(m));
    // The architecture list steps from the architecture its text arranges.
    auto* mode = Find<QComboBox>(w, "cmbMode");
    for (const int direction : {+1, +1, -1}) {
        QCOMPARE(m.StepList("", "cmbMode", direction), std::string());
        QTest::keyClick(mode, direction < 0 ? Qt::Key_Up : Qt::Key_Down);
        CompareScene(w, quorvane::BuildScene(m));
    }
}

QTEST_MAIN(WindowSceneTest)
#include "WindowSceneTest.moc"
