#include "panel/NumberText.h"

#include "support/CommaLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace quorvane {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kDenormMin = std::numeric_limits<double>::denorm_min();

struct ParseCase {
    std::string text;
    double expected;
};

class ParseLeadingNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseLeadingNumberTest, ReadsTheLeadingNumber) {
    const ParseCase& c = GetParam();
    const double value = ParseLeadingNumber(c.text);
    EXPECT_EQ(value, c.expected) << "text: \"" << c.text << "\"";
    EXPECT_FALSE(std::signbit(value) && value == 0.0) << "negative zero from \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseLeadingNumberTest,
    ::testing::Values(ParseCase{"12.5", 12.5}, ParseCase{"12.5MHz", 12.5}, ParseCase{"1e3", 1000.0},
                      ParseCase{"-3", -3.0}, ParseCase{"+7", 7.0}, ParseCase{"", 0.0},
                      ParseCase{"abc", 0.0}, ParseCase{"MHz12", 0.0}, ParseCase{".5", 0.5},
                      ParseCase{"-.25", -0.25}, ParseCase{"5.", 5.0}, ParseCase{".", 0.0},
                      ParseCase{"-", 0.0}, ParseCase{"+.e5", 0.0}, ParseCase{"1.2.3", 1.2},
                      ParseCase{"00012", 12.0}, ParseCase{"0.00125", 0.00125},
                      ParseCase{"2E-3", 0.002}, ParseCase{"2e+3x", 2000.0}, ParseCase{"1e", 1.0},
                      ParseCase{"1e+", 1.0}, ParseCase{"1e-x", 1.0}, ParseCase{"7E2.5", 700.0},
                      ParseCase{"1,5", 1.0}, ParseCase{"0x10", 0.0}, ParseCase{"&H10", 0.0},
                      ParseCase{"Inf", 0.0}, ParseCase{"NaN", 0.0}, ParseCase{"-0", 0.0},
                      ParseCase{"0e999999", 0.0}, ParseCase{"-0.000", 0.0}, ParseCase{"10dB", 10.0},
                      ParseCase{"77K", 77.0}, ParseCase{"4e-1", 0.4}, ParseCase{"0.1", 0.1},
                      ParseCase{"123456789012345678901234567890", 1.2345678901234568e29}));

INSTANTIATE_TEST_SUITE_P(Blanks, ParseLeadingNumberTest,
                         ::testing::Values(ParseCase{"1 2", 12.0}, ParseCase{"  42", 42.0},
                                           ParseCase{"\t1\n2 . 5", 12.5}, ParseCase{"- 4", -4.0},
                                           ParseCase{"1 000 000", 1e6}, ParseCase{"2 e - 3", 0.002},
                                           ParseCase{"1\n", 1.0}, ParseCase{" \t\n", 0.0},
                                           // only blanks, tabs and line feeds are skipped
                                           ParseCase{"12\r3", 12.0}, ParseCase{"1\v2", 1.0}));

INSTANTIATE_TEST_SUITE_P(
    Extremes, ParseLeadingNumberTest,
    ::testing::Values(ParseCase{"1.7976931348623157e308", kMax}, ParseCase{"1e400", kMax},
                      ParseCase{"-1e400", -kMax}, ParseCase{"1.79769313486232E+308", kMax},
                      ParseCase{"1e999999999999", kMax},
                      ParseCase{"-9e99999999999999999999", -kMax},
                      ParseCase{"1e-999999999999", 0.0}, ParseCase{"-1e-400", 0.0},
                      ParseCase{"5e-324", kDenormMin}, ParseCase{"3e-324", kDenormMin},
                      ParseCase{"2e-324", 0.0}, ParseCase{"1e-310", 1e-310},
                      ParseCase{"2.2250738585072014e-308", 2.2250738585072014e-308},
                      // digits before the point move the exponent: 10^500 x 10^-500
                      ParseCase{std::string("1").append(500, '0').append("e-500"), 1.0},
                      ParseCase{std::string("0.").append(500, '0').append("1e501"), 1.0},
                      ParseCase{std::string("1").append(400, '0'), kMax},
                      ParseCase{std::string("0.").append(400, '0').append("1"), 0.0},
                      ParseCase{std::string("0.").append(2000, '3'), 1.0 / 3.0}));

