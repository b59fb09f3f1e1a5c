#include "engine/nrFFT.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdio>
#include <utility>

#include "engine/nrFFTKernels.h"
#include "engine/nrFFTPasses.h"

namespace nrFFT {

namespace {

using detail::PassesFunction;

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

// Swaps point m with point rev(m) for every m whose bit-reversed index is larger. rev(m + 1)
// follows from rev(m) by flipping, at the top, as many bits as m + 1 flips at the bottom, which
// spares the usual inner loop and its hard-to-predict branches.
void BitReverse(double* __restrict data, std::size_t nn) {
    std::size_t j = 0;
    for (std::size_t i = 0; i < nn; ++i) {
        if (j > i) {
            std::swap(data[2 * j], data[2 * i]);
            std::swap(data[2 * j + 1], data[2 * i + 1]);
        }
        const auto flipped = static_cast<unsigned>(std::countr_zero(i + 1)) + 1;
        j ^= (nn - 1) ^ ((nn >> flipped) - 1);
    }
}

// Divides every element by nn. nn is a power of two, so multiplying by its reciprocal is exact
// and gives the same results as dividing, only faster.
void Scale(double* __restrict data, std::size_t nn) {
    const double reciprocal = 1.0 / static_cast<double>(nn);
    for (std::size_t i = 0; i < 2 * nn; ++i)
        data[i] *= reciprocal;
}

PassesFunction PassesFor(Kernel kernel) {
    if (!HasKernel(kernel)) return &detail::ScalarPasses;
    switch (kernel) {
#if defined(QUORVANE_FFT_HAS_VECTOR128)
        case Kernel::Vector128:
            return &detail::Vector128Passes;
#endif
#if defined(QUORVANE_FFT_HAS_AVX2)
        case Kernel::Avx2:
            return &detail::Avx2Passes;
#endif
        default:
            return &detail::ScalarPasses;
    }
}

Kernel FastestKernel() {
    for (const Kernel kernel : {Kernel::Avx2, Kernel::Vector128}) {
        if (HasKernel(kernel)) return kernel;
    }
    return Kernel::Scalar;
}

}  // namespace

namespace detail {

// Limits a butterfly product to +-1e200; a NaN passes through unchanged.
inline double Limit(double x) {
    return std::min(std::max(x, -kProductLimit), kProductLimit);
}

namespace {

void ScalarPass(double* __restrict data, std::size_t nn, std::size_t h, double sign) {
    const std::size_t n = 2 * nn;
    const std::size_t span = 2 * h;     // distance of the partner point, in elements
    const std::size_t step = 2 * span;  // distance between blocks, in elements
    Twiddles w(h, sign);
    for (std::size_t q = 0; q < span; q += 2, w.Advance()) {
        const double wr = w.Real();
        const double wi = w.Imaginary();
        for (std::size_t a = q; a < n; a += step) {
            const std::size_t c = a + span;
            const double tr = Limit(wr * data[c] - wi * data[c + 1]);
            const double ti = Limit(wr * data[c + 1] + wi * data[c]);
            data[c] = data[a] - tr;
            data[c + 1] = data[a + 1] - ti;
            data[a] += tr;
            data[a + 1] += ti;
        }
    }
}

}  // namespace

void ScalarPasses(double* data, std::size_t nn, double sign) {
    for (std::size_t h = 1; h < nn; h *= 2)
        ScalarPass(data, nn, h, sign);
}

}  // namespace detail

bool HasKernel(Kernel kernel) {
#if defined(QUORVANE_FFT_HAS_VECTOR128)
    constexpr bool kVector128Built = true;
#else
    constexpr bool kVector128Built = false;
#endif
    switch (kernel) {
        case Kernel::Scalar:
            return true;
        case Kernel::Vector128:
            return kVector128Built;
        case Kernel::Avx2:
#if defined(QUORVANE_FFT_HAS_AVX2)
            return detail::ProcessorHasAvx2();
#else
            return false;
#endif
    }
    return false;
}

RefusalReporter SetRefusalReporter(RefusalReporter reporter) {
    const RefusalReporter previous = refusalReporter;
    refusalReporter = reporter != nullptr ? reporter : &ReportToStandardError;
    return previous;
}

void FFTWith(Kernel kernel, double* data, std::int32_t nn, std::int16_t inverse) {
    if (!IsPowerOfTwoLength(nn)) {
        refusalReporter(kRefusalText);
        return;
    }
    const auto points = static_cast<std::size_t>(nn);
    const double sign = inverse == 0 ? 1.0 : -1.0;
    BitReverse(data, points);
    PassesFor(kernel)(data, points, sign);
    if (inverse != 0) Scale(data, points);
}

void FFT(double* data, std::int32_t nn, std::int16_t inverse) {
    static const Kernel fastest = FastestKernel();
    FFTWith(fastest, data, nn, inverse);
}

}  // namespace nrFFT
