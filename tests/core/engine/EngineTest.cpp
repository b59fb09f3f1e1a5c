#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"
#include "support/CommaLocale.h"

namespace quorvane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using test::PanelSettings;
StageSettings Amplifier(double gain) {
    return PanelSettings(StageKind::Amplifier, gain);
}
StageSettings Filter(double centre, double bandwidth, double gain = 0.0, double nf = 0.0) {
    StageSettings s = PanelSettings(StageKind::Filter, gain, nf);
    s.CentreFreq = centre;
    s.Bandwidth = bandwidth;
    return s;
}
StageSettings Mixer(double lo) {
    StageSettings s = PanelSettings(StageKind::Mixer, 0.0);
    s.LO_Freq = lo;
    return s;
}

ChainSnapshot Chain(double frequency, double dBnW, int slot, std::vector<StageSettings> stages,
                    bool in = true) {
    ChainSnapshot snapshot;
    snapshot.oscillators[0] = {frequency, dBnW, 0};
    SlotSettings& target = snapshot.chainSlots[static_cast<std::size_t>(slot)];
    target.switchedIn = in;
    for (const StageSettings& stage : stages)
        target.stages[static_cast<std::size_t>(target.stageCount++)] = stage;
    return snapshot;
}

TEST(ReceiverEngine, OutputPowerOfNoiseFreeChains) {
    struct Case {
        const char* name;
        ChainSnapshot snapshot;
        double watts;
    };
    const Case cases[] = {
        {"tone alone: A^2/100", Chain(5.0, 0.0, 0, {}), 1e-9},
        {"amplifier 10 dB", Chain(5.0, 0.0, 3, {Amplifier(10.0)}), 1e-8},
        {"bypassed amplifier", Chain(5.0, 0.0, 3, {Amplifier(10.0)}, false), 1e-9},
        {"filter passes", Chain(5.0, 0.0, 0, {Filter(5.0, 2.0)}), 1e-9},
        {"filter stops", Chain(2.5, 0.0, 6, {Filter(5.0, 2.0)}), 0.0},
        {"mixer then filter", Chain(10.0, 0.0, 2, {Mixer(9.0), Filter(1.0, 0.5)}), 1e-9 / 4},
        {"filter then mixer", Chain(10.0, 0.0, 2, {Filter(1.0, 0.5), Mixer(9.0)}), 0.0},
        {"all off", Chain(5.0, -1e12, 1, {Amplifier(30.0), Mixer(7.0), Filter(3.0, 1.0)}), 0.0}};
    for (const Case& c : cases) {
        UniformRandom random;
        ReceiverEngine engine(random);
        EXPECT_NEAR(engine.RunTick(c.snapshot, nullptr), c.watts, 1e-11 + 1e-3 * c.watts) << c.name;
    }
    EXPECT_EQ(ReceiverEngine().RunTick(ChainSnapshot{}, nullptr), 0.0);
}

TEST(ReceiverEngine, VisitsEveryTestPointInOrderWithTheSignalAsItStandsThere) {
    ChainSnapshot snapshot = Chain(5.0, 0.0, 1, {Amplifier(20.0)});
    snapshot.chainSlots[4] = Chain(5.0, 0.0, 4, {Amplifier(20.0)}, false).chainSlots[4];
    UniformRandom random;
    ReceiverEngine engine(random);
    std::vector<std::int16_t> visited;
    std::vector<double> rms;
    engine.RunTick(snapshot, [&](std::int16_t point, const SignalBuffer& signal) {
        visited.push_back(point);
        rms.push_back(test::RootMeanSquare(signal));
    });
    ASSERT_EQ(visited, (std::vector<std::int16_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_NEAR(rms[2] / rms[1], 10.0, 1e-4);  // the amplifier in slot 1 sits before point 3
    for (const std::size_t same : {1u, 3u, 4u, 5u, 6u, 7u})
        EXPECT_EQ(rms[same], rms[same - 1]) << "test point " << same + 1;
}

ChainSnapshot NoisyChain() {
    ChainSnapshot snapshot = Chain(
        3.0, 0.0, 2, {Filter(3.0, 1.0, -1.0, 1.0), PanelSettings(StageKind::Amplifier, 20.0, 2.0)});
    snapshot.noise = {290.0, 1};
    return snapshot;
}

TEST(ReceiverEngine, IdenticalGeneratorsGiveIdenticalNoiseTickByTick) {
    UniformRandom first, second;
    ReceiverEngine a(first), b(second);
    SignalBuffer previous{};
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_EQ(a.RunTick(NoisyChain(), nullptr), b.RunTick(NoisyChain(), nullptr));
        EXPECT_EQ(a.Signal(), b.Signal()) << tick;
        EXPECT_NE(a.Signal(), previous) << "the noise moves on from tick to tick";
        previous = a.Signal();
    }
    UniformRandom twin = ProcessRandom();  // the default engine draws from the process's one
    ReceiverEngine processWide, own(twin);
    processWide.RunTick(NoisyChain(), nullptr);
    own.RunTick(NoisyChain(), nullptr);
    EXPECT_EQ(processWide.Signal(), own.Signal());
}

TEST(ReceiverEngine, RecoversAfterSettingsBeyondTheDoubleRange) {
    ChainSnapshot overdriven = Chain(5.0, 200.0, 0, {});
    for (SlotSettings& slot : overdriven.chainSlots)
        slot = Chain(0, 0, 0,
                     {Filter(5.0, 20.0, 60.0), PanelSettings(StageKind::Amplifier, 100, 3, -100)})
                   .chainSlots[0];
    ChainSnapshot unrepresentable =
        Chain(kInf, 0.0, 0, {Mixer(kInf), Mixer(1e306), Filter(kNaN, 1.0), Filter(-kInf, 1.0)});
    ChainSnapshot undefined =
        Chain(5.0, kInf, 5,
              {PanelSettings(StageKind::Amplifier, kInf, kInf, kNaN), Filter(1e300, 2.0, -kInf)});
    undefined.noise = {kNaN, 1};
    UniformRandom random;
    ReceiverEngine engine(random);
    EXPECT_FALSE(std::isfinite(engine.RunTick(overdriven, nullptr)));
    for (const ChainSnapshot& extreme : {overdriven, unrepresentable, undefined}) {
        engine.RunTick(extreme, nullptr);
        EXPECT_NEAR(engine.RunTick(Chain(5.0, 0.0, 0, {}), nullptr), 1e-9, 1e-12);
    }
}

TEST(PowerCaption, Format) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "Pout = 0.000e+00"},     {0.0001234, "Pout = 1.234e-04"},
        {98766.0, "Pout = 9.877e+04"}, {1e-100, "Pout = 1.000e-100"},
        {kInf, "Pout = overflow"},     {kNaN, "Pout = overflow"}};
    for (const auto& [watts, caption] : cases)
        EXPECT_EQ(FormatPowerCaption(watts), caption);
}

// The window runs under the user's locale; the caption keeps its point all the same.
TEST(PowerCaption, KeepsThePointUnderADecimalCommaLocale) {
    testing::CommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_EQ(FormatPowerCaption(0.0001234), "Pout = 1.234e-04");
}

}  // namespace
}  // namespace quorvane
