// The vector kernels of nrFFT::FFT. Each lane does exactly what the scalar kernel does for one
// element, in the same order (a multiply, a multiply, an add, the clamp; no fused multiply-add),
// so every kernel gives bit-identical results.

#include <algorithm>
#include <cstddef>

#include "engine/nrFFTPasses.h"

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(QUORVANE_FFT_HAS_AVX2)
#include <immintrin.h>
#endif

namespace nrFFT::detail {

namespace {

// Twiddles are taken from the recurrence this many at a time and applied block by block, so
// the points one group touches in a block are neighbours in memory.
constexpr std::size_t kGroup = 8;

}  // namespace

#if defined(QUORVANE_FFT_HAS_VECTOR128)

namespace {

// One complex point in a two-lane vector (real, imaginary): SSE2 on x86-64, SIMD128 in
// WebAssembly. The clamp keeps a NaN product, as the scalar kernel does: SSE2's min and max return
// their second operand when either is NaN, and SIMD128's pseudo-minimum pmin(a, b) is
// b < a ? b : a, which returns its first.
#if defined(__wasm_simd128__)
using Vector = v128_t;
inline Vector Load(const double* p) {
    return wasm_v128_load(p);
}
inline void Store(double* p, Vector v) {
    wasm_v128_store(p, v);
}
inline Vector Add(Vector a, Vector b) {
    return wasm_f64x2_add(a, b);
}
inline Vector Sub(Vector a, Vector b) {
    return wasm_f64x2_sub(a, b);
}
inline Vector Mul(Vector a, Vector b) {
    return wasm_f64x2_mul(a, b);
}
inline Vector Swapped(Vector v) {
    return wasm_i64x2_shuffle(v, v, 1, 0);
}
inline Vector Splat(double x) {
    return wasm_f64x2_splat(x);
}
inline Vector Make(double low, double high) {
    return wasm_f64x2_make(low, high);
}
inline Vector Clamp(Vector x, Vector low, Vector high) {
    return wasm_f64x2_pmin(wasm_f64x2_pmax(x, low), high);
}
#else
using Vector = __m128d;
inline Vector Load(const double* p) {
    return _mm_loadu_pd(p);
}
inline void Store(double* p, Vector v) {
    _mm_storeu_pd(p, v);
}
inline Vector Add(Vector a, Vector b) {
    return _mm_add_pd(a, b);
}
inline Vector Sub(Vector a, Vector b) {
    return _mm_sub_pd(a, b);
}
inline Vector Mul(Vector a, Vector b) {
    return _mm_mul_pd(a, b);
}
inline Vector Swapped(Vector v) {
    return _mm_shuffle_pd(v, v, 1);
}
inline Vector Splat(double x) {
    return _mm_set1_pd(x);
}
inline Vector Make(double low, double high) {
    return _mm_setr_pd(low, high);
}
inline Vector Clamp(Vector x, Vector low, Vector high) {
    return _mm_min_pd(high, _mm_max_pd(low, x));
}
#endif

// The butterfly product w * c, held within +-1e200: the real lane is wr re + (-wi) im, the
// imaginary lane wr im + wi re, as the scalar kernel computes them.
inline Vector Product(Vector xc, Vector wre, Vector wim) {
    return Clamp(Add(Mul(wre, xc), Mul(wim, Swapped(xc))), Splat(-kProductLimit),
                 Splat(kProductLimit));
}

// The twiddles of a group of butterflies, as (wr, wr) and (-wi, wi), taken from the recurrence
// in order.
struct Vector128TwiddleGroup {
    Vector re[kGroup];
    Vector im[kGroup];

