#include "analysis/NoiseDensity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

#include <numbers>

#include "engine/Elementary.h"
#include "engine/SignalBuffer.h"
#include "engine/nrFFT.h"
#include "engine/nrFFTPasses.h"

namespace quorvane::analysis {

namespace {

constexpr int kBins = static_cast<int>(kSampleCount);
constexpr int kHalf = kBins / 2;
// Watts of one bin of the transform: a value X stands for |X|^2 / N^2 / 50.
constexpr double kBinWatts = 1.0 / (static_cast<double>(kBins) * kBins) / kReferenceOhms;
// The samples of a line are stepped by rotation and set afresh this often, so that rounding
// cannot build up.
constexpr int kFreshPhase = 256;

// out[m] += zr re[m] - zi im[m] for one stretch: the same operations on each sample, four at a
// time where the processor has AVX2.
void AddRotated(double* out, const double* re, const double* im, double zr, double zi) {
    for (std::size_t m = 0; m < kFreshPhase; ++m)
        out[m] += zr * re[m] - zi * im[m];
}
#if defined(QUORVANE_FFT_HAS_AVX2)
__attribute__((target("avx2"))) void AddRotatedAvx2(double* out, const double* re, const double* im,
                                                    double zr, double zi) {
    for (std::size_t m = 0; m < kFreshPhase; ++m)
        out[m] += zr * re[m] - zi * im[m];
}
#endif

// Adds Re(phasor e^(2 pi i beta n / N)) to the samples: the phasor is set afresh at the start
// of each stretch of kFreshPhase samples and turned within it by the stretch's own rotations,
// worked out once, so that every sample is independent of the one before.
void AddLineSamples(std::vector<double>& samples, std::complex<double> phasor, double beta) {
    const std::complex<double> step = math::UnitPhasor(2 * std::numbers::pi * beta / kBins);
    std::array<double, kFreshPhase> re{}, im{};
    double rr = 1, ri = 0;
    for (int m = 0; m < kFreshPhase; ++m) {
        re[static_cast<std::size_t>(m)] = rr;
        im[static_cast<std::size_t>(m)] = ri;
        const double r = rr * step.real() - ri * step.imag();
        ri = rr * step.imag() + ri * step.real();
        rr = r;
    }
    for (int first = 0; first < kBins; first += kFreshPhase) {
        const double turns = beta * first / kBins;
        const std::complex<double> z =
            phasor * math::UnitPhasor(2 * std::numbers::pi * (turns - std::floor(turns)));
        const double zr = z.real(), zi = z.imag();
        double* out = samples.data() + first;
#if defined(QUORVANE_FFT_HAS_AVX2)
        static const bool avx2 = nrFFT::detail::ProcessorHasAvx2();
        if (avx2) {
            AddRotatedAvx2(out, re.data(), im.data(), zr, zi);
            continue;
        }
#endif
        AddRotated(out, re.data(), im.data(), zr, zi);
    }
}

}  // namespace

std::vector<double> LineSamples(const LineSet& lines, double floor) {
    std::vector<double> samples(kSampleCount, 0.0);
    for (const Line& line : lines) {
        if (!(math::Abs(line.phasor) < floor))
            AddLineSamples(samples, line.phasor, line.mhz / kBinMHz);
    }
    return samples;
}

void AddClearedSamples(std::vector<double>& samples, const LineSet& lines) {
    std::vector<bool> done(lines.size(), false);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (done[i] || lines[i].confinedBy.empty()) continue;
        // The lines confined by the same filters, together.
        LineSet group;
        for (std::size_t j = i; j < lines.size(); ++j) {
            if (done[j] || lines[j].confinedBy != lines[i].confinedBy) continue;
            group.push_back(lines[j]);
            done[j] = true;
        }
        const std::vector<double> whole = LineSamples(group);
        std::vector<double> points(2 * kSampleCount, 0.0);
        for (std::size_t n = 0; n < kSampleCount; ++n)
            points[2 * n] = whole[n];
        nrFFT::FFT(points.data(), kBins, 1);
        for (int k = 0; k <= kHalf; ++k) {
            const bool kept =
                std::all_of(lines[i].confinedBy.begin(), lines[i].confinedBy.end(),
                            [&](const PassBand& band) { return PassBandKeepsBin(band, k); });
            if (!kept) continue;
            for (const int b : {k, (kBins - k) % kBins}) {
                points[2 * static_cast<std::size_t>(b)] = 0;
                points[2 * static_cast<std::size_t>(b) + 1] = 0;
            }
        }
        nrFFT::FFT(points.data(), kBins, 0);
        for (std::size_t n = 0; n < kSampleCount; ++n)
            samples[n] += points[2 * n];
    }
}

