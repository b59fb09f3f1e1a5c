#include "engine/StageModel.h"

#include <algorithm>
#include <cmath>

#include "engine/AntennaSynthesis.h"
#include "engine/Elementary.h"
#include "engine/UniformRandom.h"
#include "engine/Waveform.h"
#include "engine/nrFFT.h"

namespace quorvane {

namespace {

constexpr double kFilterBandwidthLimit = 25.0;  // MHz: at or above this a stage does not filter
constexpr double kNonlinearityLimit = 1e12;     // W: at or above this a stage is linear
constexpr int kPoints = static_cast<int>(kSampleCount);
// The stop-band sweep ends here, so the three bins around half the sampling rate (4095..4097,
// 40 MHz and a bin either side) pass every band that does not lie wholly below 0 MHz. The model
// is defined so, and every result depends on it; it also shows students that the edge of the
// sampled band behaves like no other frequency.
constexpr int kLastStopBin = 4094;

void ApplyDistortion(SignalBuffer& signal, const Distortion& d) {
    for (double& x : signal) {
        const double t2 = d.c2 * x * x;
        const double t3 = d.c3 * x * x * x;
        const double t4 = d.c4 * x * x * x * x;
        x = t2 + x + t3 + t4;
    }
}

// The signal's own distortion products leak into the local oscillator.
void DistortLocalOscillator(SignalBuffer& lo, const SignalBuffer& signal, const Distortion& d) {
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        const double x = signal[i];
        lo[i] = d.c2 * x * x + lo[i] + d.c3 * x * x * x + d.c4 * x * x * x * x;
    }
}

void Mix(SignalBuffer& signal, const SignalBuffer& lo, bool switching) {
    if (switching) {
        for (std::size_t i = 0; i < kSampleCount; ++i)
            signal[i] = SwitchingFactor(lo[i]) * signal[i];
    } else {
        for (std::size_t i = 0; i < kSampleCount; ++i)
            signal[i] = lo[i] * signal[i];
    }
}

// Rounds to the nearest bin, an exact half to the even one, held within [lowest, highest].
// The range is checked on the double, so only values that fit are ever converted.
int NearestBin(double bins, int lowest, int highest) {
    if (bins <= lowest) return lowest;
    if (bins >= highest) return highest;
    return static_cast<int>(std::nearbyint(bins));
}

void ClearPoint(double* points, int m) {
    const auto real = 2 * static_cast<std::size_t>(m);
    points[real] = 0.0;
    points[real + 1] = 0.0;
}

// Clears every bin outside lo .. hi-1 together with its mirror, except 4095..4097, which the
// sweep never reaches. A band that lies wholly below DC (hi = 0) passes nothing at all, those
// three bins included.
void ClearStopBand(double* points, const PassBand& band) {
    if (band.hi <= 0) {
        std::fill(points, points + 2 * kSampleCount, 0.0);
        return;
    }
    if (band.lo > 0) ClearPoint(points, 0);
    for (int j = 1; j < band.lo; ++j) {
        ClearPoint(points, j);
        ClearPoint(points, kPoints - j);
    }
    for (int k = band.hi; k <= kLastStopBin; ++k) {
        ClearPoint(points, k);
        ClearPoint(points, kPoints - k);
    }
}

void ApplyBandPass(SignalBuffer& signal, double* points, const PassBand& band) {
    for (std::size_t m = 0; m < kSampleCount; ++m) {
        points[2 * m] = signal[m];
        points[2 * m + 1] = 0.0;
    }
    nrFFT::FFT(points, kPoints, 0);
    ClearStopBand(points, band);
    nrFFT::FFT(points, kPoints, 1);
    for (std::size_t m = 0; m < kSampleCount; ++m)
        signal[m] = points[2 * m];
}

void AddNoise(SignalBuffer& signal, SignalBuffer& noise, double noiseFigure,
              UniformRandom& random) {
    const double sigma = StageNoiseSigma(noiseFigure);
    FillGaussian(noise, random);
    for (std::size_t i = 0; i < kSampleCount; ++i)
        signal[i] = sigma * noise[i] + signal[i];
}

void ApplyGain(SignalBuffer& signal, double gain) {
    for (double& x : signal)
        x = x * gain;
}

double VoltageGain(double powerGainDb) {
    return std::sqrt(math::Exp10(powerGainDb / 10.0));
}
double InterceptWatts(double dBm) {
    return math::Exp10(dBm / 10.0) / 1000.0;
}

}  // namespace