    void Take(Twiddles& w, std::size_t count) {
        for (std::size_t k = 0; k < count; ++k, w.Advance()) {
            re[k] = Splat(w.Real());
            im[k] = Make(-w.Imaginary(), w.Imaginary());
        }
    }
};

void Vector128Pass(double* __restrict data, std::size_t nn, std::size_t h, double sign) {
    const std::size_t n = 2 * nn;
    const std::size_t span = 2 * h;
    const std::size_t count = std::min(h, kGroup);
    Twiddles w(h, sign);
    Vector128TwiddleGroup group;
    for (std::size_t q = 0; q < h; q += count) {
        group.Take(w, count);
        for (std::size_t block = 2 * q; block < n; block += 2 * span) {
            double* pa = data + block;
            for (std::size_t k = 0; k < count; ++k, pa += 2) {
                double* pc = pa + span;
                const Vector product = Product(Load(pc), group.re[k], group.im[k]);
                const Vector xa = Load(pa);
                Store(pc, Sub(xa, product));
                Store(pa, Add(xa, product));
            }
        }
    }
}

// Passes h and 2h in one sweep, as Avx2TwoPasses below does two points at a time.
void Vector128TwoPasses(double* __restrict data, std::size_t nn, std::size_t h, double sign) {
    const std::size_t n = 2 * nn;
    const std::size_t span = 2 * h;
    const std::size_t count = std::min(h, kGroup);
    Twiddles first(h, sign);
    Twiddles secondLow(2 * h, sign);
    Twiddles secondHigh(2 * h, sign);
    for (std::size_t q = 0; q < h; ++q)
        secondHigh.Advance();
    Vector128TwiddleGroup w1;
    Vector128TwiddleGroup w2Low;
    Vector128TwiddleGroup w2High;
    for (std::size_t q = 0; q < h; q += count) {
        w1.Take(first, count);
        w2Low.Take(secondLow, count);
        w2High.Take(secondHigh, count);
        for (std::size_t block = 2 * q; block < n; block += 4 * span) {
            double* p = data + block;
            for (std::size_t k = 0; k < count; ++k, p += 2) {
                const Vector x0 = Load(p);
                const Vector x1 = Load(p + span);
                const Vector x2 = Load(p + 2 * span);
                const Vector x3 = Load(p + 3 * span);
                const Vector t = Product(x1, w1.re[k], w1.im[k]);
                const Vector a0 = Add(x0, t);
                const Vector a1 = Sub(x0, t);
                const Vector u = Product(x3, w1.re[k], w1.im[k]);
                const Vector a2 = Add(x2, u);
                const Vector a3 = Sub(x2, u);
                const Vector v = Product(a2, w2Low.re[k], w2Low.im[k]);
                Store(p, Add(a0, v));
                Store(p + 2 * span, Sub(a0, v));
                const Vector z = Product(a3, w2High.re[k], w2High.im[k]);
                Store(p + span, Add(a1, z));
                Store(p + 3 * span, Sub(a1, z));
            }
        }
    }
}

}  // namespace

void Vector128Passes(double* data, std::size_t nn, double sign) {
    std::size_t h = 1;
    for (; 4 * h <= nn; h *= 4)
        Vector128TwoPasses(data, nn, h, sign);
    if (h < nn) Vector128Pass(data, nn, h, sign);
}

#endif

#if defined(QUORVANE_FFT_HAS_AVX2)

namespace {

// Two complex points in one four-lane vector: (re0, im0, re1, im1).
__attribute__((target("avx2"))) inline __m256d Avx2Product(__m256d xc, __m256d wre, __m256d wim) {
    const __m256d low = _mm256_set1_pd(-kProductLimit);
    const __m256d high = _mm256_set1_pd(kProductLimit);
    const __m256d swapped = _mm256_permute_pd(xc, 0b0101);
    return _mm256_min_pd(high, _mm256_max_pd(low, _mm256_add_pd(_mm256_mul_pd(wre, xc),
                                                                _mm256_mul_pd(wim, swapped))));
}

// The first pass: every butterfly joins two neighbouring points with the twiddle 1 + 0i. Two
// butterflies at a time: their a points and c points are gathered into one vector each.
__attribute__((target("avx2"))) void Avx2FirstPass(double* __restrict data, std::size_t nn,
                                                   double wr, double wi) {
    const __m256d wre = _mm256_set1_pd(wr);
    const __m256d wim = _mm256_setr_pd(-wi, wi, -wi, wi);
    for (std::size_t e = 0; e < 2 * nn; e += 8) {
        const __m256d first = _mm256_loadu_pd(data + e);       // a0 c0
        const __m256d second = _mm256_loadu_pd(data + e + 4);  // a1 c1
        const __m256d xa = _mm256_permute2f128_pd(first, second, 0x20);
        const __m256d xc = _mm256_permute2f128_pd(first, second, 0x31);
        const __m256d product = Avx2Product(xc, wre, wim);
        const __m256d sum = _mm256_add_pd(xa, product);
        const __m256d difference = _mm256_sub_pd(xa, product);
        _mm256_storeu_pd(data + e, _mm256_permute2f128_pd(sum, difference, 0x20));
        _mm256_storeu_pd(data + e + 4, _mm256_permute2f128_pd(sum, difference, 0x31));
    }
}

// The twiddles of a group of butterflies two at a time, as (wr0, wr0, wr1, wr1) and
// (-wi0, wi0, -wi1, wi1), taken from the recurrence in order.
struct Avx2TwiddleGroup {
    __m256d re[kGroup / 2];
    __m256d im[kGroup / 2];