namespace {

// The circular convolution of real bins with a kernel given by its transform.
void Convolve(std::vector<double>& bins, const std::vector<double>& kernelTransform) {
    std::vector<double> points(2 * kSampleCount, 0.0);
    for (std::size_t k = 0; k < kSampleCount; ++k)
        points[2 * k] = bins[k];
    nrFFT::FFT(points.data(), kBins, 0);
    for (std::size_t k = 0; k < kSampleCount; ++k) {
        const std::complex<double> product =
            std::complex<double>(points[2 * k], points[2 * k + 1]) *
            std::complex<double>(kernelTransform[2 * k], kernelTransform[2 * k + 1]);
        points[2 * k] = product.real();
        points[2 * k + 1] = product.imag();
    }
    nrFFT::FFT(points.data(), kBins, 1);
    for (std::size_t k = 0; k < kSampleCount; ++k)
        bins[k] = points[2 * k];
}

}  // namespace

MixingWave::MixingWave(const LineSet& lines, double meanSquare, const std::vector<double>& exact)
    : samples_(exact.size() == kSampleCount ? exact : std::vector<double>(kSampleCount, 0.0)),
      kernel_(2 * kSampleCount, 0.0) {
    double held = 0;
    for (const Line& line : lines) {
        AddLineSamples(samples_, line.phasor, line.mhz / kBinMHz);
        const double a = math::Abs(line.phasor);
        held += AtDcOrNyquist(line.mhz) ? a * a : a * a / 2;
    }
    remainder_ = exact.size() == kSampleCount ? 0.0 : std::max(0.0, meanSquare - held);
    // |W(k)|^2 / N^2, then its transform.
    for (std::size_t n = 0; n < kSampleCount; ++n)
        kernel_[2 * n] = samples_[n];
    nrFFT::FFT(kernel_.data(), kBins, 0);
    for (std::size_t k = 0; k < kSampleCount; ++k) {
        const double re = kernel_[2 * k] / kBins, im = kernel_[2 * k + 1] / kBins;
        kernel_[2 * k] = re * re + im * im;
        kernel_[2 * k + 1] = 0;
    }
    nrFFT::FFT(kernel_.data(), kBins, 0);
}

NoiseDensity::NoiseDensity() : bins_(kSampleCount, 0.0) {}

double NoiseDensity::White::Level() const {
    if (envelope.empty()) return perBin;
    double squares = 0;
    for (const double e : envelope)
        squares += e * e;
    return perBin * squares / kBins;
}

double NoiseDensity::WhiteLevel() const {
    double level = 0;
    for (const White& w : white_)
        level += w.Level();
    return level;
}

void NoiseDensity::Settle() {
    if (white_.empty()) return;
    const double level = WhiteLevel();
    for (double& b : bins_)
        b += level;
    white_.clear();
}

void NoiseDensity::AddWhite(double sigmaVolts) {
    const double perBin = sigmaVolts * sigmaVolts / kReferenceOhms / kBins;
    for (White& w : white_) {
        if (w.envelope.empty()) {
            w.perBin += perBin;
            return;
        }
    }
    white_.push_back({perBin, {}});
}

void NoiseDensity::Add(const NoiseDensity& other, double factor) {
    for (std::size_t k = 0; k < kSampleCount; ++k)
        bins_[k] += factor * other.bins_[k];
    for (const White& w : other.white_)
        white_.push_back({factor * w.perBin, w.envelope});
}

