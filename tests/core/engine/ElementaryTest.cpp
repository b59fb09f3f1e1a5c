// The program's own elementary functions against MPFR at 256 bits: over a large random sample
// of every range the program feeds them, and the hard cases, each result lies within one ulp
// of the true value, and special values come out as the C library gives them.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/Elementary.h"

namespace {

using namespace quorvane;

class Mp {
  public:
    Mp() { mpfr_init2(v_, 256); }
    ~Mp() { mpfr_clear(v_); }
    Mp(const Mp&) = delete;
    Mp& operator=(const Mp&) = delete;
    mpfr_ptr get() { return v_; }

  private:
    mpfr_t v_;
};

// |got - exact| in ulps of the double nearest to exact (subnormal ulps below 2^-1022).
double UlpError(double got, mpfr_ptr exact) {
    if (mpfr_nan_p(exact)) return std::isnan(got) ? 0.0 : INFINITY;
    const double nearest = mpfr_get_d(exact, MPFR_RNDN);
    if (std::isinf(nearest) || std::isinf(got)) return got == nearest ? 0.0 : INFINITY;
    if (std::isnan(got)) return INFINITY;
    int exponent = nearest == 0.0 ? -1074 : std::ilogb(nearest) - 52;
    if (exponent < -1074) exponent = -1074;
    Mp diff;
    mpfr_set_d(diff.get(), got, MPFR_RNDN);
    mpfr_sub(diff.get(), diff.get(), exact, MPFR_RNDN);
    mpfr_abs(diff.get(), diff.get(), MPFR_RNDN);
    mpfr_mul_2si(diff.get(), diff.get(), -exponent, MPFR_RNDN);
    return mpfr_get_d(diff.get(), MPFR_RNDN);
}

// Random doubles: uniform in [lo, hi], or with sign and exponent uniform in [lo, hi] (binades).
struct Range {
    double lo;
    double hi;
    bool binades;
};

double Draw(std::mt19937_64& g, const Range& r) {
    if (!r.binades) return std::uniform_real_distribution<double>(r.lo, r.hi)(g);
    const auto e =
        std::uniform_int_distribution<int>(static_cast<int>(r.lo), static_cast<int>(r.hi))(g);
    const std::uint64_t mantissa = g() & ((std::uint64_t{1} << 52) - 1);
    const double m = std::bit_cast<double>(mantissa | (std::uint64_t{1023} << 52));
    return std::ldexp((g() & 1) ? -m : m, e);
}

struct Unary {
    std::string name;
    double (*ours)(double);
    int (*reference)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
    std::vector<Range> ranges;
    std::vector<double> hard;
    bool positiveOnly;
};

int Exp10Reference(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t mode) {
    return mpfr_exp10(r, x, mode);
}

// Doubles nearest to multiples of pi/2, the reduction's hardest inputs; the last is the double
// closest to one of all (within 2^-61 of it relative to pi/2).
std::vector<double> NearQuarterTurns() {
    std::vector<double> xs = {0x1.921fb54442d18p+0,
                              0x1.921fb54442d18p+1,
                              0x1.2d97c7f3321d2p+2,
                              0x1.921fb54442d18p+2,
                              6381956970095103.0 * 0x1p797,
                              0x1.6ac5b262ca1ffp+849,
                              1e22,
                              1e300,
                              0x1.fffffffffffffp+1023,
                              1.5e6,
                              1.4999999999999998e6};
    Mp k;
    for (double n :
         {3.0, 5.0, 7.0, 355.0, 710.0, 1e5, 1048575.0, 1048576.0, 1e9, 12345678901.0, 1e15}) {
        mpfr_const_pi(k.get(), MPFR_RNDN);
        mpfr_mul_d(k.get(), k.get(), n / 2, MPFR_RNDN);
        const double x = mpfr_get_d(k.get(), MPFR_RNDN);
        xs.insert(xs.end(), {x, std::nextafter(x, 0.0), std::nextafter(x, INFINITY), -x});
        // Either side of 2^-12 from it, where the reduction changes its way of subtracting.
        for (double off : {0x1p-12, -0x1p-12, 0x1.0000000000001p-12, 0x1.fffffffffffffp-13})
            xs.push_back(x + off);
    }
    return xs;
}

TEST(ElementaryTest, UnaryFunctionsStayWithinOneUlp) {
    const std::vector<Range> phases = {{-4, 4, false},
                                       {-3e4, 3e4, false},
                                       {-1.6e6, 1.6e6, false},
                                       {-30, 30, true},
                                       {-1074, 1023, true}};
    const std::vector<Range> positive = {{0, 1, false}, {0.5, 2, false}, {-1074, 1023, true}};
    std::vector<double> logHard = {1.0,
                                   std::nextafter(1.0, 0.0),
                                   std::nextafter(1.0, 2.0),
                                   0x1.6a09e667f3bcdp+0,
                                   0x1.6a09e667f3bcep+0,
                                   2.0,
                                   10.0,
                                   100.0,
                                   1e-3,
                                   1e22,
                                   1e-300,
                                   0x1p-1074,
                                   0x1.fffffffffffffp-1023,
                                   0x1.fffffffffffffp+1023};
    // Both sides of the switch to the series near 1, and both ends and the middle of every
    // table interval [1 + i/256, 1 + (i + 1)/256) and of its image in [1/2, 1).
    for (double edge : {1 - 0x1p-7, 1 + 0x1p-7})
        logHard.insert(logHard.end(), {edge, std::nextafter(edge, 0.0), std::nextafter(edge, 2.0)});
    for (int i = 0; i < 256; ++i)
        for (double m :
             {1 + i / 256.0, std::nextafter(1 + (i + 1) / 256.0, 0.0), 1 + (2 * i + 1) / 512.0}) {
            logHard.push_back(m);
            logHard.push_back(m / 2);
        }
    const std::vector<Unary> cases = {
        {"Cos", math::Cos, mpfr_cos, phases, NearQuarterTurns(), false},
        {"Sin", math::Sin, mpfr_sin, phases, NearQuarterTurns(), false},
        {"Log", math::Log, mpfr_log, positive, logHard, true},
        {"Log10", math::Log10, mpfr_log10, positive, logHard, true},
        {"Exp10",
         math::Exp10,
         Exp10Reference,
         {{-330, 310, false}, {-1, 1, false}, {-60, 3, true}},
         {0, 1, 2, 3, 22, -1, -3, -0.1, 0.3, 308.25, 308.2547155599167, -307.5, -320, -323.3,
          -323.6, 1e-17, -1e-300},
         false},
    };
    constexpr int kSamplesPerRange = 12000;
    std::mt19937_64 g(19);
    Mp x;
    Mp exact;
    for (const Unary& c : cases) {
        std::vector<double> inputs = c.hard;
        for (const Range& r : c.ranges)
            for (int i = 0; i < kSamplesPerRange; ++i)
                inputs.push_back(Draw(g, r));
        double worst = 0;
        double worstAt = 0;
        for (double in : inputs) {
            if (c.positiveOnly) in = std::fabs(in);
            mpfr_set_d(x.get(), in, MPFR_RNDN);
            c.reference(exact.get(), x.get(), MPFR_RNDN);
            const double e = UlpError(c.ours(in), exact.get());
            if (e > worst || std::isnan(e)) {
                worst = e;
                worstAt = in;
            }
        }
        std::printf("%-6s worst %.3f ulp at %a (%zu inputs)\n", c.name.c_str(), worst, worstAt,
                    inputs.size());
        EXPECT_LT(worst, 1.0) << c.name << " at " << std::hexfloat << worstAt;
    }
}

struct Binary {
    std::string name;
    double (*ours)(double, double);
    int (*reference)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);
};

