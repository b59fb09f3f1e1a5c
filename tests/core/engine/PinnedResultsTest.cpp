// Pins a few engine results bit for bit, so that every compiler and processor gives a lab the same
// noise and the same powers. The expected values come from reference/pinned_values.py, a second
// implementation of the same arithmetic in plain Python (IEEE doubles, every operation rounded on
// its own, the program's own cos, sin, log and 10^x ported operation for operation in
// reference/elementary.py, and sqrt); rerun it to regenerate the tables.
// A build that fuses a*b+c into one rounding, or reorders a sum, fails here.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"
#include "engine/nrFFT.h"
#include "engine/nrFFTKernels.h"

namespace quorvane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

constexpr std::array<std::size_t, 6> kPicked = {0, 1, 2, 1023, 4096, 8191};
using Picked = std::array<double, kPicked.size()>;

// Test points 1 (antenna) to 5 (after the switching mixer), as the Python reference prints them.
constexpr std::array<Picked, 5> kSamples = {{
    {0x1.ff3d26a57734ap-13, 0x1.d6f84e105bbfap-13, 0x1.69abb23aa5768p-13, 0x1.5e0797dccb1dep-12,
     0x1.504ab3b74bf9fp-12, 0x1.90f6e5b829c94p-12},
    {0x1.d556486c80136p-13, 0x1.c266e2f30adcap-13, 0x1.65df5a6b03965p-13, 0x1.b7deedb00c107p-13,
     0x1.d622c91d516fcp-13, 0x1.a3b98595e1b8bp-13},
    {0x1.6cf735febbb6ep-11, 0x1.61cb38ab8ae53p-11, 0x1.167cb481ea31ep-11, 0x1.5dd6cb521ef89p-11,
     0x1.7683adcbf9763p-11, 0x1.4223b380bbd72p-11},
    {0x1.1f0907937cc31p-9, 0x1.f67ce0d132701p-10, 0x1.04da36e569466p-10, -0x1.54976a2340036p-12,
     0x1.680f7128dfda8p-11, -0x1.cf53c6432797dp-11},
    {0x1.1e5d26e66acaep-8, 0x1.f54f801d99d95p-9, 0x1.043ceb886dcf5p-9, -0x1.53c87f1281fb7p-11,
     0x1.6735f0d458e21p-10, 0x1.ce396b7cf2bc9p-10},
}};
constexpr double kPout = 0x1.ac885ccf6aa21p-24;

// Real and imaginary parts of bins 0, 1, 512, 4095, 4096 and 7680 of the antenna signal.
constexpr std::array<int, 6> kBins = {0, 1, 512, 4095, 4096, 7680};
constexpr std::array<double, 12> kSpectrum = {0x1.1c75c96a16b9cp-14,  0x0.0p+0,
                                              -0x1.91f9f631576afp-13, 0x1.ca79bbec88302p-13,
                                              0x1.4bacd7587f496p+0,   0x1.79a8736e58aabp-11,
                                              -0x1.b0d0277cbf9ecp-14, 0x1.4c896224875a8p-13,
                                              -0x1.b82b24889f519p-12, 0x0.0p+0,
                                              0x1.4bacd7587f493p+0,   -0x1.79a8736e4f1abp-11};

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The same bits, or both no number: when both operands of a sum are NaN, which one comes out is
// not fixed (a compiler may swap a sum's operands), and nothing the program shows depends on it.
bool SameValue(double a, double b) {
    return SameBits(a, b) || (std::isnan(a) && std::isnan(b));
}

// nn points whose products overflow the butterflies' clamp, underflow, or are no number at all,
// among ordinary values.
std::vector<double> Extremes(std::int32_t nn) {
    constexpr double kSpecial[] = {1e250, -1e300, 1e-310, -0.0,
                                   kInf,  -kInf,  kNaN,   std::numeric_limits<double>::max()};
    std::mt19937_64 engine(static_cast<unsigned>(nn));
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> data(2 * static_cast<std::size_t>(nn));
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = i % 7 == 3 ? kSpecial[(i / 7) % std::size(kSpecial)] : value(engine);
    return data;
}

