#pragma once

#include <cmath>
#include <cstddef>

#include "engine/Elementary.h"

// The butterfly passes of nrFFT::FFT, one per kernel. Only nrFFT's own sources include this.
namespace nrFFT::detail {

inline constexpr double kFullCircle = 6.28318530717959;
inline constexpr double kProductLimit = 1e200;

// The twiddles of one pass from the trigonometric recurrence, in order: w starts at 1 + 0i and
// each step multiplies it by e^(sign i theta) as w + w (wpr + i wpi), with the old wr used in
// both lines. Every kernel takes its twiddles from here, so all of them use the same values.
class Twiddles {
  public:
    Twiddles(std::size_t h, double sign) {
        const double theta = kFullCircle / static_cast<double>(2 * h);
        const double t = sign * quorvane::math::Sin(0.5 * theta);
        wpr_ = -2.0 * t * t;
        wpi_ = sign * quorvane::math::Sin(theta);
    }
    double Real() const { return wr_; }
    double Imaginary() const { return wi_; }
    void Advance() {
        const double wrOld = wr_;
        wr_ = wr_ * wpr_ - wi_ * wpi_ + wr_;
        wi_ = wi_ * wpr_ + wrOld * wpi_ + wi_;
    }

  private:
    double wpr_ = 0.0;
    double wpi_ = 0.0;
    double wr_ = 1.0;
    double wi_ = 0.0;
};

// All butterfly passes over nn complex points (interleaved), for h = 1, 2, 4, ..., nn/2: the
// butterflies of pass h join points h apart. Each product wr*re - wi*im, wr*im + wi*re is held
// within +-1e200 (a NaN passes). A kernel may run two passes in one sweep over the data: each
// butterfly still sees exactly the values the passes one after the other would give it.
using PassesFunction = void (*)(double* data, std::size_t nn, double sign);

void ScalarPasses(double* data, std::size_t nn, double sign);
#if defined(__SSE2__) || defined(__wasm_simd128__)
#define QUORVANE_FFT_HAS_VECTOR128 1
void Vector128Passes(double* data, std::size_t nn, double sign);
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QUORVANE_FFT_HAS_AVX2 1
void Avx2Passes(double* data, std::size_t nn, double sign);
bool ProcessorHasAvx2();
#endif

}  // namespace nrFFT::detail