void NoiseDensity::AddAt(int bin, double watts) {
    bins_[static_cast<std::size_t>(bin)] += watts;
}

void NoiseDensity::Mask(const PassBand& band) {
    Settle();
    for (int k = 0; k <= kHalf; ++k) {
        if (PassBandKeepsBin(band, k)) continue;
        bins_[static_cast<std::size_t>(k)] = 0;
        bins_[static_cast<std::size_t>((kBins - k) % kBins)] = 0;
    }
}

void NoiseDensity::Scale(double factor) {
    for (double& b : bins_)
        b *= factor;
    for (White& w : white_)
        w.perBin *= factor;
}

void NoiseDensity::Mix(const MixingWave& wave, bool signedBins) {
    // What the waveform's lines leave out spreads the white parts' power evenly too.
    const double whiteEven = wave.Remainder() * WhiteLevel();
    for (White& w : white_) {
        if (w.envelope.empty()) {
            w.envelope = wave.Samples();
            continue;
        }
        for (std::size_t n = 0; n < kSampleCount; ++n)
            w.envelope[n] *= wave.Samples()[n];
    }
    if (std::all_of(bins_.begin(), bins_.end(), [](double b) { return b == 0; })) {
        if (whiteEven > 0) {
            for (double& b : bins_)
                b += whiteEven;
        }
        return;
    }
    double colored = 0;
    for (const double b : bins_)
        colored += b;
    const double even = wave.Remainder() * colored / kBins + whiteEven;
    Convolve(bins_, wave.KernelTransform());
    for (double& b : bins_)
        b = (signedBins ? b : std::max(0.0, b)) + even;
}

double NoiseDensity::Total() const {
    return std::accumulate(bins_.begin(), bins_.end(), 0.0) + WhiteLevel() * kBins;
}

double NoiseDensity::PeakBound() const {
    double peak = 0;
    for (const double w : OneSided(1.0, NoiseDensity()))
        peak += std::sqrt(2.0 * kReferenceOhms * w);
    return peak;
}

std::vector<double> NoiseDensity::OneSided(double factor, const NoiseDensity& plus) const {
    const double flat = factor * WhiteLevel() + plus.WhiteLevel();
    auto at = [&](int k) {
        const auto i = static_cast<std::size_t>(k);
        return factor * bins_[i] + plus.bins_[i] + flat;
    };
    std::vector<double> oneSided(kHalf + 1);
    oneSided[0] = at(0);
    oneSided[kHalf] = at(kHalf);
    for (int k = 1; k < kHalf; ++k)
        oneSided[static_cast<std::size_t>(k)] = at(k) + at(kBins - k);
    return oneSided;
}

Spread::Spread() : values_(kSampleCount) {}

void Spread::Mask(const PassBand& band) {
    residue_.Mask(band);
    if (!any_) return;
    for (int k = 0; k <= kHalf; ++k) {
        if (PassBandKeepsBin(band, k)) continue;
        values_[static_cast<std::size_t>(k)] = 0;
        values_[static_cast<std::size_t>((kBins - k) % kBins)] = 0;
    }
}

void Spread::Scale(double powerFactor) {
    residue_.Scale(powerFactor);
    if (!any_) return;
    const double amplitude = std::sqrt(powerFactor);
    for (std::complex<double>& v : values_)
        v *= amplitude;
}

