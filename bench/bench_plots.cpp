// Times the heaviest tick with both plot groups drawn: three tones and antenna noise, all seven
// slots switched in with nine stages (four band-pass filters), test points 1 and 8 selected,
// each plotted as a time trace and a spectrum through its PlotGroup and painted into images the
// size of the pictures. Reports the share of the 250 ms timer period it takes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <memory>

#include "display/PictureBox.h"
#include "display/PlotGroup.h"

#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"

namespace {

using namespace quorvane;

constexpr double kTimerPeriodSeconds = 0.25;

StageSettings Stage(StageKind kind, std::int16_t index) {
    StageSettings s;
    s.kind = kind;
    s.index = index;
    s.Gain = kind == StageKind::Filter ? -3.0 : 10.0;
    s.NF = 3.0;
    s.IP3 = 20.0;
    s.LO_Freq = 6.0 + index;
    s.CentreFreq = 5.0 + index;
    s.Bandwidth = 2.0;
    return s;
}

ChainSnapshot WorstCase() {
    ChainSnapshot snapshot;
    snapshot.oscillators = {OscillatorSettings{5.0, 0.0, 0}, OscillatorSettings{11.0, -10.0, 0},
                            OscillatorSettings{23.0, 10.0, 1}};
    snapshot.noise = {290.0, 1};
    snapshot.first = 1;
    snapshot.second = 8;
    // Seven slots, nine stages: the last slot holds three panels.
    const StageSettings order[] = {
        Stage(StageKind::Filter, 0),    Stage(StageKind::Amplifier, 0), Stage(StageKind::Mixer, 0),
        Stage(StageKind::Filter, 1),    Stage(StageKind::Mixer, 1),     Stage(StageKind::Filter, 2),
        Stage(StageKind::Amplifier, 1), Stage(StageKind::Filter, 3),    Stage(StageKind::Mixer, 2)};
    for (std::size_t n = 0; n < std::size(order); ++n) {
        SlotSettings& slot = snapshot.chainSlots[std::min<std::size_t>(n, kSlotCount - 1)];
        slot.switchedIn = true;
        slot.stages[static_cast<std::size_t>(slot.stageCount++)] = order[n];
    }
    return snapshot;
}

// One plot group's controls at the window's sizes and initial values, with images to paint the
// pictures into.
struct OffscreenGroup {
    QWidget parent;
    PictureBox* picSignal = new PictureBox(&parent);
    PictureBox* picSpectrum = new PictureBox(&parent);
    QScrollBar* hscSignal = new QScrollBar(Qt::Horizontal, &parent);
    QScrollBar* hscSpectrum = new QScrollBar(Qt::Horizontal, &parent);
    QScrollBar* hscCentre = new QScrollBar(Qt::Horizontal, &parent);
    QCheckBox* chkFreeze = new QCheckBox(&parent);
    std::array<QLabel*, 5> labels{new QLabel(&parent), new QLabel(&parent), new QLabel(&parent),
                                  new QLabel(&parent), new QLabel(&parent)};
    std::unique_ptr<PlotGroup> group;
    QImage signalImage{393, 113, QImage::Format_RGB32};
    QImage spectrumImage{393, 105, QImage::Format_RGB32};

    OffscreenGroup() {
        parent.resize(400, 260);
        picSignal->setGeometry(0, 0, 393, 113);      // 5895 x 1695 twips
        picSpectrum->setGeometry(0, 150, 393, 105);  // 5895 x 1575 twips
        hscSignal->setRange(0, 6);
        hscSpectrum->setRange(0, 6);
        hscSpectrum->setValue(6);
        hscCentre->setRange(1, 200);
        hscCentre->setValue(100);
        group = std::make_unique<PlotGroup>(
            PlotGroupWidgets{picSignal, picSpectrum, hscSignal, hscSpectrum, hscCentre, chkFreeze,
                             labels[0], labels[1], labels[2], labels[3], labels[4]});
        parent.show();
    }

    void Plot(const SignalBuffer& signal, std::uint32_t colour) {
        group->PlotSignal(signal, colour);
        group->PlotSpectrum(signal, colour);
        picSignal->render(&signalImage);
        picSpectrum->render(&spectrumImage);
    }
};

void ReportShareOfPeriod(benchmark::State& state, std::chrono::steady_clock::duration spent) {
    const double seconds = std::chrono::duration<double>(spent).count();
    state.counters["percent_of_period"] =
        100.0 * seconds / static_cast<double>(state.iterations()) / kTimerPeriodSeconds;
}

void BM_PlottedWorstCaseTick(benchmark::State& state) {
    UniformRandom random;
    ReceiverEngine engine(random);
    const ChainSnapshot snapshot = WorstCase();
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
    ReportShareOfPeriod(state, std::chrono::steady_clock::now() - start);
}
BENCHMARK(BM_PlottedWorstCaseTick)->Unit(benchmark::kMillisecond);

// The same tick without plotting, to show what the two plot groups add.
void BM_UnplottedWorstCaseTick(benchmark::State& state) {
    UniformRandom random;
    ReceiverEngine engine(random);
    const ChainSnapshot snapshot = WorstCase();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const double watts = engine.RunTick(snapshot, [](std::int16_t, const SignalBuffer& s) {
            benchmark::DoNotOptimize(s.data());
        });
        benchmark::DoNotOptimize(watts);
    }
    ReportShareOfPeriod(state, std::chrono::steady_clock::now() - start);
}
BENCHMARK(BM_UnplottedWorstCaseTick)->Unit(benchmark::kMillisecond);

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
