#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"

namespace quorvane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

StageSettings Amplifier(double gain, double nf = 0.0, double ip3 = 60.0) {
    StageSettings s;
    s.kind = StageKind::Amplifier;
    s.Gain = gain;
    s.NF = nf;
    s.IP3 = ip3;
    return s;
}

StageSettings Filter(double centre, double bandwidth, double gain = 0.0, double nf = 0.0) {
    StageSettings s;
    s.kind = StageKind::Filter;
    s.CentreFreq = centre;
    s.Bandwidth = bandwidth;
    s.Gain = gain;
    s.NF = nf;
    return s;
}

StageSettings Mixer(double lo, double gain = 0.0) {
    StageSettings s = Amplifier(gain);
    s.kind = StageKind::Mixer;
    s.LO_Freq = lo;
    return s;
}

void Place(ChainSnapshot& snapshot, int slot, std::vector<StageSettings> stages, bool in = true) {
    SlotSettings& target = snapshot.slots[static_cast<std::size_t>(slot)];
    target.switchedIn = in;
    for (const StageSettings& stage : stages)
        target.stages[static_cast<std::size_t>(target.stageCount++)] = stage;
}

ChainSnapshot ToneAt(double frequency, double dBnW = 0.0) {
    ChainSnapshot snapshot;
    snapshot.oscillators[0] = {frequency, dBnW, 0};
    return snapshot;
}

TEST(ReceiverEngine, OutputPowerOfNoiseFreeChains) {
    struct Case {
        const char* name;
        ChainSnapshot snapshot;
        double watts;
    };
    std::vector<Case> cases;
    cases.push_back({"tone alone", ToneAt(5.0), 1e-9});
    cases.push_back({"amplifier 10 dB", ToneAt(5.0), 1e-8});
    Place(cases.back().snapshot, 3, {Amplifier(10.0)});
    cases.push_back({"bypassed amplifier", ToneAt(5.0), 1e-9});
    Place(cases.back().snapshot, 3, {Amplifier(10.0)}, false);
    cases.push_back({"filter passes", ToneAt(5.0), 1e-9});
    Place(cases.back().snapshot, 0, {Filter(5.0, 2.0)});
    cases.push_back({"filter stops", ToneAt(2.5), 0.0});
    Place(cases.back().snapshot, 6, {Filter(5.0, 2.0)});
    cases.push_back({"mixer then filter", ToneAt(10.0), 1e-9 / 4});
    Place(cases.back().snapshot, 2, {Mixer(9.0), Filter(1.0, 0.5)});
    cases.push_back({"filter then mixer", ToneAt(10.0), 0.0});
    Place(cases.back().snapshot, 2, {Filter(1.0, 0.5), Mixer(9.0)});
    cases.push_back({"all off", ChainSnapshot{}, 0.0});
    Place(cases.back().snapshot, 1, {Amplifier(30.0), Mixer(7.0), Filter(3.0, 1.0)});
    for (const Case& c : cases) {
        UniformRandom random;
        ReceiverEngine engine(random);
        const double watts = engine.RunTick(c.snapshot, nullptr);
        EXPECT_NEAR(watts, c.watts, 0.01 * 1e-9 + 0.001 * c.watts) << c.name;
    }
}

TEST(ReceiverEngine, VisitsEveryTestPointInOrderWithTheSignalAsItStandsThere) {
    ChainSnapshot snapshot = ToneAt(5.0);
    Place(snapshot, 1, {Amplifier(20.0)});
    Place(snapshot, 4, {Amplifier(20.0)}, false);
    UniformRandom random;
    ReceiverEngine engine(random);
    std::vector<std::int16_t> visited;
    std::vector<double> rms;
    engine.RunTick(snapshot, [&](std::int16_t point, const SignalBuffer& signal) {
        visited.push_back(point);
        rms.push_back(test::RootMeanSquare(signal));
    });
    EXPECT_EQ(visited, (std::vector<std::int16_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    ASSERT_EQ(rms.size(), 8u);
    EXPECT_NEAR(rms[2] / rms[1], 10.0, 1e-4);  // the amplifier in slot 1 sits before point 3
    for (const std::size_t same : {1u, 3u, 4u, 5u, 6u, 7u})
        EXPECT_EQ(rms[same], rms[same - 1]) << "test point " << same + 1;
}

ChainSnapshot NoisyChain() {
    ChainSnapshot snapshot = ToneAt(3.0);
    snapshot.noise = {290.0, 1};
    Place(snapshot, 0, {Amplifier(20.0, 2.0)});
    Place(snapshot, 2, {Filter(3.0, 1.0, -1.0, 1.0), Mixer(2.0)});
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
}

TEST(ReceiverEngine, DefaultEngineDrawsFromTheProcessGenerator) {
    UniformRandom twin = ProcessRandom();
    ReceiverEngine processWide;
    ReceiverEngine own(twin);
    processWide.RunTick(NoisyChain(), nullptr);
    own.RunTick(NoisyChain(), nullptr);
    EXPECT_EQ(processWide.Signal(), own.Signal());
    EXPECT_EQ(ProcessRandom().Next(), twin.Next());
}

TEST(ReceiverEngine, RecoversAfterSettingsBeyondTheDoubleRange) {
    std::vector<ChainSnapshot> extremes;
    extremes.push_back(ToneAt(5.0, 200.0));  // overdriven: every stage distorts hard
    for (int slot = 0; slot < kSlotCount; ++slot)
        Place(extremes.back(), slot, {Filter(5.0, 20.0, 60.0), Amplifier(100.0, 3.0, -100.0)});
    extremes.push_back(ToneAt(kInf, 0.0));
    Place(extremes.back(), 0, {Mixer(kInf), Mixer(1e306), Filter(kNaN, 1.0), Filter(-kInf, 1.0)});
    extremes.push_back(ToneAt(5.0, kInf));
    extremes.back().noise = {kNaN, 1};
    Place(extremes.back(), 5, {Amplifier(kInf, kInf, kNaN), Filter(1e300, 2.0, -kInf)});
    UniformRandom random;
    ReceiverEngine engine(random);
    EXPECT_FALSE(std::isfinite(engine.RunTick(extremes[0], nullptr)));
    for (const ChainSnapshot& extreme : extremes) {
        engine.RunTick(extreme, nullptr);
        EXPECT_NEAR(engine.RunTick(ToneAt(5.0), nullptr), 1e-9, 1e-12);
    }
}

TEST(ReceiverEngine, NegativeOrUndefinedTemperatureMeansNoNoise) {
    for (const double kelvin : {-290.0, -kInf, kNaN}) {
        ChainSnapshot snapshot;
        snapshot.noise = {kelvin, 1};
        UniformRandom random;
        ReceiverEngine engine(random);
        EXPECT_EQ(engine.RunTick(snapshot, nullptr), 0.0) << kelvin;
    }
}

TEST(PowerCaption, Format) {
    struct Case {
        double watts;
        const char* caption;
    };
    const Case cases[] = {{0.0, "Pout = 0.000e+00"},     {0.0001234, "Pout = 1.234e-04"},
                          {98766.0, "Pout = 9.877e+04"}, {1e-100, "Pout = 1.000e-100"},
                          {kInf, "Pout = overflow"},     {kNaN, "Pout = overflow"}};
    for (const Case& c : cases)
        EXPECT_EQ(FormatPowerCaption(c.watts), c.caption) << c.watts;
}

}  // namespace
}  // namespace quorvane