// The samples are the inverse transform, multiplied by the waveform's and transformed back:
// with nrFFT's signs, its forward transform of X is N times the samples, and its inverse of the
// product is the product's transform over N.
void Spread::Mix(const MixingWave& wave) {
    residue_.Mix(wave, true);
    if (!any_) return;
    std::vector<double> points(2 * kSampleCount);
    double watts = 0;
    for (std::size_t k = 0; k < kSampleCount; ++k) {
        points[2 * k] = values_[k].real();
        points[2 * k + 1] = values_[k].imag();
        watts += std::norm(values_[k]) * kBinWatts;
    }
    nrFFT::FFT(points.data(), kBins, 0);
    const std::vector<double>& w = wave.Samples();
    for (std::size_t n = 0; n < kSampleCount; ++n) {
        points[2 * n] *= w[n];
        points[2 * n + 1] *= w[n];
    }
    nrFFT::FFT(points.data(), kBins, 1);
    for (std::size_t k = 0; k < kSampleCount; ++k)
        values_[k] = {points[2 * k], points[2 * k + 1]};
    // What the waveform's lines leave out of it spreads the power evenly, as it does noise.
    const double even = wave.Remainder() * watts / kBins;
    if (even > 0) {
        for (int k = 0; k < kBins; ++k)
            residue_.AddAt(k, even);
    }
}

void Spread::Distort(const MixingWave& slope, const std::vector<double>& x,
                     const std::vector<double>& cleared, const Distortion& d) {
    residue_.Mix(slope, true);
    const bool anyCleared =
        std::any_of(cleared.begin(), cleared.end(), [](double c) { return c != 0; });
    if (!any_ && !anyCleared) return;
    any_ = true;
    std::vector<double> points(2 * kSampleCount);
    for (std::size_t k = 0; k < kSampleCount; ++k) {
        points[2 * k] = values_[k].real();
        points[2 * k + 1] = values_[k].imag();
    }
    // nrFFT's forward transform of X is N times the samples; its inverse of N times the new
    // samples is their transform.
    nrFFT::FFT(points.data(), kBins, 0);
    for (std::size_t n = 0; n < kSampleCount; ++n) {
        // The polynomial about the lines x, of what the buffer holds beside them, s - cleared.
        const double c = cleared.empty() ? 0.0 : cleared[n];
        const double s = points[2 * n] / kBins - c;
        const double v = x[n];
        const double first = 1 + 2 * d.c2 * v + 3 * d.c3 * v * v + 4 * d.c4 * v * v * v;
        const double second = d.c2 + 3 * d.c3 * v + 6 * d.c4 * v * v;
        const double third = d.c3 + 4 * d.c4 * v;
        const double changed =
            s * first + s * s * second + s * s * s * third + d.c4 * s * s * s * s;
        points[2 * n] = (changed + c) * kBins;
        points[2 * n + 1] = 0;
    }
    nrFFT::FFT(points.data(), kBins, 1);
    for (std::size_t k = 0; k < kSampleCount; ++k)
        values_[k] = {points[2 * k], points[2 * k + 1]};
}

void Spread::AddSamples(std::vector<double>& samples) const {
    if (!any_) return;
    std::vector<double> points(2 * kSampleCount);
    for (std::size_t k = 0; k < kSampleCount; ++k) {
        points[2 * k] = values_[k].real();
        points[2 * k + 1] = values_[k].imag();
    }
    nrFFT::FFT(points.data(), kBins, 0);
    for (std::size_t n = 0; n < kSampleCount; ++n)
        samples[n] += points[2 * n] / kBins;
}

double Spread::BinWatts(std::size_t k) const {
    return std::norm(values_[k]) * kBinWatts + residue_.Bins()[k];
}

double Spread::Total() const {
    double total = 0;
    for (const double w : OneSided())
        total += w;
    return total;
}

double Spread::PeakBound() const {
    double peak = 0;
    for (const double w : OneSided())
        peak += std::sqrt(2.0 * kReferenceOhms * w);
    return peak;
}

std::vector<double> Spread::OneSided() const {
    std::vector<double> oneSided(kHalf + 1);
    oneSided[0] = std::max(0.0, BinWatts(0));
    oneSided[kHalf] = std::max(0.0, BinWatts(kHalf));
    for (int k = 1; k < kHalf; ++k) {
        oneSided[static_cast<std::size_t>(k)] =
            std::max(0.0, BinWatts(static_cast<std::size_t>(k))) +
            std::max(0.0, BinWatts(static_cast<std::size_t>(kBins - k)));
    }
    return oneSided;
}

}  // namespace quorvane::analysis
