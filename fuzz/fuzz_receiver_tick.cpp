// Fuzzes a whole tick with any settings at all: the antenna synthesis, every kind of stage with
// any parameters (NaN, infinities, extremes, any bit pattern), the output power and its caption,
// and both plots of the signal at one test point with any scroll-bar positions.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "chain/Layout.h"
#include "engine/ChainSnapshot.h"
#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"
#include "plot/SpectrumPlot.h"
#include "plot/TimePlot.h"

namespace {

using namespace quorvane;
using fuzz::FuzzInput;

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

StageSettings ReadStage(FuzzInput& in) {
    StageSettings stage;
    stage.kind = static_cast<StageKind>(in.Byte() % 3);
    stage.index = static_cast<std::int16_t>(in.Byte() % 4);
    stage.Gain = in.Double();
    stage.NF = in.Double();
    stage.IP3 = in.Double();
    stage.LO_Freq = in.Double();
    stage.Switching = in.Flag();
    stage.Bandwidth = in.Double();
    stage.CentreFreq = in.Double();
    return stage;
}

// The window puts at most one stage in a slot; two here also try stages back to back.
ChainSnapshot ReadSnapshot(FuzzInput& in) {
    ChainSnapshot snapshot;
    for (OscillatorSettings& osc : snapshot.oscillators) {
        osc.Frequency = in.Double();
        osc.Power = in.Flag() ? -1e12 : in.Double();
        osc.Invert = in.Short();
    }
    snapshot.noise.Temperature = in.Double();
    snapshot.noise.Working = in.Short();
    for (SlotSettings& slot : snapshot.chainSlots) {
        const std::uint8_t b = in.Byte();
        slot.switchedIn = (b & 1) != 0;
        slot.stageCount = (b >> 1) % 3;
        for (int s = 0; s < slot.stageCount; ++s)
            slot.stages[static_cast<std::size_t>(s)] = ReadStage(in);
    }
    return snapshot;
}

bool WellFormedCaption(const std::string& c) {
    if (c == "Pout = overflow") return true;
    // "Pout = d.ddde+dd" or with a three-digit exponent.
    if (c.size() != 16 && c.size() != 17) return false;
    if (c.compare(0, 7, "Pout = ") != 0) return false;
    auto digit = [&](std::size_t i) { return c[i] >= '0' && c[i] <= '9'; };
    return digit(7) && c[8] == '.' && digit(9) && digit(10) && digit(11) && c[12] == 'e' &&
           (c[13] == '+' || c[13] == '-') && digit(14) && digit(15) &&
           (c.size() == 16 || digit(16));
}

void CheckDrawing(const Drawing& drawing, const char* plot) {
    for (const TwipLine& l : drawing.lines) {
        if (!std::isfinite(l.x1) || !std::isfinite(l.y1) || !std::isfinite(l.x2) ||
            !std::isfinite(l.y2)) {
            Fail(plot, "a line has a coordinate that is not finite");
        }
    }
}

struct PlotInputs {
    int testPoint;
    int zoom, span, centre;
    bool frozen;
    double hoverX, hoverY;
};

PlotInputs ReadPlotInputs(FuzzInput& in) {
    PlotInputs p;
    p.testPoint = 1 + in.Byte() % 8;
    p.zoom = layout::kSignalScroll.minimum + in.Byte() % 7;
    p.span = layout::kSpectrumScroll.minimum + in.Byte() % 7;
    p.centre = layout::kCentreScroll.minimum + in.Byte() % 200;
    p.frozen = in.Flag();
    p.hoverX = in.Double();
    p.hoverY = in.Double();
    return p;
}

// Both plots of one buffer, as a plot group draws them, with the pointer read-outs.
void PlotBuffer(const SignalBuffer& signal, const PlotInputs& p, FreezeMemory& freeze) {
    const auto& places = layout::kPlotGroups[0];
    const TimePlotSettings time{p.zoom, p.frozen, double(places.picSignal.width),
                                double(places.picSignal.height), 0x00C00000u};
    const TimePlotResult t = ComputeTimePlot(signal, time, freeze);
    CheckDrawing(t.drawing, "time plot");
    TimeHoverText(t.hover, p.hoverX, p.hoverY);

    const SpectrumPlotSettings spectrum{p.span, p.centre, double(places.picSpectrum.width),
                                        double(places.picSpectrum.height), 0x00C00000u};
    const SpectrumPlotResult s = ComputeSpectrumPlot(signal, spectrum);
    CheckDrawing(s.drawing, "spectrum plot");
    SpectrumHoverText(s.hover, p.hoverX, p.hoverY);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static UniformRandom random;
    static ReceiverEngine engine(random);
    static FreezeMemory freeze;
    random = UniformRandom();  // every input starts the generator afresh, so a finding replays
    freeze = FreezeMemory();

    FuzzInput in(data, size);
    const PlotInputs plot = ReadPlotInputs(in);
    const ChainSnapshot snapshot = ReadSnapshot(in);

    int expectedPoint = 1;
    const double watts =
        engine.RunTick(snapshot, [&](std::int16_t testPoint, const SignalBuffer& s) {
            if (testPoint != expectedPoint++)
                Fail("test points out of order", std::to_string(testPoint));
            if (testPoint == plot.testPoint) PlotBuffer(s, plot, freeze);
        });
    if (expectedPoint != 9) Fail("test points missed", std::to_string(expectedPoint - 1));
    if (watts < 0.0) Fail("negative output power", std::to_string(watts));
    const std::string caption = FormatPowerCaption(watts);
    if (!WellFormedCaption(caption)) Fail("badly formed caption", caption);
    return 0;
}
