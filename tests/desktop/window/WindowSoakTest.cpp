// A long, seeded run through the real window: a driver changes every control a student can touch,
// at random and with hostile texts, between ticks; after every tick the window must still show a
// well-formed output power and keep its scroll bars in range. At the end, sane settings must give
// the exact output power again. The slowest tick is reported; timing itself is the benchmarks'.
//
// QUORVANE_SOAK_TICKS and QUORVANE_SOAK_SEED choose the length and the seed; a failure names the
// tick and the last actions, so the same seed replays it.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <random>
#include <vector>

#include "WindowProbe.h"
#include "chain/Layout.h"
#include "panels/AmplifierControl.h"
#include "panels/NoiseControl.h"
#include "panels/OscillatorControl.h"
#include "window/Quorvane.h"

using namespace quorvane;
using probe::ShownPower;
using testing::Find;
using testing::Name;

namespace {

constexpr int kDefaultTicks = 3000;
constexpr std::uint64_t kDefaultSeed = 20261208;

int EnvInt(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// Texts a student might type into any box, from the plainly odd to the hostile.
QStringList HostileTexts() {
    QStringList texts = {"",      "1e999",  "-1e999",   "1e-400", "-1e-400", "nan",    "NaN",
                         "inf",   "-inf",   "Inf",      "+",      "-",       ".",      "-.",
                         "+.e",   "1e",     "1e+",      "e5",     "  ",      "\t",     "0x1F",
                         "1,5",   "1.2.3",  "--5",      "1e308",  "-1e308",  "1e12",   "-1e12",
                         "32768", "-32769", "4.9e-324", "µ",      "€ 5",     "日本語", "½",
                         "ä1",    "0",      "-0"};
    texts << QString(10000, QLatin1Char('9'));
    texts << QStringLiteral("0.") + QString(9998, QLatin1Char('0')) + QStringLiteral("1");
    texts << QStringLiteral("-") + QString(10000, QLatin1Char('7')) + QStringLiteral("e-9999");
    return texts;
}

const QStringList kArchitectureTexts = {"Single-Conversion Heterodyne",
                                        "Dual-Conversion Heterodyne",
                                        "Homodyne",
                                        "",
                                        "homodyne",
                                        "Triple-Conversion Heterodyne",
                                        "Homodyne ",
                                        "日本語"};

// Seeded choices; the raw 64-bit stream of mt19937_64 is the same on every platform.
class Dice {
  public:
    explicit Dice(std::uint64_t seed) : engine_(seed) {}
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(engine_() % static_cast<unsigned>(n)); }
    bool OneIn(int n) { return Below(n) == 0; }
    double Unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    template <class List>
    const auto& Pick(const List& list) {
        return list[Below(static_cast<int>(std::size(list)))];
    }

  private:
    std::mt19937_64 engine_;
};

// A number as a student would type it: any sign and format, mostly of a sensible size.
QString RandomNumberText(Dice& dice) {
    const double decades = dice.OneIn(2) ? 30.0 : 3.0;
    const double magnitude = std::pow(10.0, dice.Unit() * decades - decades / 3) * dice.Unit();
    const double value = dice.OneIn(3) ? -magnitude : magnitude;
    switch (dice.Below(3)) {
        case 0:
            return QString::number(value, 'g', 1 + dice.Below(17));
        case 1:
            return QString::number(value, 'e', dice.Below(10));
        default:
            return QString::number(std::trunc(value), 'f', 0);
    }
}

// The window's own controls of a type; Qt's private helpers (the lists' pop-up views and their
// scroll bars) carry no name and are no control a student knows of.
template <class T>
std::vector<T*> Named(const QWidget& window) {
    std::vector<T*> found;
    for (T* control : window.findChildren<T*>()) {
        if (!control->objectName().isEmpty() && !control->objectName().startsWith("qt_"))
            found.push_back(control);
    }
    return found;
}

// Changes the window's controls at random, as a student with no plan would.
class SoakDriver {
  public:
    SoakDriver(Quorvane& window, std::uint64_t seed)
        : window_(window), dice_(seed), hostile_(HostileTexts()) {
        for (QLineEdit* edit : Named<QLineEdit>(window)) {
            if (!qobject_cast<QComboBox*>(edit->parentWidget())) edits_.push_back(edit);
        }
        boxes_ = Named<QComboBox>(window);
        bars_ = Named<QScrollBar>(window);
        buttons_ = Named<QAbstractButton>(window);
    }

    // Text boxes of the three sources and the noise source, the power scales and the plot
    // groups' three bars each: what the driver must reach.
    bool Complete() const {
        return edits_.size() == 4 && bars_.size() == 9 && !boxes_.empty() && !buttons_.empty();
    }

