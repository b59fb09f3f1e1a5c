#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>
#include <cmath>
#include <memory>

#include "display/PictureBox.h"
#include "display/PlotGroup.h"
#include "plot/PlotGroupFigure.h"
#include "support/PlotGroupFixture.h"

using namespace quorvane;
using testing::PlotGroupFixture;

namespace {

constexpr std::uint32_t kBlue = 0x00C00000;
constexpr std::uint32_t kPurple = 0x00800080;

SignalBuffer Tone(double amplitude, int bin) {
    SignalBuffer b;
    for (std::size_t n = 0; n < b.size(); ++n) {
        b[n] = amplitude * std::cos(2 * M_PI * static_cast<double>(bin * n % 8192) / 8192);
    }
    return b;
}

float RightmostX(const Drawing& d) {
    float x = 0;
    for (const TwipLine& l : d.lines)
        x = std::max({x, l.x1, l.x2});
    return x;
}

}  // namespace

class PlotGroupTest : public QObject {
    Q_OBJECT

  private slots:
    void timePlotReadsItsControls_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("widthPixels");
        QTest::addColumn<QString>("maxTime");
        QTest::addColumn<float>("rightmost");
        QTest::newRow("zoom 0") << 0 << 393 << " 1.3u" << 5800.f;
        QTest::newRow("zoom 3") << 3 << 393 << " 12u" << 5800.f;
        QTest::newRow("zoom 6, narrow") << 6 << 200 << " 125u" << 3000.f;
    }
    void timePlotReadsItsControls() {
        QFETCH(int, zoom);
        QFETCH(int, widthPixels);
        QFETCH(QString, maxTime);
        QFETCH(float, rightmost);
        PlotGroupFixture g;
        g.hscSignal->setValue(zoom);
        g.picSignal->resize(widthPixels, 113);
        g.group->PlotSignal(Tone(0.0123, 1000), kBlue);
        const Drawing& d = g.picSignal->Current();
        QCOMPARE(d.colour, kBlue);
        QVERIFY(d.lines.size() >= 200);
        QCOMPARE(RightmostX(d), rightmost);
        QCOMPARE(g.lblMinTime->text(), QString("0"));
        QCOMPARE(g.lblMaxTime->text(), maxTime);
        QCOMPARE(g.lblSignalMax->text(), QString(" 20m"));
        QVERIFY(g.picSpectrum->Current().lines.empty());  // the time plot draws only its own
    }

    void freezeBoxHoldsTheScale() {
        PlotGroupFixture g;
        g.group->PlotSignal(Tone(0.0123, 1000), kBlue);
        g.chkFreeze->setChecked(true);
        g.group->PlotSignal(Tone(3.3e-6, 1000), kBlue);
        QCOMPARE(g.lblSignalMax->text(), QString(" 20m"));
        g.chkFreeze->setChecked(false);
        g.group->PlotSignal(Tone(3.3e-6, 1000), kBlue);
        QCOMPARE(g.lblSignalMax->text(), QString(" 5u"));

        PlotGroupFixture other;  // each group remembers its own scale
        other.chkFreeze->setChecked(true);
        other.group->PlotSignal(Tone(0.001, 1000), kPurple);
        QCOMPARE(other.lblSignalMax->text(), QString(" 1m"));
    }

    void spectrumMovesTheCentreWithoutRedrawing() {
        PlotGroupFixture g;
        g.hscCentre->setValue(200);
        QSignalSpy moved(g.hscCentre, &QScrollBar::valueChanged);
        g.group->PlotSpectrum(Tone(0.01, 500), kPurple);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(g.hscCentre->value(), 100);
        QCOMPARE(g.lblMinFreq->text(), QString(" 0"));
        QCOMPARE(g.lblMaxFreq->text(), QString(" 20"));
        QCOMPARE(g.picSpectrum->Current().colour, kPurple);
        QCOMPARE(g.picSpectrum->Current().lines.size(), std::size_t{200});
        QCOMPARE(RightmostX(g.picSpectrum->Current()), 5800.f);
        QVERIFY(g.picSignal->Current().lines.empty());

        g.group->PlotSpectrum(Tone(0.01, 500), kPurple);  // nothing left to correct
        QCOMPARE(moved.count(), 1);
    }

    void silenceClearsTheSpectrumButWritesItsLabels() {
        PlotGroupFixture g;
        g.group->PlotSpectrum(Tone(0.01, 500), kBlue);
        QVERIFY(!g.picSpectrum->Current().lines.empty());
        g.hscSpectrum->setValue(0);
        g.group->PlotSpectrum(Tone(0, 500), kBlue);
        QVERIFY(g.picSpectrum->Current().lines.empty());
        QCOMPARE(g.lblMinFreq->text(), QString(" 9.9"));
        QCOMPARE(g.lblMaxFreq->text(), QString(" 10.1"));
    }

    void clearKeepsTheLabels() {
        PlotGroupFixture g;
        g.group->PlotSignal(Tone(0.0123, 1000), kBlue);
        g.group->PlotSpectrum(Tone(0.0123, 1000), kBlue);
        g.group->Clear();
        QVERIFY(g.picSignal->Current().lines.empty());
        QVERIFY(g.picSpectrum->Current().lines.empty());
        QCOMPARE(g.lblSignalMax->text(), QString(" 20m"));
        QCOMPARE(g.lblMaxTime->text(), QString(" 1.3u"));
        QCOMPARE(g.lblMaxFreq->text(), QString(" 20"));
    }

    void pointerReadouts() {
        PlotGroupFixture g;
        const QPointF middle(
            195, 22.6);  // 2925 twips: 50.4 samples in; 339 twips: 0.75 of full scale up
        QCOMPARE(g.picSignal->HoverTextAt(middle), QString());  // nothing drawn yet
        g.group->PlotSignal(Tone(0.0123, 1000), kBlue);
        g.group->PlotSpectrum(Tone(0.01, 1000), kBlue);
        QCOMPARE(g.picSignal->HoverTextAt(middle), QString("t = 630 ns\nv = 15.0 mV"));
        QCOMPARE(g.picSpectrum->HoverTextAt(QPointF(0, 21)),
                 QString("f = 0.000 MHz\n0.0 dB relative to the strongest bin\n"
                         "a sine peaking here: -30.0 dBm"));

        g.Parent().show();
        QTest::mouseMove(g.picSignal, middle.toPoint());
        QTRY_COMPARE(QToolTip::text(), g.picSignal->HoverTextAt(middle.toPoint()));

        g.group->Clear();
        QCOMPARE(g.picSignal->HoverTextAt(middle), QString());
        QCOMPARE(g.picSpectrum->HoverTextAt(middle), QString());
    }

    // Either picture's "Copy Picture" copies the whole group, titled, at twice the window's
    // resolution, with each picture in it exactly as that picture paints itself at that ratio.
    void copyPictureIsTheGroupAtTwiceTheResolution() {
        PlotGroupFixture g;
        g.group->SetTitleSource([] { return std::string("Test point 4: after 1st Mixer"); });
        g.group->PlotSignal(Tone(0.0123, 1000), kBlue);
        g.group->PlotSpectrum(Tone(0.0123, 1000), kPurple);
        const PlotGroupFigure figure = g.group->FigureLayout();
        QCOMPARE(QString::fromStdString(figure.texts.at(0).text),
                 QString("Test point 4: after 1st Mixer"));
        const std::pair<PictureBox*, FigureBox> pictures[] = {
            {g.picSignal, figure.timePicture}, {g.picSpectrum, figure.spectrumPicture}};
        for (PictureBox* source : {g.picSignal, g.picSpectrum}) {
            QGuiApplication::clipboard()->clear();
            const QList<QAction*> actions = source->actions();
            const auto copy = std::find_if(actions.begin(), actions.end(),
                                           [](QAction* a) { return a->text() == "Copy Picture"; });
            QVERIFY(copy != actions.end());
            (*copy)->trigger();
            const QImage copied = QGuiApplication::clipboard()->image();
            QCOMPARE(copied.size(), QSize(figure.width, figure.height) * 2 / kTwipsPerPixel);
            for (const auto& [picture, box] : pictures) {
                QImage own(picture->size() * 2, QImage::Format_ARGB32_Premultiplied);
                own.setDevicePixelRatio(2);
                picture->render(&own);
                const QRect place(QPoint(box.left, box.top) * 2 / kTwipsPerPixel, own.size());
                QCOMPARE(copied.copy(place).convertToFormat(own.format()), own);
            }
        }
    }

    void picturesOutliveTheirGroup() {
        PlotGroupFixture g;
        g.group->PlotSignal(Tone(0.0123, 1000), kBlue);
        g.group.reset();
        QCOMPARE(g.picSignal->HoverTextAt(QPointF(10, 10)), QString());
        QCOMPARE(g.picSignal->Current().lines.size(), std::size_t{200});  // keeps its picture
    }
};

QTEST_MAIN(PlotGroupTest)
#include "PlotGroupTest.moc"
