#pragma once

#include <array>
#include <cstdint>

namespace quorvane {

// The power a source switched off hands the engine, in dBnW: 10^(-1e11) underflows to exactly 0,
// so such a tone has no amplitude and needs no test of its own.
inline constexpr double kSourceOff = -1e12;

// The reference temperature of noise, 290 K: a noise source's starting temperature, and the T0
// of every noise figure (a stage of noise figure F adds noise of (F - 1) T0).
inline constexpr double kReferenceKelvin = 290.0;

// What the window reads from its controls once per tick. The engine sees nothing else:
// no widget, no panel, only these plain values.

struct OscillatorSettings {
    double Frequency = 0.0;     // MHz
    double Power = kSourceOff;  // dBnW
    std::int16_t Invert = 0;    // 1 flips the sign of the tone
    friend bool operator==(const OscillatorSettings&, const OscillatorSettings&) = default;
};

struct NoiseSettings {
    double Temperature = kReferenceKelvin;  // K
    std::int16_t Working = 0;               // non-zero: noise on
    friend bool operator==(const NoiseSettings&, const NoiseSettings&) = default;
};

enum class StageKind { Filter, Mixer, Amplifier };

// The parameters of one chain stage as its panel shows them. Fields a kind does not have
// are left at their defaults and ignored.
struct StageSettings {
    StageKind kind = StageKind::Amplifier;
    std::int16_t index = 0;   // index of the panel in its array, e.g. 2 for FilterControl1(2)
    double Gain = 0.0;        // dB
    double NF = 0.0;          // dB
    double IP3 = 60.0;        // dBm (amplifier, mixer)
    double LO_Freq = 0.0;     // MHz (mixer)
    bool Switching = false;   // mixer: true = switching, false = multiplying
    double Bandwidth = 0.0;   // MHz (filter)
    double CentreFreq = 0.0;  // MHz (filter)
    friend bool operator==(const StageSettings&, const StageSettings&) = default;
};

inline constexpr int kSlotCount = 7;
inline constexpr int kStageCandidates = 9;  // 4 filters, 3 mixers, 2 amplifiers

// One chain slot: whether its bypass switch is ticked, and the panels standing in it,
// in candidate order (filters, then mixers, then amplifiers, each by ascending index).
struct SlotSettings {
    bool switchedIn = false;
    int stageCount = 0;
    std::array<StageSettings, kStageCandidates> stages{};
    friend bool operator==(const SlotSettings&, const SlotSettings&) = default;
};

struct ChainSnapshot {
    std::array<OscillatorSettings, 3> oscillators{};
    NoiseSettings noise{};
    std::array<SlotSettings, kSlotCount> chainSlots{};
    std::int16_t first = 0;   // lowest-numbered selected test point, 0 if none
    std::int16_t second = 0;  // highest-numbered other selected test point, 0 if none
    friend bool operator==(const ChainSnapshot&, const ChainSnapshot&) = default;
};

// Whether two snapshots describe the same signal chain: the same sources and the same stages
// in the same slots, whichever test points are selected.
inline bool SameChain(const ChainSnapshot& a, const ChainSnapshot& b) {
    return a.oscillators == b.oscillators && a.noise == b.noise && a.chainSlots == b.chainSlots;
}

// Horizontal position in twips of chain slot k (0..6).
constexpr int SlotLeft(int slot) {
    return 2040 + 1900 * slot;
}

}  // namespace quorvane