    __attribute__((target("avx2"))) void Take(Twiddles& w, std::size_t count) {
        for (std::size_t k = 0; k < count / 2; ++k) {
            const double wr0 = w.Real();
            const double wi0 = w.Imaginary();
            w.Advance();
            re[k] = _mm256_setr_pd(wr0, wr0, w.Real(), w.Real());
            im[k] = _mm256_setr_pd(-wi0, wi0, -w.Imaginary(), w.Imaginary());
            w.Advance();
        }
    }
};

// One pass, h >= 2: two neighbouring butterflies of a block at a time.
__attribute__((target("avx2"))) void Avx2Pass(double* __restrict data, std::size_t nn,
                                              std::size_t h, double sign) {
    const std::size_t n = 2 * nn;
    const std::size_t span = 2 * h;
    const std::size_t count = std::min(h, kGroup);  // even, as h >= 2
    Twiddles w(h, sign);
    Avx2TwiddleGroup group;
    for (std::size_t q = 0; q < h; q += count) {
        group.Take(w, count);
        for (std::size_t block = 2 * q; block < n; block += 2 * span) {
            double* pa = data + block;
            for (std::size_t k = 0; k < count / 2; ++k, pa += 4) {
                double* pc = pa + span;
                const __m256d product = Avx2Product(_mm256_loadu_pd(pc), group.re[k], group.im[k]);
                const __m256d xa = _mm256_loadu_pd(pa);
                _mm256_storeu_pd(pc, _mm256_sub_pd(xa, product));
                _mm256_storeu_pd(pa, _mm256_add_pd(xa, product));
            }
        }
    }
}

// Passes h and 2h, h >= 2, in one sweep: the four points h apart that the two passes combine are
// loaded once, go through their two butterflies of pass h and then their two of pass 2h, and are
// stored once. Pass 2h's twiddles for q and q + h come from two runs of its recurrence, the
// second advanced h steps ahead, so they are the values the pass would use in order.
__attribute__((target("avx2"))) void Avx2TwoPasses(double* __restrict data, std::size_t nn,
                                                   std::size_t h, double sign) {
    const std::size_t n = 2 * nn;
    const std::size_t span = 2 * h;
    const std::size_t count = std::min(h, kGroup);
    Twiddles first(h, sign);
    Twiddles secondLow(2 * h, sign);
    Twiddles secondHigh(2 * h, sign);
    for (std::size_t q = 0; q < h; ++q)
        secondHigh.Advance();
    Avx2TwiddleGroup w1;
    Avx2TwiddleGroup w2Low;
    Avx2TwiddleGroup w2High;
    for (std::size_t q = 0; q < h; q += count) {
        w1.Take(first, count);
        w2Low.Take(secondLow, count);
        w2High.Take(secondHigh, count);
        for (std::size_t block = 2 * q; block < n; block += 4 * span) {
            double* p = data + block;
            for (std::size_t k = 0; k < count / 2; ++k, p += 4) {
                const __m256d x0 = _mm256_loadu_pd(p);
                const __m256d x1 = _mm256_loadu_pd(p + span);
                const __m256d x2 = _mm256_loadu_pd(p + 2 * span);
                const __m256d x3 = _mm256_loadu_pd(p + 3 * span);
                const __m256d t = Avx2Product(x1, w1.re[k], w1.im[k]);
                const __m256d a0 = _mm256_add_pd(x0, t);
                const __m256d a1 = _mm256_sub_pd(x0, t);
                const __m256d u = Avx2Product(x3, w1.re[k], w1.im[k]);
                const __m256d a2 = _mm256_add_pd(x2, u);
                const __m256d a3 = _mm256_sub_pd(x2, u);
                const __m256d v = Avx2Product(a2, w2Low.re[k], w2Low.im[k]);
                _mm256_storeu_pd(p, _mm256_add_pd(a0, v));
                _mm256_storeu_pd(p + 2 * span, _mm256_sub_pd(a0, v));
                const __m256d z = Avx2Product(a3, w2High.re[k], w2High.im[k]);
                _mm256_storeu_pd(p + span, _mm256_add_pd(a1, z));
                _mm256_storeu_pd(p + 3 * span, _mm256_sub_pd(a1, z));
            }
        }
    }
}

}  // namespace

bool ProcessorHasAvx2() {
    return __builtin_cpu_supports("avx2");
}

void Avx2Passes(double* data, std::size_t nn, double sign) {
    // Fewer than two butterflies a pass cannot fill a vector.
    if (nn < 4) return ScalarPasses(data, nn, sign);
    const Twiddles unit(1, sign);
    Avx2FirstPass(data, nn, unit.Real(), unit.Imaginary());
    std::size_t h = 2;
    for (; 4 * h <= nn; h *= 4)
        Avx2TwoPasses(data, nn, h, sign);
    if (h < nn) Avx2Pass(data, nn, h, sign);
}

#endif

}  // namespace nrFFT::detail
