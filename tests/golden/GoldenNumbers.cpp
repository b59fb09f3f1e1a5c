// Prints, as exact hexadecimal floats, what the core computes for a few chains: the output power
// and a checksum of every test point's buffer over 20 ticks with noise, the power caption, and the
// prediction's lines and noise at every test point. scripts/golden.sh runs it natively, with
// the C library's other code paths, on aarch64 and in WebAssembly, and compares every run with
// golden.txt: the numbers a student sees must not depend on the machine.
//
//   quorvane_golden            print the numbers
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "analysis/ChainPrediction.h"
#include "analysis/NoiseFigure.h"
#include "engine/ChainSnapshot.h"
#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"

namespace {

using namespace quorvane;

constexpr int kTicks = 20;

StageSettings Stage(StageKind kind, std::int16_t index, double gain, double nf, double ip3) {
    StageSettings s;
    s.kind = kind;
    s.index = index;
    s.Gain = gain;
    s.NF = nf;
    s.IP3 = ip3;
    return s;
}

StageSettings Mixer(std::int16_t index, double lo, bool switching, double ip3) {
    StageSettings s = Stage(StageKind::Mixer, index, 10.0, 3.0, ip3);
    s.LO_Freq = lo;
    s.Switching = switching;
    return s;
}

StageSettings Filter(std::int16_t index, double centre, double bandwidth) {
    StageSettings s = Stage(StageKind::Filter, index, -3.0, 3.0, 60.0);
    s.CentreFreq = centre;
    s.Bandwidth = bandwidth;
    return s;
}

struct Chain {
    const char* name;
    Architecture architecture;
    ChainSnapshot snapshot;
};

ChainSnapshot WithStages(ChainSnapshot s, const std::vector<StageSettings>& stages) {
    for (std::size_t n = 0; n < stages.size(); ++n) {
        SlotSettings& slot = s.chainSlots[n < kSlotCount ? n : kSlotCount - 1];
        slot.switchedIn = true;
        slot.stages[static_cast<std::size_t>(slot.stageCount++)] = stages[n];
    }
    return s;
}

std::vector<Chain> Chains() {
    std::vector<Chain> chains;
    ChainSnapshot tones;
    tones.oscillators = {OscillatorSettings{5.0, 0.0, 0}, OscillatorSettings{7.3, -10.0, 1},
                         OscillatorSettings{12.25, -20.0, 0}};
    tones.noise = {290.0, 1};
    chains.push_back(
        {"single conversion", Architecture::SingleConversion,
         WithStages(tones, {Filter(0, 5.0, 2.0), Stage(StageKind::Amplifier, 0, 10.0, 3.0, 0.0),
                            Mixer(0, 6.0, false, 60.0), Mixer(1, 9.0, true, 20.0)})});

    // Every stage at once, all of them noisy and distorting.
    ChainSnapshot busy;
    busy.oscillators = {OscillatorSettings{5.0, 0.0, 0}, OscillatorSettings{11.0, -10.0, 0},
                        OscillatorSettings{23.0, 10.0, 1}};
    busy.noise = {290.0, 1};
    std::vector<StageSettings> nine;
    for (std::int16_t i = 0; i < 4; ++i)
        nine.push_back(Filter(i, 5.0 + i, 2.0));
    for (std::int16_t i = 0; i < 3; ++i)
        nine.push_back(Mixer(i, 6.0 + i, i == 1, 20.0));
    nine.push_back(Stage(StageKind::Amplifier, 0, 10.0, 3.0, 20.0));
    nine.push_back(Stage(StageKind::Amplifier, 1, 10.0, 3.0, 20.0));
    chains.push_back({"nine stages", Architecture::DualConversion, WithStages(busy, nine)});

    // Tones far above the sampling rate: phases of 1e9 radians and more.
    ChainSnapshot far;
    far.oscillators = {OscillatorSettings{1234567.891, 10.0, 0},
                       OscillatorSettings{98765432.1, 0.0, 1}, OscillatorSettings{1e11, -5.0, 0}};
    far.noise = {2900.0, 1};
    chains.push_back({"far tones", Architecture::Homodyne,
                      WithStages(far, {Stage(StageKind::Amplifier, 0, 20.0, 6.0, -10.0),
                                       Mixer(0, 345678.9, false, 10.0), Filter(0, 1.5, 3.0)})});
    return chains;
}

// x as an exact hexadecimal float, written here rather than by printf's %a so that every C
// library writes the same text: 0x1.8p+1, -0x1p-1074, 0x0p+0, inf, nan.
std::string Hex(double x) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    std::string text = (bits >> 63) ? "-" : "";
    const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0x7ff) return text + (fraction ? "nan" : "inf");
    if (biased == 0 && fraction == 0) return text + "0x0p+0";
    int exponent = biased - 1023;
    if (biased == 0) {  // subnormal: normalise
        exponent = -1022;
        while ((fraction & (std::uint64_t{1} << 52)) == 0) {
            fraction <<= 1;
            --exponent;
        }
        fraction &= (std::uint64_t{1} << 52) - 1;
    }
    char digits[20];
    std::snprintf(digits, sizeof digits, "%013llx", static_cast<unsigned long long>(fraction));
    std::string tail(digits);
    tail.erase(tail.find_last_not_of('0') + 1);
    text += "0x1";
    if (!tail.empty()) text += "." + tail;
    return text + "p" + (exponent < 0 ? "-" : "+") +
           std::to_string(exponent < 0 ? -exponent : exponent);
}