// Three tones and 290 K of noise at the antenna; a filter, an amplifier, a multiplying and a
// switching mixer in slots 0 to 3.
ChainSnapshot PinnedChain() {
    ChainSnapshot chain;
    chain.oscillators = {{{5.0, 0.0, 0}, {7.3, -10.0, 1}, {12.25, -20.0, 0}}};
    chain.noise = {290.0, 1};
    StageSettings filter = test::PanelSettings(StageKind::Filter, -3.0, 3.0, 60.0);
    filter.CentreFreq = 5.0;
    filter.Bandwidth = 2.0;
    StageSettings mixer = test::PanelSettings(StageKind::Mixer, 10.0, 3.0, 60.0);
    mixer.LO_Freq = 6.0;
    StageSettings switching = test::PanelSettings(StageKind::Mixer, 6.0, 0.0, 20.0);
    switching.LO_Freq = 9.0;
    switching.Switching = true;
    const std::array<StageSettings, 4> stages = {
        filter, test::PanelSettings(StageKind::Amplifier, 10.0, 3.0, 0.0), mixer, switching};
    for (std::size_t slot = 0; slot < stages.size(); ++slot) {
        chain.chainSlots[slot].switchedIn = true;
        chain.chainSlots[slot].stageCount = 1;
        chain.chainSlots[slot].stages[0] = stages[slot];
    }
    return chain;
}

TEST(PinnedResults, TickMatchesTheReferenceBitForBit) {
    UniformRandom random;
    ReceiverEngine engine(random);
    std::array<SignalBuffer, 5> seen{};
    const double watts =
        engine.RunTick(PinnedChain(), [&](std::int16_t testPoint, const SignalBuffer& signal) {
            if (testPoint <= 5) seen[static_cast<std::size_t>(testPoint - 1)] = signal;
        });
    for (std::size_t point = 0; point < kSamples.size(); ++point) {
        for (std::size_t n = 0; n < kPicked.size(); ++n) {
            const double got = seen[point][kPicked[n]];
            EXPECT_PRED2(SameBits, got, kSamples[point][n])
                << "test point " << point + 1 << ", sample " << kPicked[n];
        }
    }
    EXPECT_PRED2(SameBits, watts, kPout);
}

// Every butterfly kernel this machine runs gives the reference spectrum and, on any data (the
// clamped, the infinite and the undefined included), exactly what the portable scalar kernel
// gives, bit for bit.
TEST(PinnedResults, EveryFftKernelMatchesTheReferenceAndTheScalarKernel) {
    UniformRandom random;
    ReceiverEngine engine(random);
    SignalBuffer antenna{};
    engine.RunTick(PinnedChain(), [&](std::int16_t testPoint, const SignalBuffer& signal) {
        if (testPoint == 1) antenna = signal;
    });
    std::vector<double> points(2 * kSampleCount, 0.0);
    for (std::size_t m = 0; m < kSampleCount; ++m)
        points[2 * m] = antenna[m];

    for (const nrFFT::Kernel kernel :
         {nrFFT::Kernel::Scalar, nrFFT::Kernel::Vector128, nrFFT::Kernel::Avx2}) {
        if (!nrFFT::HasKernel(kernel)) continue;
        std::vector<double> spectrum = points;
        nrFFT::FFTWith(kernel, spectrum.data(), static_cast<std::int32_t>(kSampleCount), 0);
        for (std::size_t b = 0; b < kBins.size(); ++b) {
            const auto k = static_cast<std::size_t>(kBins[b]);
            EXPECT_PRED2(SameBits, spectrum[2 * k], kSpectrum[2 * b]) << "bin " << k;
            EXPECT_PRED2(SameBits, spectrum[2 * k + 1], kSpectrum[2 * b + 1]) << "bin " << k;
        }
        for (const std::int32_t nn : {2, 4, 8, 16, 32, 64, 8192, 16384}) {
            for (const std::int16_t inverse : {0, 1}) {
                std::vector<double> scalar = Extremes(nn);
                std::vector<double> vector = scalar;
                nrFFT::FFTWith(nrFFT::Kernel::Scalar, scalar.data(), nn, inverse);
                nrFFT::FFTWith(kernel, vector.data(), nn, inverse);
                std::size_t differing = 0;
                for (std::size_t i = 0; i < scalar.size(); ++i)
                    differing += SameValue(scalar[i], vector[i]) ? 0 : 1;
                EXPECT_EQ(differing, 0u)
                    << "kernel " << static_cast<int>(kernel) << ", " << nn << " points";
            }
        }
    }
    // The public entry point uses one of the kernels above.
    std::vector<double> viaFft = points;
    nrFFT::FFT(viaFft.data(), static_cast<std::int32_t>(kSampleCount), 0);
    EXPECT_PRED2(SameBits, viaFft[2 * 512], kSpectrum[4]);
}

}  // namespace
}  // namespace quorvane