bool Distorts(const StageParameters& stage) {
    return stage.ip3 > 0.0 && stage.ip3 < kNonlinearityLimit;
}
bool Mixes(const StageParameters& stage) {
    return stage.loFrequency > 0.0;
}
bool Filters(const StageParameters& stage) {
    return stage.bandwidth > 0.0 && stage.bandwidth < kFilterBandwidthLimit;
}
bool AddsNoise(const StageParameters& stage) {
    return stage.noiseFigure > 0.0;
}

Distortion DistortionFor(double ip3Watts) {
    const double c3 = 4.0 / 3.0 / (100.0 * ip3Watts);
    const double c2 = c3 / 10.0;
    return {c2, c3, c2 / 10.0};
}

double SwitchingFactor(double loSample) {
    return loSample > 0.0 ? 1.0 : (loSample < 0.0 ? -1.0 : 0.0);
}

double StageNoiseSigma(double noiseFigureDb) {
    const double kelvin = (math::Exp10(noiseFigureDb / 10.0) - 1.0) * kReferenceKelvin;
    return ThermalNoiseSigma(kelvin);
}

PassBand PassBandBins(double centreMHz, double bandwidthMHz) {
    const double loBins = (centreMHz - bandwidthMHz / 2.0) * 1000000.0 / kBinWidth;
    const double hiBins = (bandwidthMHz / 2.0 + centreMHz) * 1000000.0 / kBinWidth;
    PassBand band;
    band.lo = std::isnan(loBins) ? kPoints : NearestBin(loBins, 0, kPoints);
    band.hi = std::isnan(hiBins) ? 0 : NearestBin(hiBins, 0, kPoints - 1);
    return band;
}

bool PassBandKeepsBin(const PassBand& band, int bin) {
    if (band.hi <= 0) return false;  // wholly below DC: nothing passes
    if (bin == 0) return band.lo <= 0;
    const bool belowBand = bin < band.lo || kPoints - bin < band.lo;
    const bool aboveBand = bin >= band.hi && bin <= kLastStopBin;
    return !belowBand && !aboveBand;
}

void ProcessStage(const StageParameters& stage, EngineBuffers& buffers, UniformRandom& random) {
    SignalBuffer& signal = buffers.dSignal;
    const bool distorts = Distorts(stage);
    const Distortion distortion = distorts ? DistortionFor(stage.ip3) : Distortion{};
    if (distorts) ApplyDistortion(signal, distortion);
    if (Mixes(stage)) {
        FillUnitCosine(buffers.dLO, stage.loFrequency);
        if (distorts) DistortLocalOscillator(buffers.dLO, signal, distortion);
        Mix(signal, buffers.dLO, stage.switching);
    }
    if (Filters(stage))
        ApplyBandPass(signal, buffers.filterWork.data(),
                      PassBandBins(stage.centre, stage.bandwidth));
    if (AddsNoise(stage)) AddNoise(signal, buffers.dNoise, stage.noiseFigure, random);
    ApplyGain(signal, stage.gain);
}

StageParameters FilterParameters(const StageSettings& panel) {
    StageParameters stage;
    stage.gain = VoltageGain(panel.Gain);
    stage.bandwidth = panel.Bandwidth;
    stage.centre = panel.CentreFreq;
    stage.noiseFigure = panel.NF;
    return stage;
}

StageParameters AmplifierParameters(const StageSettings& panel) {
    StageParameters stage;
    stage.gain = VoltageGain(panel.Gain);
    stage.noiseFigure = panel.NF;
    stage.ip3 = InterceptWatts(panel.IP3);
    return stage;
}

StageParameters MixerParameters(const StageSettings& panel) {
    StageParameters stage = AmplifierParameters(panel);
    stage.loFrequency = panel.LO_Freq;
    stage.switching = panel.Switching;
    return stage;
}

void ProcessFilter(const StageSettings& panel, EngineBuffers& buffers, UniformRandom& random) {
    ProcessStage(FilterParameters(panel), buffers, random);
}

void ProcessAmplifier(const StageSettings& panel, EngineBuffers& buffers, UniformRandom& random) {
    ProcessStage(AmplifierParameters(panel), buffers, random);
}

void ProcessMixer(const StageSettings& panel, EngineBuffers& buffers, UniformRandom& random) {
    ProcessStage(MixerParameters(panel), buffers, random);
}

void ProcessChainStage(const StageSettings& panel, EngineBuffers& buffers, UniformRandom& random) {
    switch (panel.kind) {
        case StageKind::Filter:
            ProcessFilter(panel, buffers, random);
            break;
        case StageKind::Mixer:
            ProcessMixer(panel, buffers, random);
            break;
        case StageKind::Amplifier:
            ProcessAmplifier(panel, buffers, random);
            break;
    }
}

}  // namespace quorvane