// FNV-1a over the bits of every sample.
std::uint64_t Checksum(const SignalBuffer& signal) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const double x : signal) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &x, sizeof bits);
        for (int b = 0; b < 8; ++b) {
            h ^= (bits >> (8 * b)) & 0xffu;
            h *= 0x100000001b3ULL;
        }
    }
    return h;
}

void PrintTicks(const Chain& chain) {
    UniformRandom random;
    ReceiverEngine engine(random);
    for (int tick = 1; tick <= kTicks; ++tick) {
        std::string sums;
        const double watts =
            engine.RunTick(chain.snapshot, [&](std::int16_t testPoint, const SignalBuffer& s) {
                char text[40];
                std::snprintf(text, sizeof text, " %d:%016llx", testPoint,
                              static_cast<unsigned long long>(Checksum(s)));
                sums += text;
            });
        std::printf("%s tick %d Pout %s \"%s\"%s\n", chain.name, tick, Hex(watts).c_str(),
                    FormatPowerCaption(watts).c_str(), sums.c_str());
    }
}

void PrintPrediction(const Chain& chain) {
    const ChainPrediction prediction = PredictChain(chain.snapshot, chain.architecture);
    const NoiseCascade cascade = AnalyseNoiseCascade(chain.snapshot, chain.architecture);
    for (int tp = 1; tp <= kPredictedTestPoints; ++tp) {
        const TestPointPrediction& p = prediction.At(tp);
        const WantedLine& wanted = cascade.At(tp);
        double noise = 0;
        for (const double w : p.noiseBins)
            noise += w;
        std::printf("%s point %d total %s lines %s noise %s (bins %s) snr %s nf %s%s\n", chain.name,
                    tp, Hex(p.totalWatts).c_str(), Hex(p.lineWatts).c_str(),
                    Hex(p.noiseWatts).c_str(), Hex(noise).c_str(), Hex(wanted.snrDb).c_str(),
                    Hex(wanted.figure).c_str(), p.nonlinear ? " nonlinear" : "");
        for (const PredictedLine& line : p.lines) {
            std::printf("%s point %d line %s MHz %s W %s rad%s:", chain.name, tp,
                        Hex(line.frequencyMHz).c_str(), Hex(line.watts).c_str(),
                        Hex(line.phase).c_str(), line.approximate ? " approximate" : "");
            for (const std::string& o : line.origins)
                std::printf(" [%s]", o.c_str());
            std::printf("\n");
        }
    }
}

}  // namespace

int main() {
    for (const Chain& chain : Chains()) {
        PrintTicks(chain);
        PrintPrediction(chain);
    }
    return 0;
}
