// The arrow keys move the plot groups' horizontal scroll bars the way their own arrow buttons do.

#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QtTest>

#include "WindowProbe.h"
#include "window/Quorvane.h"

using namespace quorvane;
using testing::Find;

class ScrollKeysTest : public QObject {
    Q_OBJECT

  private slots:
    void arrowKeysFollowTheArrowButtons_data();
    void arrowKeysFollowTheArrowButtons();
};

void ScrollKeysTest::arrowKeysFollowTheArrowButtons_data() {
    QTest::addColumn<QString>("bar");
    for (const char* name : {"hscSignal(0)", "hscSpectrum(0)", "hscCentre(0)", "hscSignal(1)",
                             "hscSpectrum(1)", "hscCentre(1)"})
        QTest::newRow(name) << name;
}

// The change one press of the key makes, and one click on the bar's own arrow button, each from
// the middle of the range.
void ScrollKeysTest::arrowKeysFollowTheArrowButtons() {
    QFETCH(QString, bar);
    Quorvane w;
    w.show();
    auto* scroll = Find<QScrollBar>(w, bar);
    const int middle = (scroll->minimum() + scroll->maximum()) / 2;
    QStyleOptionSlider option;
    option.initFrom(scroll);
    option.orientation = Qt::Horizontal;
    option.minimum = scroll->minimum();
    option.maximum = scroll->maximum();
    option.sliderPosition = option.sliderValue = middle;
    option.pageStep = scroll->pageStep();
    option.singleStep = scroll->singleStep();
    option.subControls = QStyle::SC_All;
    for (const auto& [key, button] : {std::pair{Qt::Key_Left, QStyle::SC_ScrollBarSubLine},
                                      std::pair{Qt::Key_Right, QStyle::SC_ScrollBarAddLine}}) {
        scroll->setValue(middle);
        const QPoint arrow =
            scroll->style()->subControlRect(QStyle::CC_ScrollBar, &option, button, scroll).center();
        QTest::mouseClick(scroll, Qt::LeftButton, {}, arrow);
        const int byButton = scroll->value() - middle;
        scroll->setValue(middle);
        scroll->setFocus();
        QTest::keyClick(scroll, key);
        const int byKey = scroll->value() - middle;
        QVERIFY2(byButton != 0, qPrintable(bar));
        QCOMPARE(byKey, byButton);
    }
}

QTEST_MAIN(ScrollKeysTest)
#include "ScrollKeysTest.moc"