TEST(ElementaryTest, Atan2AndHypotStayWithinOneUlp) {
    const std::vector<Binary> cases = {{"Atan2", math::Atan2, mpfr_atan2},
                                       {"Hypot", math::Hypot, mpfr_hypot}};
    // Pairs whose exponents lie close together, far apart, or anywhere in the double range.
    const std::vector<std::pair<Range, Range>> ranges = {
        {{-3, 3, true}, {-3, 3, true}},
        {{-80, 80, true}, {-80, 80, true}},
        {{-1074, 1023, true}, {-1074, 1023, true}},
        {{-2, 2, false}, {-2, 2, false}},
    };
    const std::vector<std::pair<double, double>> hard = {{1, 1},
                                                         {-1, 1},
                                                         {1, -1},
                                                         {1e-300, 1e300},
                                                         {1e300, 1e300},
                                                         {0x1p-1074, 1},
                                                         {3, 4},
                                                         {1, 0x1p-30},
                                                         {0.1875, 1},
                                                         {0.3125, 1},
                                                         {0x1p1023, 0x1p1023},
                                                         {0x1p-1074, 0x1p-1074},
                                                         {5e-324, 3e-320},
                                                         {1, std::nextafter(1.0, 2.0)}};
    constexpr int kSamplesPerRange = 15000;
    std::mt19937_64 g(23);
    Mp y;
    Mp x;
    Mp exact;
    for (const Binary& c : cases) {
        std::vector<std::pair<double, double>> inputs = hard;
        for (const auto& [ry, rx] : ranges)
            for (int i = 0; i < kSamplesPerRange; ++i)
                inputs.emplace_back(Draw(g, ry), Draw(g, rx));
        double worst = 0;
        std::pair<double, double> worstAt{};
        for (const auto& [a, b] : inputs) {
            mpfr_set_d(y.get(), a, MPFR_RNDN);
            mpfr_set_d(x.get(), b, MPFR_RNDN);
            c.reference(exact.get(), y.get(), x.get(), MPFR_RNDN);
            const double e = UlpError(c.ours(a, b), exact.get());
            if (e > worst || std::isnan(e)) {
                worst = e;
                worstAt = {a, b};
            }
        }
        std::printf("%-6s worst %.3f ulp at (%a, %a) (%zu inputs)\n", c.name.c_str(), worst,
                    worstAt.first, worstAt.second, inputs.size());
        EXPECT_LT(worst, 1.0) << c.name << " at " << std::hexfloat << worstAt.first << ", "
                              << worstAt.second;
    }
}

// Infinities, NaNs, zeros and the signs of zero: the same as the C library's, bit for bit.
TEST(ElementaryTest, SpecialValuesMatchTheCLibrary) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const double specials[] = {0.0, -0.0, inf, -inf, nan, 1.0, -1.0};
    const auto same = [](double a, double b) {
        return (std::isnan(a) && std::isnan(b)) ||
               std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    };
    for (double a : specials) {
        SCOPED_TRACE(a);
        for (double b : specials) {
            SCOPED_TRACE(b);
            EXPECT_TRUE(same(math::Atan2(a, b), std::atan2(a, b)));
            EXPECT_TRUE(same(math::Hypot(a, b), std::hypot(a, b)));
        }
        if (std::isfinite(a) && a != 0.0) continue;
        EXPECT_TRUE(same(math::Cos(a), std::cos(a)));
        EXPECT_TRUE(same(math::Sin(a), std::sin(a)));
        EXPECT_TRUE(same(math::Log(a), std::log(a)));
        EXPECT_TRUE(same(math::Log10(a), std::log10(a)));
        EXPECT_TRUE(same(math::Exp10(a), std::pow(10.0, a)));
    }
}

}  // namespace
