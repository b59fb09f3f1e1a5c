// Each panel's symbol is made of named lines and outlines that carry their design geometry.

#include <QtTest>
#include <functional>
#include <memory>

#include "panels/AmplifierControl.h"
#include "panels/FilterControl.h"
#include "panels/LineControl.h"
#include "panels/MixerControl.h"
#include "panels/NoiseControl.h"
#include "panels/OscillatorControl.h"

using namespace quorvane;

using PanelFactory = std::function<QWidget*()>;
Q_DECLARE_METATYPE(PanelFactory)

namespace {

QStringList NamesOf(const QList<QObject*>& objects) {
    QStringList names;
    for (const QObject* o : objects)
        names << o->objectName();
    names.sort();
    return names;
}

template <typename T>
QList<QObject*> Children(const QWidget& panel) {
    QList<QObject*> list;
    for (T* child : panel.findChildren<T*>(Qt::FindDirectChildrenOnly))
        list << child;
    return list;
}

}  // namespace

class PanelSymbolTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void symbols_data();
    void symbols();
};

void PanelSymbolTest::symbols_data() {
    QTest::addColumn<PanelFactory>("make");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("shapes");
    QTest::addColumn<QString>("sampleLine");
    QTest::addColumn<QList<int>>("sampleEnds");  // x1, y1, x2, y2, width
    const QStringList waves = {"lneIcon(0)", "lneIcon(1)", "lneIcon(2)"};

    QTest::newRow("oscillator") << PanelFactory([] { return new OscillatorControl; })
                                << (waves + QStringList{"Line3"}) << QStringList{"Shape1"}
                                << "Line3" << QList<int>{1140, 1140, 1920, 1140, 3};
    QTest::newRow("noise") << PanelFactory([] { return new NoiseControl; }) << QStringList{"Line3"}
                           << QStringList{"Shape1"} << "Line3"
                           << QList<int>{1140, 780, 1920, 780, 3};
    QTest::newRow("amplifier") << PanelFactory([] { return new AmplifierControl; })
                               << QStringList{"Line1", "Line2", "Line3", "Line4", "Line5"}
                               << QStringList{} << "Line5" << QList<int>{1320, 480, 360, 0, 4};
    QTest::newRow("mixer") << PanelFactory([] { return new MixerControl; })
                           << (waves + QStringList{"Line1", "Line2", "Line3", "Line5", "Line6"})
                           << QStringList{"Shape1", "Shape2"} << "Line6"
                           << QList<int>{720, 1769, 1080, 1380, 3};
    QStringList filterLines = {"Line1", "Line2", "Line3", "Line4"};
    for (int i = 0; i < 9; ++i)
        filterLines << QStringLiteral("lneIcon(%1)").arg(i);
    QTest::newRow("filter") << PanelFactory([] { return new FilterControl; }) << filterLines
                            << QStringList{"Shape1"} << "lneIcon(8)"
                            << QList<int>{1200, 600, 960, 840, 1};
}

void PanelSymbolTest::symbols() {
    QFETCH(PanelFactory, make);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, shapes);
    QFETCH(QString, sampleLine);
    QFETCH(QList<int>, sampleEnds);
    const std::unique_ptr<QWidget> panel(make());

    lines.sort();
    shapes.sort();
    QCOMPARE(NamesOf(Children<LineControl>(*panel)), lines);
    QCOMPARE(NamesOf(Children<ShapeControl>(*panel)), shapes);

    const auto* line = panel->findChild<LineControl*>(sampleLine);
    QVERIFY(line);
    const QList<int> ends = {static_cast<int>(line->X1()), static_cast<int>(line->Y1()),
                             static_cast<int>(line->X2()), static_cast<int>(line->Y2()),
                             line->BorderWidth()};
    QCOMPARE(ends, sampleEnds);
}

QTEST_MAIN(PanelSymbolTest)
#include "PanelSymbolTest.moc"