struct FormatCase {
    double value;
    std::string expected;
};

class FormatGeneralTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatGeneralTest, WritesFifteenDigitText) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatGeneral(c.value), c.expected) << "value: " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Plain, FormatGeneralTest,
    ::testing::Values(FormatCase{0.0, "0"}, FormatCase{-0.0, "0"}, FormatCase{1.0, "1"},
                      FormatCase{-1.0, "-1"}, FormatCase{0.5, "0.5"}, FormatCase{12.5, "12.5"},
                      FormatCase{-3.0, "-3"}, FormatCase{290.0, "290"}, FormatCase{60.0, "60"},
                      FormatCase{0.1 + 0.2, "0.3"}, FormatCase{1.0 / 3.0, "0.333333333333333"},
                      FormatCase{2.0 / 3.0, "0.666666666666667"}, FormatCase{0.041 * 1000.0, "41"},
                      FormatCase{1e-4, "0.0001"}, FormatCase{-0.00012345, "-0.00012345"},
                      FormatCase{1e14, "100000000000000"},
                      FormatCase{123456789012345.0, "123456789012345"},
                      FormatCase{99999999999999.9, "99999999999999.9"},
                      FormatCase{1234.5678, "1234.5678"}, FormatCase{100.0, "100"}));

INSTANTIATE_TEST_SUITE_P(Exponent, FormatGeneralTest,
                         ::testing::Values(FormatCase{1e-5, "1E-05"}, FormatCase{1.5e16, "1.5E+16"},
                                           FormatCase{1e15, "1E+15"}, FormatCase{-1e15, "-1E+15"},
                                           FormatCase{999999999999999.5, "1E+15"},
                                           FormatCase{1234567890123456.0, "1.23456789012346E+15"},
                                           FormatCase{0.000099999, "9.9999E-05"},
                                           FormatCase{1e100, "1E+100"},
                                           FormatCase{-2.5e-300, "-2.5E-300"},
                                           FormatCase{kMax, "1.79769313486232E+308"},
                                           FormatCase{kDenormMin, "4.94065645841247E-324"},
                                           // 0.000099999999999999995 rounds up into the plain range
                                           FormatCase{0.000099999999999999995, "0.0001"}));

INSTANTIATE_TEST_SUITE_P(
    NotFinite, FormatGeneralTest,
    ::testing::Values(FormatCase{std::numeric_limits<double>::infinity(), "Inf"},
                      FormatCase{-std::numeric_limits<double>::infinity(), "-Inf"},
                      FormatCase{std::numeric_limits<double>::quiet_NaN(), "NaN"}));

// x rounded to 15 significant digits by the C library, held inside the double range.
double RoundedReference(double x) {
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", x);
    const double rounded = std::strtod(text, nullptr);
    return std::isinf(rounded) ? std::copysign(kMax, rounded) : rounded;
}

// Decimal-looking values over the whole range, and arbitrary bit patterns (denormals included).
TEST(NumberTextRoundTrip, ReadingTheWrittenTextGivesTheValueRoundedToFifteenDigits) {
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-323, 308);
    for (int i = 0; i < 40000; ++i) {
        double x = mantissa(random) * std::pow(10.0, exponent(random));
        if (i % 2) {
            const std::uint64_t bits = random();
            std::memcpy(&x, &bits, sizeof x);
        }
        if (!std::isfinite(x)) continue;
        const std::string text = FormatGeneral(x);
        ASSERT_EQ(ParseLeadingNumber(text), RoundedReference(x)) << x << " as " << text;
        ASSERT_EQ(ParseLeadingNumber(FormatGeneral(-x)), -RoundedReference(x)) << -x;
    }
}

TEST(NumberTextLocale, PointStaysTheSeparatorUnderADecimalCommaLocale) {
    testing::CommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_EQ(ParseLeadingNumber("12.5"), 12.5);
    EXPECT_EQ(ParseLeadingNumber("12,5"), 12.0);
    EXPECT_EQ(ParseLeadingNumber("-1.5e-3"), -0.0015);
    EXPECT_EQ(FormatGeneral(12.5), "12.5");
    EXPECT_EQ(FormatGeneral(-1.5e16), "-1.5E+16");
    EXPECT_EQ(FormatGeneral(1e-5), "1E-05");
}

}  // namespace
}  // namespace quorvane
