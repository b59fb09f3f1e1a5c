#include "engine/nrFFT.h"

#include "engine/nrFFTKernels.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nrFFT {

namespace {

constexpr double kFullCircle = 6.28318530717959;
constexpr double kProductLimit = 1e200;
constexpr const char* kRefusalText = "This FFT only does powers of two.";

void ReportToStandardError(const char* message) {
    std::fputs(message, stderr);
    std::fputc('\n', stderr);
}

RefusalReporter refusalReporter = &ReportToStandardError;

// True for 2, 4, 8, ...: doubles v from 2 while it is below nn and compares.
bool IsPowerOfTwoLength(std::int32_t nn) {
    std::int64_t v = 2;
    while (v < nn)
        v *= 2;
    return v == nn;
}

// Swaps point m with point rev(m) for every m whose bit-reversed index is larger.
void BitReverse(double* __restrict data, std::size_t nn) {
    const std::size_t n = 2 * nn;
    std::size_t j = 0;
    for (std::size_t i = 0; i < n; i += 2) {
        if (j > i) {
            std::swap(data[j], data[i]);
            std::swap(data[j + 1], data[i + 1]);
        }
        std::size_t m = nn;
        while (m >= 2 && j >= m) {
            j -= m;
            m >>= 1;
        }
        j += m;
    }
}

// Limits a butterfly product to +-1e200; a NaN passes through unchanged.
inline double Limit(double x) {
    return std::min(std::max(x, -kProductLimit), kProductLimit);
}

// One pass of butterflies whose two points lie h apart, twiddles from the recurrence.
void ScalarButterflyPass(double* __restrict data, std::size_t nn, std::size_t h, double sign) {
    const double theta = kFullCircle / static_cast<double>(2 * h);
    const double t = sign * std::sin(0.5 * theta);
    const double wpr = -2.0 * t * t;
    const double wpi = sign * std::sin(theta);
    const std::size_t n = 2 * nn;
    const std::size_t span = 2 * h;     // distance of the partner point, in elements
    const std::size_t step = 2 * span;  // distance between blocks, in elements
    double wr = 1.0;
    double wi = 0.0;
    for (std::size_t q = 0; q < span; q += 2) {
        for (std::size_t a = q; a < n; a += step) {
            const std::size_t c = a + span;
            const double tr = Limit(wr * data[c] - wi * data[c + 1]);
            const double ti = Limit(wr * data[c + 1] + wi * data[c]);
            data[c] = data[a] - tr;
            data[c + 1] = data[a + 1] - ti;
            data[a] += tr;
            data[a + 1] += ti;
        }
        const double wrOld = wr;
        wr = wr * wpr - wi * wpi + wr;
        wi = wi * wpr + wrOld * wpi + wi;
    }
}

#if defined(__SSE2__)

// One complex point as a two-lane vector: (real, imaginary).
inline __m128d LimitPoint(__m128d t, __m128d low, __m128d high) {
    // max/min return their second operand when either is NaN, so a NaN passes unchanged.
    return _mm_min_pd(high, _mm_max_pd(low, t));
}

// The butterflies of one pass that share the twiddles w[0 .. count-1] (in the lanes
// (wr, wr) and (-wi, wi)), for every block of the pass. Computes exactly the scalar products
// wr*re - wi*im and wr*im + wi*re, both lanes at once.
void ButterflyGroup(double* __restrict data, std::size_t n, std::size_t span, std::size_t first,
                    const __m128d* wre, const __m128d* wim, std::size_t count) {
    const __m128d low = _mm_set1_pd(-kProductLimit);
    const __m128d high = _mm_set1_pd(kProductLimit);
    const std::size_t step = 2 * span;
    for (std::size_t block = first; block < n; block += step) {
        double* pa = data + block;
        for (std::size_t k = 0; k < count; ++k, pa += 2) {
            double* pc = pa + span;
            const __m128d xc = _mm_loadu_pd(pc);
            const __m128d swapped = _mm_shuffle_pd(xc, xc, 1);
            const __m128d product = LimitPoint(
                _mm_add_pd(_mm_mul_pd(wre[k], xc), _mm_mul_pd(wim[k], swapped)), low, high);
            const __m128d xa = _mm_loadu_pd(pa);
            _mm_storeu_pd(pc, _mm_sub_pd(xa, product));
            _mm_storeu_pd(pa, _mm_add_pd(xa, product));
        }
    }
}

// One pass of butterflies whose two points lie h apart. The twiddles come from the recurrence
// in order, a few at a time, and each group of them is applied block by block, so the points
// a group touches in one block are neighbours in memory.
void Sse2ButterflyPass(double* __restrict data, std::size_t nn, std::size_t h, double sign) {
    constexpr std::size_t kGroup = 8;
    const double theta = kFullCircle / static_cast<double>(2 * h);
    const double t = sign * std::sin(0.5 * theta);
    const double wpr = -2.0 * t * t;
    const double wpi = sign * std::sin(theta);
    const std::size_t count = std::min(h, kGroup);
    __m128d wre[kGroup];
    __m128d wim[kGroup];
    double wr = 1.0;
    double wi = 0.0;
    for (std::size_t q = 0; q < h; q += count) {
        for (std::size_t k = 0; k < count; ++k) {
            wre[k] = _mm_set1_pd(wr);
            wim[k] = _mm_set_pd(wi, -wi);
            const double wrOld = wr;
            wr = wr * wpr - wi * wpi + wr;
            wi = wi * wpr + wrOld * wpi + wi;
        }
        ButterflyGroup(data, 2 * nn, 2 * h, 2 * q, wre, wim, count);
    }
}

#endif

// Divides every element by nn. nn is a power of two, so multiplying by its reciprocal is exact
// and gives the same results as dividing, only faster.
void Scale(double* __restrict data, std::size_t nn) {
    const double reciprocal = 1.0 / static_cast<double>(nn);
    for (std::size_t i = 0; i < 2 * nn; ++i)
        data[i] *= reciprocal;
}

}  // namespace

