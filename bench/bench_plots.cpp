// Times the heaviest tick with both plot groups drawn: test points 1 and 8 of the worst-case
// chain, each plotted as a time trace and a spectrum through its PlotGroup and painted into
// images the size of the pictures. Reports the share of the 250 ms timer period it takes; the
// same tick without plotting is the engine benchmark's.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <memory>

#include "WorstCaseChain.h"
#include "display/PictureBox.h"
#include "display/PlotGroup.h"
#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"
#include "panels/ColourButton.h"
#include "panels/NoiseControl.h"
#include "panels/OscillatorControl.h"
#include "support/PlotGroupFixture.h"
#include "window/Quorvane.h"

namespace {

using namespace quorvane;

// One plot group at the window's places, with images the size of its pictures to paint into.
struct OffscreenGroup : testing::PlotGroupFixture {
    QImage signalImage{picSignal->size(), QImage::Format_RGB32};
    QImage spectrumImage{picSpectrum->size(), QImage::Format_RGB32};

    OffscreenGroup() { Parent().show(); }

    void Plot(const SignalBuffer& signal, std::uint32_t colour) {
        group->PlotSignal(signal, colour);
        group->PlotSpectrum(signal, colour);
        picSignal->render(&signalImage);
        picSpectrum->render(&spectrumImage);
    }
};

void BM_PlottedWorstCaseTick(benchmark::State& state) {
    UniformRandom random;
    ReceiverEngine engine(random);
    const ChainSnapshot snapshot = bench::WorstCaseChain();
    OffscreenGroup left;
    OffscreenGroup right;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const double watts =
            engine.RunTick(snapshot, [&](std::int16_t testPoint, const SignalBuffer& signal) {
                if (testPoint == snapshot.first) left.Plot(signal, 0x00C00000);
                if (testPoint == snapshot.second) right.Plot(signal, 0x00800080);
            });
        benchmark::DoNotOptimize(watts);
    }
    bench::ReportShareOfPeriod(state, std::chrono::steady_clock::now() - start);
}
BENCHMARK(BM_PlottedWorstCaseTick)->Unit(benchmark::kMillisecond);

// One plot group drawing a noisy three-tone signal at the widest zoom, painting included.
void BM_OnePlotGroup(benchmark::State& state) {
    SignalBuffer signal;
    for (std::size_t n = 0; n < signal.size(); ++n) {
        const double t = static_cast<double>(n) * kSampleInterval;
        signal[n] = std::sin(2 * M_PI * 5e6 * t) + 0.3 * std::sin(2 * M_PI * 11e6 * t) +
                    0.01 * std::sin(2 * M_PI * 17.3e6 * t + static_cast<double>(n * n % 97));
    }
    OffscreenGroup group;
    group.hscSignal->setValue(6);
    for (auto _ : state)
        group.Plot(signal, 0x00C00000);
}
BENCHMARK(BM_OnePlotGroup)->Unit(benchmark::kMillisecond);

// The whole window's tick on the heaviest dual-conversion chain the panels allow at start-up
// values: three tones, antenna noise, all seven slots in, test points 1 and 8 drawn. This is the
// tick the timer runs, with everything the window does around the engine.
void BM_WindowTick(benchmark::State& state) {
    Quorvane window;
    window.findChild<QTimer*>("Timer1")->stop();
    window.findChild<QComboBox*>("cmbMode")->setEditText("Dual-Conversion Heterodyne");
    for (int k = 0; k < 3; ++k) {
        auto* source =
            window.findChild<OscillatorControl*>(QString("OscillatorControl1(%1)").arg(k));
        source->SetFrequency(3.0 + 4.0 * k);
        source->SetWorking(1);
        benchmark::DoNotOptimize(source->SetPower(10.0));
    }
    window.findChild<NoiseControl*>("NoiseControl1")->SetWorking(1);
    for (int k = 0; k < 7; ++k)
        window.findChild<QCheckBox*>(QString("Check1(%1)").arg(k))->setCheckState(Qt::Checked);
    window.cmdGraph_Click(1);
    window.cmdGraph_Click(8);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        window.Timer1_Timer();
    bench::ReportShareOfPeriod(state, std::chrono::steady_clock::now() - start);
}
BENCHMARK(BM_WindowTick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