    // One student action; returns what it did, for the failure message.
    QString Act() {
        switch (dice_.Below(10)) {
            case 0:
            case 1:
                return TypeInBox(dice_.Pick(edits_));
            case 2:
            case 3:
            case 4:
                return TypeInList(dice_.Pick(boxes_));
            case 5:
                return PickFromList(dice_.Pick(boxes_));
            case 6:
            case 7:
                return MoveScrollBar(dice_.Pick(bars_));
            default:
                return Click(dice_.Pick(buttons_));
        }
    }

  private:
    QString AnyText() {
        if (dice_.OneIn(4)) return dice_.Pick(hostile_);
        return RandomNumberText(dice_);
    }

    static QString Shown(const QString& text) {
        return text.size() > 24 ? text.left(12) + QStringLiteral("...(%1 chars)").arg(text.size())
                                : text;
    }

    // Short texts of printable ASCII are typed key by key (the test library has keys for no
    // other characters); the others are pasted in one go.
    static bool Typeable(const QString& text) {
        return text.size() <= 12 && std::all_of(text.begin(), text.end(), [](QChar c) {
                   return c.unicode() >= 0x20 && c.unicode() < 0x7f;
               });
    }

    QString Enter(QLineEdit* edit, const QString& text) {
        if (Typeable(text) && dice_.OneIn(2)) {
            edit->selectAll();
            QTest::keyClicks(edit, text);
            if (text.isEmpty()) edit->clear();
        } else {
            edit->setText(text);
        }
        return Shown(text);
    }

    QString TypeInBox(QLineEdit* edit) {
        return QStringLiteral("type '%1' into %2")
            .arg(Enter(edit, AnyText()), edit->parentWidget()->objectName());
    }

    QString TypeInList(QComboBox* box) {
        const QString text = box->objectName() == QLatin1String("cmbMode")
                                 ? dice_.Pick(kArchitectureTexts)
                                 : AnyText();
        return QStringLiteral("type '%1' into %2 of %3")
            .arg(Enter(box->lineEdit(), text), box->objectName(),
                 box->parentWidget()->objectName());
    }

    QString PickFromList(QComboBox* box) {
        const int index = dice_.Below(box->count());
        box->setCurrentIndex(index);
        return QStringLiteral("pick item %1 of %2 of %3")
            .arg(index)
            .arg(box->objectName(), box->parentWidget()->objectName());
    }

    QString MoveScrollBar(QScrollBar* bar) {
        if (dice_.OneIn(2)) {
            const int span = bar->maximum() - bar->minimum();
            const int value = bar->minimum() - 5 + dice_.Below(span + 11);
            bar->setValue(value);
            return QStringLiteral("set %1 to %2").arg(bar->objectName()).arg(value);
        }
        static const QAbstractSlider::SliderAction kActions[] = {
            QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
            QAbstractSlider::SliderPageStepAdd,   QAbstractSlider::SliderPageStepSub,
            QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum};
        const auto action = dice_.Pick(kActions);
        bar->triggerAction(action);
        return QStringLiteral("step %1 (action %2)").arg(bar->objectName()).arg(int(action));
    }

    QString Click(QAbstractButton* button) {
        if (button->isVisibleTo(&window_) && dice_.OneIn(2)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            button->click();
        }
        return QStringLiteral("click %1 of %2")
            .arg(button->objectName(), button->parentWidget()->objectName());
    }

