#pragma once

// The elementary functions behind every number the program shows, written here so that every
// machine gives the same bits: each is a fixed sequence of IEEE double additions,
// multiplications, divisions and square roots, with no fused multiply-add, no wider type and no
// call into the C library's mathematics, whose results differ by an ulp from one library, CPU
// or build to the next. Each result lies within one ulp of the true value (the tests measure
// it against a multiple-precision reference); most are correctly rounded.
//
// Special values follow the C library: NaN in, NaN out; Log(0) is -inf, Log of a negative
// number is NaN; Cos and Sin of an infinity are NaN; Exp10 overflows to +inf and underflows to
// 0; Hypot of an infinity is +inf even beside a NaN.
//
// Building with QUORVANE_LIBM_REFERENCE maps every function back onto the C library; the
// benchmarks build the tick that way once, to time it against these.

#include <complex>

#ifdef QUORVANE_LIBM_REFERENCE
#include <cmath>
#endif

namespace quorvane::math {

#ifndef QUORVANE_LIBM_REFERENCE

double Cos(double x);
double Sin(double x);
// Natural logarithm.
double Log(double x);
double Log10(double x);
// 10 to the power x.
double Exp10(double x);
// The angle of the point (x, y) in radians, from -pi to pi, signs as in the C library.
double Atan2(double y, double x);
// sqrt(x * x + y * y) without overflow or underflow on the way.
double Hypot(double x, double y);

#else

inline double Cos(double x) {
    return std::cos(x);
}
inline double Sin(double x) {
    return std::sin(x);
}
inline double Log(double x) {
    return std::log(x);
}
inline double Log10(double x) {
    return std::log10(x);
}
inline double Exp10(double x) {
    return std::pow(10.0, x);
}
inline double Atan2(double y, double x) {
    return std::atan2(y, x);
}
inline double Hypot(double x, double y) {
    return std::hypot(x, y);
}

#endif

// The magnitude and the angle of a complex number, by the functions above.
inline double Abs(const std::complex<double>& z) {
    return Hypot(z.real(), z.imag());
}
inline double Arg(const std::complex<double>& z) {
    return Atan2(z.imag(), z.real());
}

// The unit phasor e^(i angle), by the functions above.
inline std::complex<double> UnitPhasor(double angle) {
    return {Cos(angle), Sin(angle)};
}

// x to the power n >= 0 by n - 1 multiplications, left to right.
inline double IntegerPower(double x, int n) {
    double r = 1.0;
    for (int i = 0; i < n; ++i)
        r = i == 0 ? x : r * x;
    return r;
}

}  // namespace quorvane::math
