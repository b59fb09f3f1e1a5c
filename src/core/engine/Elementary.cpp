#include "engine/Elementary.h"

#ifndef QUORVANE_LIBM_REFERENCE

#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/BitCast.h"
#include "engine/ElementaryLogTable.h"

namespace quorvane::math {

using quorvane::BitCast;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A value carried as an unevaluated sum hi + lo, |lo| at most half an ulp of hi.
struct Pair {
    double hi;
    double lo;
};

// a + b exactly, whatever their sizes.
Pair TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a + b exactly when |a| >= |b| (or a is 0).
Pair FastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a split into two halves of 26 bits each, so that products of halves are exact.
Pair Split(double a) {
    const double t = 134217729.0 * a;  // 2^27 + 1
    const double hi = t - (t - a);
    return {hi, a - hi};
}

// a * b exactly (as long as nothing overflows or underflows), without a fused multiply-add.
Pair TwoProduct(double a, double b) {
    const double p = a * b;
    const Pair x = Split(a);
    const Pair y = Split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

// 2^n for n from -1022 to 1023.
double PowerOfTwo(int n) {
    return BitCast<double>(static_cast<std::uint64_t>(n + 1023) << 52);
}

// x * 2^n in steps that stay within the normal range while x does.
double Scale(double x, int n) {
    for (; n > 1000; n -= 1000)
        x *= 0x1p1000;
    for (; n < -1000; n += 1000)
        x *= 0x1p-1000;
    return x * PowerOfTwo(n);
}

// The nearest integer to x, for |x| < 2^51, in the current (round-to-nearest) mode.
double NearestInteger(double x) {
    constexpr double kShifter = 0x1.8p52;
    return (x + kShifter) - kShifter;
}

double Abs(double x) {
    return BitCast<double>(BitCast<std::uint64_t>(x) & ~(std::uint64_t{1} << 63));
}

bool IsNaN(double x) {
    return x != x;  // NOLINT(misc-redundant-expression): true only for NaN
}

// ---- Quarter turns: x = n * pi/2 + r, |r| <= pi/4 (a hair more where n is rounded) ----

// pi/2 in four parts; the first three have 33 bits, so n times each is exact for n < 2^20.
constexpr double kHalfPi1 = 0x1.921fb544p+0;
constexpr double kHalfPi2 = 0x1.0b4611a6p-34;
constexpr double kHalfPi3 = 0x1.3198a2ep-69;
constexpr double kHalfPi4 = 0x1.b839a252049c1p-104;
constexpr double kHalfPi34 = 0x1.3198a2e037073p-69;  // kHalfPi3 + kHalfPi4, rounded
constexpr double kHalfPiHi = 0x1.921fb54442d18p+0;
constexpr double kHalfPiLo = 0x1.1a62633145c07p-54;
constexpr double kQuarterPi = 0x1.921fb54442d18p-1;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
// Below this, n < 2^20 and the four-part subtraction applies.
constexpr double kFastReductionLimit = 1.5e6;

// The bits of 2/pi after the binary point, 32 to a word, first word first.
constexpr std::uint32_t kTwoOverPiBits[] = {
    0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041, 0xFE5163AB, 0xDEBBC561,
    0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C, 0xFE1DEB1C, 0xB129A73E, 0xE88235F5, 0x2EBB4484,
    0xE99C7026, 0xB45F7E41, 0x3991D639, 0x835339F4, 0x9C845F8B, 0xBDF9283B, 0x1FF897FF, 0xDE05980F,
    0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7, 0x4F463F66, 0x9E5FEA2D, 0x7527BAC7, 0xEBE5F17B,
    0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1, 0x1F8D5D08, 0x56033046, 0xFC7B6BAB, 0xF0CFBC20, 0x9AF4361D};

struct Reduced {
    unsigned quadrant;  // n mod 4
    Pair r;
};

// The bit of 2/pi at place k (k = 1 is the first bit after the point) and the 31 after it.
std::uint32_t TwoOverPiWord(int k) {
    const int first = (k - 1) / 32;
    const int shift = (k - 1) % 32;
    const std::uint32_t high = kTwoOverPiBits[first];
    if (shift == 0) return high;
    return (high << shift) | (kTwoOverPiBits[first + 1] >> (32 - shift));
}

// x >= kFastReductionLimit, finite: the exact product of x's 53-bit integer mantissa with 192
// bits of 2/pi, of which only the two bits above the point (the quadrant) and the fraction
// matter; the bits of 2/pi left out change the fraction by less than 2^-137.
Reduced ReduceLarge(double x) {
    const std::uint64_t bits = BitCast<std::uint64_t>(x);
    const int e = static_cast<int>(bits >> 52) - 1075;  // x = m * 2^e
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int start = e - 1 > 1 ? e - 1 : 1;  // earlier bits only add multiples of 4
    const int point = start + 191 - e;        // place of the binary point in the product

    // 192 bits of 2/pi from place `start`, least significant word first.
    std::uint32_t w[6];
    for (int j = 0; j < 6; ++j)
        w[5 - j] = TwoOverPiWord(start + 32 * j);
    const std::uint32_t mw[2] = {static_cast<std::uint32_t>(m),
                                 static_cast<std::uint32_t>(m >> 32)};
    std::uint32_t p[8] = {};
    for (int i = 0; i < 2; ++i) {
        std::uint64_t carry = 0;
        for (int j = 0; j < 6; ++j) {
            const std::uint64_t t = std::uint64_t{mw[i]} * w[j] + p[i + j] + carry;
            p[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        p[i + 6] = static_cast<std::uint32_t>(carry);
    }
    // Bit b of the product.
    const auto bit = [&p](int b) -> std::uint64_t {
        if (b < 0 || b >= 256) return 0;
        return (p[b / 32] >> (b % 32)) & 1u;
    };
    // 64 bits of the product ending just below place `top`.
    const auto word = [&bit](int top) {
        std::uint64_t v = 0;
        for (int b = top - 1; b >= top - 64; --b)
            v = (v << 1) | bit(b);
        return v;
    };
    unsigned quadrant = static_cast<unsigned>(bit(point) | (bit(point + 1) << 1));
    // The fraction, 192 bits: g[0] most significant.
    std::uint64_t g[3] = {word(point), word(point - 64), word(point - 128)};
    bool negative = false;
    if (g[0] >> 63) {  // fraction >= 1/2: round up to the next quadrant, keep 1 - fraction
        quadrant = (quadrant + 1) & 3u;
        negative = true;
        std::uint64_t borrow = 1;
        for (int i = 2; i >= 0; --i) {
            g[i] = ~g[i] + borrow;
            borrow = borrow && g[i] == 0 ? 1 : 0;
        }
    }
    // Normalise so the fraction's leading bit is the top bit of g[0].
    int zeros = 0;
    while (zeros < 128 && (g[0] >> 63) == 0) {
        g[0] = (g[0] << 1) | (g[1] >> 63);
        g[1] = (g[1] << 1) | (g[2] >> 63);
        g[2] <<= 1;
        ++zeros;
    }
    if (zeros == 128) return {quadrant, {0.0, 0.0}};
    // fraction = (u + v * 2^-64) * 2^(-53 - zeros), u of 53 bits and v of 64.
    const auto u = static_cast<double>(g[0] >> 11);
    const double v = static_cast<double>((g[0] << 53) | (g[1] >> 11)) * 0x1p-64;
    const double scale = PowerOfTwo(-53 - zeros);
    const Pair f = FastTwoSum(u * scale, v * scale);
    Pair r = TwoProduct(f.hi, kHalfPiHi);
    r.lo += f.hi * kHalfPiLo + f.lo * kHalfPiHi;
    r = FastTwoSum(r.hi, r.lo);
    if (negative) r = {-r.hi, -r.lo};
    return {quadrant, r};
}

// x finite.
Reduced ReduceQuarterTurns(double x) {
    const double ax = Abs(x);
    if (ax <= kQuarterPi) return {0, {x, 0.0}};
    if (ax < kFastReductionLimit) {
        const double n = NearestInteger(x * kTwoOverPi);
        const double a = x - n * kHalfPi1;  // exact
        if (Abs(a) > 0x1p-12) {
            // Far from a multiple of pi/2, as nearly always: |n kHalfPi2| < 2^-12.9 < |a|, and
            // the rest of pi/2 as one double errs by under 2^-100, 2^-86 of r.
            const Pair s = FastTwoSum(a, -(n * kHalfPi2));
            const auto quadrant = static_cast<unsigned>(static_cast<std::int64_t>(n) & 3);
            return {quadrant, FastTwoSum(s.hi, s.lo - n * kHalfPi34)};
        }
        const Pair s1 = TwoSum(a, -(n * kHalfPi2));
        const Pair s2 = TwoSum(s1.hi, -(n * kHalfPi3));
        const double lo = (s1.lo + s2.lo) - n * kHalfPi4;
        const auto quadrant = static_cast<unsigned>(static_cast<std::int64_t>(n) & 3);
        return {quadrant, TwoSum(s2.hi, lo)};
    }
    Reduced large = ReduceLarge(ax);
    if (x < 0) {
        large.quadrant = (4u - large.quadrant) & 3u;
        large.r = {-large.r.hi, -large.r.lo};
    }
    return large;
}

// 1/n! for the Taylor series below, each the double nearest to it.
constexpr double kInverseFactorial[] = {
    1.0,
    1.0,
    0x1p-1,
    0x1.5555555555555p-3,
    0x1.5555555555555p-5,
    0x1.1111111111111p-7,
    0x1.6c16c16c16c17p-10,
    0x1.a01a01a01a01ap-13,
    0x1.a01a01a01a01ap-16,
    0x1.71de3a556c734p-19,
    0x1.27e4fb7789f5cp-22,
    0x1.ae64567f544e4p-26,
    0x1.1eed8eff8d898p-29,
    0x1.6124613a86d09p-33,
    0x1.93974a8c07c9dp-37,
    0x1.ae7f3e733b81fp-41,
    0x1.ae7f3e733b81fp-45,
    0x1.952c77030ad4ap-49,
    0x1.6827863b97d97p-53,
};

// S(z) with sin(r) = r + r^3 S(r^2) to 2^-57 for |r| <= pi/4 + 0.001 (a polynomial fitted
// at Chebyshev nodes), highest power first.
constexpr double kSinCoefficients[] = {
    -0x1.ab159dc3b3c21p-41, 0x1.61217b49ad79ap-33, -0x1.ae64540e0633bp-26, 0x1.71de3a545dd92p-19,
    -0x1.a01a01a019921p-13, 0x1.1111111111110p-7,  -0x1.5555555555555p-3};
// C(z) with cos(r) = 1 - r^2/2 + r^4 C(r^2) to 2^-59, likewise.
constexpr double kCosCoefficients[] = {-0x1.907b9fa75dee8p-37, 0x1.1eeb661c764f3p-29,
                                       -0x1.27e4fa1529574p-22, 0x1.a01a019f4c9c5p-16,
                                       -0x1.6c16c16c1695ep-10, 0x1.5555555555555p-5};

// sin(r.hi + r.lo) for |r| <= about pi/4.
double SinKernel(Pair r) {
    const double z = r.hi * r.hi;
    double s = kSinCoefficients[0];
    for (int k = 1; k < 7; ++k)
        s = kSinCoefficients[k] + z * s;
    return r.hi + (z * r.hi * s + (r.lo - 0.5 * z * r.lo));
}

// cos(r.hi + r.lo) for |r| <= about pi/4, with the rounding of r^2 and of 1 - r^2/2 carried
// separately.
double CosKernel(Pair r) {
    const Pair w = TwoProduct(r.hi, r.hi);
    const double hz = 0.5 * w.hi;
    const double t = 1.0 - hz;
    double c = kCosCoefficients[0];
    for (int k = 1; k < 6; ++k)
        c = kCosCoefficients[k] + w.hi * c;
    return t + (((1.0 - t) - hz) + (w.hi * w.hi * c - 0.5 * w.lo - r.hi * r.lo));
}

// ---- Logarithm ----

constexpr double kLn2Hi = 0x1.62e42fefa2p-1;  // 40 bits: k * kLn2Hi is exact
constexpr double kLn2Lo = 0x1.9ef35793c7673p-41;
constexpr double kInvLn10Hi = 0x1.bcb7b1526e50ep-2;
constexpr double kInvLn10Lo = 0x1.95355baaafad3p-57;

// The Taylor coefficients of (log(1 + t) - t) / t^2: -1/2, 1/3, -1/4, ..., -1/8.
constexpr double kLogSeries[] = {-0.5, 1.0 / 3, -0.25, 0.2, -1.0 / 6, 1.0 / 7, -0.125};
// Closer to 1 than this, log(1 + f) comes straight from its series in f = x - 1.
constexpr double kNearOne = 0x1p-7;

// log(x) as a pair, for finite x > 0.
Pair LogPair(double x) {
    const double f = x - 1.0;  // exact where it is used
    if (Abs(f) < kNearOne) {
        // log(1 + f) = f + f^2 Q(f); the first term left out is below 2^-59 f.
        double q = kLogSeries[6];
        for (int i = 5; i >= 0; --i)
            q = kLogSeries[i] + f * q;
        return {f, f * f * q};
    }
    std::uint64_t bits = BitCast<std::uint64_t>(x);
    int k = 0;
    if ((bits >> 52) == 0) {  // subnormal: make it normal first
        bits = BitCast<std::uint64_t>(x * 0x1p54);
        k = -54;
    }
    k += static_cast<int>(bits >> 52) - 1023;
    const std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    const double m = BitCast<double>(mantissa | (std::uint64_t{1023} << 52));  // [1, 2)
    // m lies in [1 + i/256, 1 + (i + 1)/256), centred on c. With the row's 9-bit inverse v of
    // c, r = m v - 1 = (c v - 1) + (m - c) v is exact: c v has 19 bits, m - c has at most 43
    // and (m - c) v at most 52, and |r| < 2^-8 is a multiple of 2^-61.
    const auto i = static_cast<unsigned>(mantissa >> 44);
    const double c = BitCast<double>((mantissa >> 44 << 44) | (std::uint64_t{1} << 43) |
                                     (std::uint64_t{1023} << 52));
    const detail::LogTableRow& row = detail::kLogTable[i];
    const double r = (c * row.inverse - 1.0) + (m - c) * row.inverse;
    // log(1 + r) - r to r^7; |r| < 0.0029 leaves out less than 2^-69.
    const double r2 = r * r;
    const double tail =
        r2 * (((kLogSeries[0] + r * kLogSeries[1]) + r2 * (kLogSeries[2] + r * kLogSeries[3])) +
              (r2 * r2) * (kLogSeries[4] + r * kLogSeries[5]));
    // log(x) = k ln 2 - log(v) + log(1 + r). k * kLn2Hi is exact and has an exponent at least
    // that of -log(v) < ln 2 unless k = 0; away from 1, |log(x)| > 0.0077 keeps the sum of the
    // two above 0.0048 > |r|: both sums are exact.
    const double kd = static_cast<double>(k);
    const Pair a = FastTwoSum(kd * kLn2Hi, row.logHi);
    const Pair b = FastTwoSum(a.hi, r);
    return {b.hi, (a.lo + b.lo) + ((row.logLo + kd * kLn2Lo) + tail)};
}

// ---- 10^x ----

constexpr double kLog2Of10Hi = 0x1.a934f0979a371p+1;
constexpr double kLog2Of10Lo = 0x1.7f2495fb7fa6dp-53;
constexpr double kLn2FullHi = 0x1.62e42fefa39efp-1;
constexpr double kLn2FullLo = 0x1.abc9e3b39803fp-56;
// Beyond these, 10^x is above the largest double or below half the smallest.
constexpr double kExp10Overflow = 308.2547155599167;
constexpr double kExp10Underflow = -323.60724533877976;

// exp(y.hi + y.lo) for |y| <= about 0.35: 1 + y + y^2 * E(y), series to y^15.
Pair ExpKernel(Pair y) {
    double e = kInverseFactorial[15];
    for (int k = 14; k >= 2; --k)
        e = kInverseFactorial[k] + y.hi * e;
    const double q = y.hi * y.hi * e;
    const Pair a = FastTwoSum(1.0, y.hi);
    return FastTwoSum(a.hi, a.lo + (q + (y.lo + y.lo * (y.hi + q))));
}

// ---- atan ----

// 1/(2j + 3), j = 0..10, rounded once by the compiler.
constexpr double kOneOverOdd[] = {1.0 / 3,  1.0 / 5,  1.0 / 7,  1.0 / 9,  1.0 / 11, 1.0 / 13,
                                  1.0 / 15, 1.0 / 17, 1.0 / 19, 1.0 / 21, 1.0 / 23};

// atan(k/8) for k = 2..8.
constexpr Pair kAtanOfEighths[] = {
    {0x1.f5b75f92c80ddp-3, 0x1.8ab6e3cf7afbdp-57}, {0x1.6f61941e4def1p-2, -0x1.c63aae6f6e918p-56},
    {0x1.dac670561bb4fp-2, 0x1.a2b7f222f65e2p-56}, {0x1.1e00babdefeb4p-1, -0x1.928df287a668fp-58},
    {0x1.4978fa3269ee1p-1, 0x1.2419a87f2a458p-56}, {0x1.700a7c5784634p-1, -0x1.8c34d25aadef6p-56},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
};
constexpr double kPiHi = 0x1.921fb54442d18p+1;
constexpr double kPiLo = 0x1.1a62633145c07p-53;

// (a.hi + a.lo) / (b.hi + b.lo) as a pair.
Pair Divide(Pair a, Pair b) {
    const double q = a.hi / b.hi;
    const Pair p = TwoProduct(q, b.hi);
    const double rest = (((a.hi - p.hi) - p.lo) + a.lo - q * b.lo) / b.hi;
    return FastTwoSum(q, rest);
}

// a - b for a >= b >= 0, a.hi at least twice b.hi.
Pair Subtract(Pair a, Pair b) {
    const Pair s = TwoSum(a.hi, -b.hi);
    return FastTwoSum(s.hi, s.lo + (a.lo - b.lo));
}

// atan(u.hi + u.lo) for |u| <= 3/16: series to u^23.
Pair AtanSeries(Pair u) {
    const double z = u.hi * u.hi;
    // 1/3 - z/5 + z^2/7 - ... + z^10/23
    double s = kOneOverOdd[10];
    for (int j = 9; j >= 0; --j)
        s = kOneOverOdd[j] - z * s;
    return FastTwoSum(u.hi, u.lo - u.hi * z * s);
}

// atan(t.hi + t.lo) for 0 <= t <= 1.
Pair AtanUnit(Pair t) {
    if (t.hi <= 0.1875) return AtanSeries(t);
    // t within 1/16 of c = k/8, k >= 2: atan(t) = atan(c) + atan((t - c) / (1 + t c)).
    const double k = NearestInteger(t.hi * 8.0);
    const double c = k * 0.125;
    const Pair numerator = FastTwoSum(t.hi - c, t.lo);  // t.hi - c is exact
    const Pair tc = TwoProduct(t.hi, c);
    const Pair one = FastTwoSum(1.0, tc.hi);
    const Pair denominator = FastTwoSum(one.hi, one.lo + tc.lo + t.lo * c);
    const Pair v = AtanSeries(Divide(numerator, denominator));
    const Pair base = kAtanOfEighths[static_cast<int>(k) - 2];
    const Pair s = TwoSum(base.hi, v.hi);
    return FastTwoSum(s.hi, s.lo + (base.lo + v.lo));
}

int Exponent(double x) {
    return static_cast<int>((BitCast<std::uint64_t>(x) >> 52) & 0x7ff) - 1023;
}

double CopySign(double magnitude, double sign) {
    const std::uint64_t s = BitCast<std::uint64_t>(sign) & (std::uint64_t{1} << 63);
    return BitCast<double>(BitCast<std::uint64_t>(Abs(magnitude)) | s);
}

bool SignBit(double x) {
    return (BitCast<std::uint64_t>(x) >> 63) != 0;
}

}  // namespace

double Cos(double x) {
    if (!(Abs(x) <= std::numeric_limits<double>::max())) return kNaN;
    const Reduced red = ReduceQuarterTurns(x);
    switch (red.quadrant) {
        case 0:
            return CosKernel(red.r);
        case 1:
            return -SinKernel(red.r);
        case 2:
            return -CosKernel(red.r);
        default:
            return SinKernel(red.r);
    }
}

double Sin(double x) {
    if (!(Abs(x) <= std::numeric_limits<double>::max())) return kNaN;
    if (Abs(x) < 0x1p-27) return x;  // x^3/6 is below half an ulp of x; keeps the sign of 0
    const Reduced red = ReduceQuarterTurns(x);
    switch (red.quadrant) {
        case 0:
            return SinKernel(red.r);
        case 1:
            return CosKernel(red.r);
        case 2:
            return -SinKernel(red.r);
        default:
            return -CosKernel(red.r);
    }
}

double Log(double x) {
    if (!(x > 0 && x < kInf)) {  // one test on the way of every positive finite x
        if (IsNaN(x) || x < 0) return kNaN;
        return x == 0 ? -kInf : kInf;
    }
    const Pair l = LogPair(x);
    return l.hi + l.lo;
}

double Log10(double x) {
    if (IsNaN(x) || x < 0) return kNaN;
    if (x == 0) return -kInf;
    if (x == kInf) return kInf;
    const Pair l = LogPair(x);
    Pair p = TwoProduct(l.hi, kInvLn10Hi);
    p.lo += l.hi * kInvLn10Lo + l.lo * kInvLn10Hi;
    return p.hi + p.lo;
}

double Exp10(double x) {
    if (IsNaN(x)) return x;
    if (x > kExp10Overflow) return kInf;
    if (x < kExp10Underflow) return 0.0;
    // 10^x = 2^n * exp(y), y = (x log2(10) - n) ln 2.
    Pair t = TwoProduct(x, kLog2Of10Hi);
    t.lo += x * kLog2Of10Lo;
    const double n = NearestInteger(t.hi);
    const Pair r = TwoSum(t.hi - n, t.lo);  // t.hi - n is exact
    Pair y = TwoProduct(r.hi, kLn2FullHi);
    y.lo += r.hi * kLn2FullLo + r.lo * kLn2FullHi;
    const Pair e = ExpKernel(FastTwoSum(y.hi, y.lo));
    // e.hi carries the rounded result; scaling is exact unless it leaves the normal range,
    // where it rounds once more (to a subnormal) or overflows.
    return Scale(e.hi, static_cast<int>(n));
}

double Atan2(double y, double x) {
    if (IsNaN(x) || IsNaN(y)) return x + y;
    const double ay = Abs(y);
    const double ax = Abs(x);
    double angle = 0.0;  // in [0, pi], then given y's sign
    if (ay == kInf || ax == kInf) {
        if (ay == kInf && ax == kInf)
            angle = SignBit(x) ? 3.0 * kQuarterPi : kQuarterPi;
        else if (ay == kInf)
            angle = kHalfPiHi;
        else
            angle = SignBit(x) ? kPiHi : 0.0;
        return CopySign(angle, y);
    }
    if (ay == 0.0) return CopySign(SignBit(x) ? kPiHi : 0.0, y);
    if (ax == 0.0) return CopySign(kHalfPiHi, y);

    const bool swapped = ay > ax;
    const double num = swapped ? ax : ay;
    const double den = swapped ? ay : ax;
    Pair a;  // atan(num / den) in [0, pi/4]
    if (Exponent(num) - Exponent(den) < -60) {
        a = {num / den, 0.0};  // atan(t) = t to far below an ulp
    } else {
        // Scale both so den lies near [1, 2); num stays normal.
        const double n = Scale(num, -Exponent(den));
        const double d = Scale(den, -Exponent(den));
        const double q = n / d;
        const Pair p = TwoProduct(q, d);
        a = AtanUnit(FastTwoSum(q, ((n - p.hi) - p.lo) / d));
    }
    Pair r = a;
    if (swapped) r = Subtract({kHalfPiHi, kHalfPiLo}, a);
    if (SignBit(x)) r = Subtract({kPiHi, kPiLo}, r);
    angle = r.hi + r.lo;
    return CopySign(angle, y);
}

double Hypot(double x, double y) {
    const double ax = Abs(x);
    const double ay = Abs(y);
    if (ax == kInf || ay == kInf) return kInf;
    if (IsNaN(x) || IsNaN(y)) return x + y;
    const double big = ax > ay ? ax : ay;
    const double small = ax > ay ? ay : ax;
    if (small == 0.0) return big;
    const int e = Exponent(big) < -1022 ? -1022 : Exponent(big);
    if (e - Exponent(small) > 60) return big;  // sqrt(1 + t^2) rounds to 1
    // Scale into [1, 2) (a subnormal big is first lifted by 2^600), square exactly, add.
    // big subnormal: lift both first, so big's exponent is its own.
    const int lift = Exponent(big) < -1000 ? 600 : 0;
    const int eb = Exponent(Scale(big, lift)) - lift;
    const double b = Scale(big, -eb);
    const double s = Scale(small, -eb);
    const Pair b2 = TwoProduct(b, b);
    const Pair s2 = TwoProduct(s, s);
    const Pair sum = TwoSum(b2.hi, s2.hi);
    const Pair total = FastTwoSum(sum.hi, sum.lo + (b2.lo + s2.lo));
    const double root = std::sqrt(total.hi);
    const Pair rr = TwoProduct(root, root);
    const double corrected = root + (((total.hi - rr.hi) - rr.lo) + total.lo) / (2.0 * root);
    return Scale(corrected, eb);
}

}  // namespace quorvane::math

#endif