RefusalReporter SetRefusalReporter(RefusalReporter reporter) {
    const RefusalReporter previous = refusalReporter;
    refusalReporter = reporter != nullptr ? reporter : &ReportToStandardError;
    return previous;
}

namespace {

using PassFunction = void (*)(double* __restrict, std::size_t, std::size_t, double);

PassFunction PassFor(Kernel kernel) {
#if defined(__SSE2__)
    if (kernel == Kernel::Sse2) return &Sse2ButterflyPass;
#endif
    (void)kernel;
    return &ScalarButterflyPass;
}

Kernel FastestKernel() {
    return HasKernel(Kernel::Sse2) ? Kernel::Sse2 : Kernel::Scalar;
}

}  // namespace

bool HasKernel(Kernel kernel) {
    switch (kernel) {
        case Kernel::Scalar:
            return true;
        case Kernel::Sse2:
#if defined(__SSE2__)
            return true;
#else
            return false;
#endif
    }
    return false;
}

void FFTWith(Kernel kernel, double* data, std::int32_t nn, std::int16_t inverse) {
    if (!IsPowerOfTwoLength(nn)) {
        refusalReporter(kRefusalText);
        return;
    }
    const PassFunction butterflyPass = PassFor(kernel);
    const auto points = static_cast<std::size_t>(nn);
    const double sign = inverse == 0 ? 1.0 : -1.0;
    BitReverse(data, points);
    for (std::size_t h = 1; h < points; h *= 2)
        butterflyPass(data, points, h, sign);
    if (inverse != 0) Scale(data, points);
}

void FFT(double* data, std::int32_t nn, std::int16_t inverse) {
    static const Kernel fastest = FastestKernel();
    FFTWith(fastest, data, nn, inverse);
}

}  // namespace nrFFT
