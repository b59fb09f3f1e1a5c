#pragma once

// Chains drawn at random, the way a student sets them: every architecture, random switches,
// tones anywhere up to 45 MHz, noise on and off, low intercepts, both mixing laws and narrow
// filters at the ends of the band. The random-chain test checks the prediction on them, and the
// prediction benchmark times it on the same draws.

#include <array>
#include <cstdint>
#include <random>

#include "ChainTestSupport.h"

namespace quorvane::test {

// Under the sanitizers the engine runs about ten times slower: fewer chains, the same draws.
#ifdef QUORVANE_SANITIZED
inline constexpr int kRandomChains = 60;
#else
inline constexpr int kRandomChains = 300;
#endif

// Draws from the raw 64-bit engine, whose sequence the standard fixes, so every library draws
// the same chains.
class Draw {
  public:
    explicit Draw(std::uint64_t seed) : engine_(seed) {}
    double Uniform(double lo, double hi) {
        return lo + (hi - lo) * static_cast<double>(engine_() >> 11) * 0x1p-53;
    }
    bool Chance(double p) { return Uniform(0, 1) < p; }
    template <typename T, std::size_t n>
    T Pick(const std::array<T, n>& items) {
        return items[static_cast<std::size_t>(Uniform(0, static_cast<double>(n))) % n];
    }

  private:
    std::mt19937_64 engine_;
};

inline constexpr std::array<double, 6> kIntercepts = {60, 20, 10, 0, -10, -20};
inline constexpr std::array<double, 9> kListedLos = {0.1, 0.2, 0.5, 0.8, 1.2, 2, 5, 9, 11};
inline constexpr std::array<double, 9> kBandwidths = {0.05, 0.1, 0.2, 0.5, 1, 2, 4, 8, 16};

inline double DrawNoiseFigure(Draw& d) {
    return d.Chance(0.3) ? 0.0 : d.Uniform(0.5, 8);
}

inline void DrawStage(Draw& d, StageSettings& s) {
    s.Gain = d.Uniform(0, 30);
    s.NF = DrawNoiseFigure(d);
    s.IP3 = d.Pick(kIntercepts);
    switch (s.kind) {
        case StageKind::Filter: {
            const double where = d.Uniform(0, 3);
            s.CentreFreq = where < 1   ? d.Uniform(0.05, 1.5)
                           : where < 2 ? d.Uniform(38.5, 39.95)
                                       : d.Uniform(0.5, 39.5);
            s.Bandwidth = d.Pick(kBandwidths);
            s.Gain = d.Uniform(-6, 0);
            break;
        }
        case StageKind::Mixer:
            s.LO_Freq = d.Chance(0.5) ? d.Pick(kListedLos) : d.Uniform(0.1, 40);
            s.Switching = d.Chance(0.5);
            s.Gain = d.Uniform(0, 10);
            break;
        case StageKind::Amplifier:
            break;
    }
}

struct DrawnChain {
    Architecture architecture;
    ChainSnapshot snapshot;
};

inline DrawnChain DrawChain(Draw& d) {
    constexpr std::array<Architecture, 3> kArchitectures = {kHomodyne, kSingle, kDual};
    DrawnChain chain{d.Pick(kArchitectures), {}};
    ChainSnapshot& s = chain.snapshot;
    for (OscillatorSettings& o : s.oscillators) {
        if (d.Chance(0.3)) continue;
        o = {d.Uniform(0.1, 45), d.Uniform(-30, 30), 0};
    }
    s.noise = {d.Chance(0.5) ? kReferenceKelvin : d.Uniform(50, 5000),
               static_cast<std::int16_t>(d.Chance(0.5))};
    const Arrangement& arrangement = ArrangementFor(chain.architecture);
    for (int slot = 0; slot < arrangement.filledSlots; ++slot) {
        const auto& assigned = arrangement.assignments[static_cast<std::size_t>(slot)].stage;
        SlotSettings& target = s.chainSlots[static_cast<std::size_t>(slot)];
        StageSettings& stage = target.stages[0];
        stage.kind = assigned.kind;
        stage.index = static_cast<std::int16_t>(assigned.index);
        DrawStage(d, stage);
        target.stageCount = 1;
        target.switchedIn = d.Chance(0.6);
    }
    return chain;
}

}  // namespace quorvane::test