    Quorvane& window_;
    Dice dice_;
    QStringList hostile_;
    std::vector<QLineEdit*> edits_;
    std::vector<QComboBox*> boxes_;
    std::vector<QScrollBar*> bars_;
    std::vector<QAbstractButton*> buttons_;
};

struct BarRange {
    QScrollBar* bar;
    int minimum, maximum;
};

std::vector<BarRange> RecordRanges(const Quorvane& w) {
    std::vector<BarRange> ranges;
    for (QScrollBar* bar : w.findChildren<QScrollBar*>())
        ranges.push_back({bar, bar->minimum(), bar->maximum()});
    return ranges;
}

// Empty when every bar still has its range and a value inside it; else what is wrong.
QString CheckRanges(const std::vector<BarRange>& ranges) {
    for (const BarRange& r : ranges) {
        const QScrollBar& b = *r.bar;
        if (b.minimum() != r.minimum || b.maximum() != r.maximum || b.value() < r.minimum ||
            b.value() > r.maximum) {
            return QStringLiteral("%1 holds %2 in %3..%4 (was %5..%6)")
                .arg(b.objectName())
                .arg(b.value())
                .arg(b.minimum())
                .arg(b.maximum())
                .arg(r.minimum)
                .arg(r.maximum);
        }
    }
    return {};
}

bool WellFormedCaption(const QString& text) {
    static const QRegularExpression kCaption(
        QStringLiteral(R"(^Pout = (\d\.\d{3}e[+-]\d{2,3}|overflow)$)"));
    return kCaption.match(text).hasMatch();
}

// Puts every control the end check relies on back to sane values: one 5 MHz tone at 10 dBnW,
// no noise, the single-conversion chain with only the LNA switched in at 10 dB gain.
void SaneSettings(Quorvane& w) {
    Find<QComboBox>(w, "cmbMode")->setEditText("Single-Conversion Heterodyne");
    for (int k = 0; k < 3; ++k) {
        auto* osc = Find<OscillatorControl>(w, Name("OscillatorControl1", k));
        osc->SetWorking(k == 0 ? 1 : 0);
        osc->SetInvert(0);
        osc->SetFrequency(5.0);
        QVERIFY(osc->SetPower(10.0));
    }
    Find<NoiseControl>(w, "NoiseControl1")->SetWorking(0);
    auto* lna = Find<AmplifierControl>(w, "AmplifierControl1(0)");
    QVERIFY(lna->setProperty("Gain", 10.0));
    QVERIFY(lna->setProperty("NF", 0.0));
    QVERIFY(lna->setProperty("IP3", 60.0));
    for (int k = 0; k < 7; ++k)
        Find<QCheckBox>(w, Name("Check1", k))->setChecked(k == 1);
}

}  // namespace

class WindowSoakTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void studentWithNoPlanCannotBreakTheWindow();
};

void WindowSoakTest::studentWithNoPlanCannotBreakTheWindow() {
    const int ticks = EnvInt("QUORVANE_SOAK_TICKS", kDefaultTicks);
    const auto seed = static_cast<std::uint64_t>(EnvInt("QUORVANE_SOAK_SEED", kDefaultSeed));
    qInfo("soak: %d ticks, seed %llu", ticks, static_cast<unsigned long long>(seed));

    Quorvane w;
    Find<QTimer>(w, "Timer1")->stop();  // ticks come from the loop, so a seed replays exactly
    w.show();
    SoakDriver driver(w, seed);
    QVERIFY(driver.Complete());
    const std::vector<BarRange> ranges = RecordRanges(w);
    Dice pace(seed ^ 0x5eed);
    QStringList recent;
    double slowestMs = 0.0;
    int overflows = 0;

    for (int tick = 0; tick < ticks; ++tick) {
        for (int n = 1 + pace.Below(4); n > 0; --n) {
            recent.push_back(driver.Act());
            if (recent.size() > 8) recent.removeFirst();
        }
        QElapsedTimer clock;
        clock.start();
        w.Timer1_Timer();
        QApplication::processEvents();  // paints what the tick drew
        const double ms = clock.nsecsElapsed() / 1e6;
        slowestMs = std::max(slowestMs, ms);

        const QString caption = Find<QLabel>(w, "lblPowerOut")->text();
        overflows += caption.endsWith("overflow");
        const QString where = QStringLiteral("tick %1, after: %2").arg(tick).arg(recent.join("; "));
        QVERIFY2(WellFormedCaption(caption), qPrintable(caption + " at " + where));
        const QString rangeFault = CheckRanges(ranges);
        QVERIFY2(rangeFault.isEmpty(), qPrintable(rangeFault + " at " + where));
    }
    qInfo("soak: slowest tick %.1f ms, %d of %d ticks overflowed", slowestMs, overflows, ticks);
    // A walk stuck in one state would prove little: both kinds of caption must have shown.
    if (ticks >= 100) QVERIFY(overflows > 0 && overflows < ticks);

    // The first tick with sane settings is exact again: nothing of the chaos is carried over.
    SaneSettings(w);
    w.Timer1_Timer();
    const double tone = 1e-8;  // 10 dBnW at the antenna, in watts
    QVERIFY2(std::abs(ShownPower(w) - 10.0 * tone) < 1e-2 * 10.0 * tone,
             qPrintable(Find<QLabel>(w, "lblPowerOut")->text()));
    Find<QCheckBox>(w, "Check1(1)")->setChecked(false);
    w.Timer1_Timer();
    QVERIFY2(std::abs(ShownPower(w) - tone) < 1e-2 * tone,
             qPrintable(Find<QLabel>(w, "lblPowerOut")->text()));
}

QTEST_MAIN(WindowSoakTest)
#include "WindowSoakTest.moc"
