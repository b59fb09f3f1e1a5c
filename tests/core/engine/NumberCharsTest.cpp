// Our own number texts against the standard library's floating-point to_chars and from_chars:
// the same texts, the same values, the same end pointers and errors, over a large sample of
// doubles and texts and the cases where rounding is hardest.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/NumberChars.h"

namespace {

using namespace quorvane;

// Doubles from every binade, of both signs, subnormals included, and the awkward ones.
std::vector<double> SampleDoubles(int count) {
    std::vector<double> xs = {0.0,
                              -0.0,
                              1.0,
                              0.1,
                              0.5,
                              2.5,
                              1e23,
                              1e22,
                              5e-324,
                              1e-323,
                              2.2250738585072014e-308,
                              2.225073858507201e-308,
                              1.7976931348623157e308,
                              9007199254740993.0,
                              0.3,
                              123456789012345680000.0,
                              1e21,
                              1e-5,
                              1e-4,
                              0.001,
                              1e15,
                              1e16,
                              1e17,
                              0.125,
                              1.5,
                              4.35,
                              5e-5,
                              9.5e-5,
                              0.95,
                              999999.5,
                              0.045,
                              2.675,
                              1.005};
    for (int e = -1074; e <= 1023; e += 7)
        xs.push_back(std::ldexp(1.0, e));
    for (int e = -323; e <= 308; e += 3) {
        const std::string text = "1e" + std::to_string(e);
        double x = 0;
        std::from_chars(text.data(), text.data() + text.size(), x);
        xs.push_back(x);
    }
    std::mt19937_64 g(7);
    for (int i = 0; i < count; ++i) {
        const double x = std::bit_cast<double>(g());
        if (std::isfinite(x)) xs.push_back(x);
        // Few significant bits: short decimal texts, ties.
        xs.push_back(
            std::ldexp(static_cast<double>(g() % 100000), static_cast<int>(g() % 80) - 40));
    }
    return xs;
}

std::string Library(double x, bool shortest, std::chars_format format = {}, int precision = 0) {
    char buffer[1200];
    const auto r = shortest ? std::to_chars(buffer, buffer + sizeof buffer, x)
                            : std::to_chars(buffer, buffer + sizeof buffer, x, format, precision);
    return {buffer, r.ptr};
}

std::string Ours(double x, bool shortest, std::chars_format format = {}, int precision = 0) {
    char buffer[1200];
    const auto r = shortest
                       ? portable::ToChars(buffer, buffer + sizeof buffer, x)
                       : portable::ToChars(buffer, buffer + sizeof buffer, x, format, precision);
    return {buffer, r.ptr};
}

TEST(NumberChars, TextsMatchTheLibrary) {
    struct Case {
        bool shortest;
        std::chars_format format;
        int precision;
    };
    const Case cases[] = {{true, {}, 0},
                          {false, std::chars_format::scientific, 0},
                          {false, std::chars_format::scientific, 3},
                          {false, std::chars_format::scientific, 14},
                          {false, std::chars_format::scientific, 17},
                          {false, std::chars_format::fixed, 0},
                          {false, std::chars_format::fixed, 1},
                          {false, std::chars_format::fixed, 4},
                          {false, std::chars_format::fixed, 20}};
    const std::vector<double> xs = SampleDoubles(8000);
    for (const Case& c : cases) {
        int differing = 0;
        for (const double x : xs) {
            const std::string want = Library(x, c.shortest, c.format, c.precision);
            const std::string got = Ours(x, c.shortest, c.format, c.precision);
            if (got != want && ++differing <= 5)
                ADD_FAILURE() << std::hexfloat << x << ": " << got << " instead of " << want
                              << " (precision " << c.precision << ")";
        }
        EXPECT_EQ(differing, 0);
    }
    for (const double x :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(Ours(x, true), Library(x, true));
        EXPECT_EQ(Ours(x, false, std::chars_format::scientific, 3),
                  Library(x, false, std::chars_format::scientific, 3));
    }
    char tiny[3];
    EXPECT_EQ(portable::ToChars(tiny, tiny + sizeof tiny, 1.25).ec, std::errc::value_too_large);
}

// The exact decimal text of the point halfway between x and the next double up.
std::string HalfwayAbove(double x) {
    const double next = std::nextafter(x, INFINITY);
    // Both exactly, in fixed notation with enough decimals, then their average digit by digit.
    constexpr int kDecimals = 1100;
    const std::string a = Library(x, false, std::chars_format::fixed, kDecimals);
    const std::string b = Library(next, false, std::chars_format::fixed, kDecimals);
    std::string digits;
    std::string aDigits, bDigits;
    for (char ch : a)
        if (ch != '.') aDigits.push_back(ch);
    for (char ch : b)
        if (ch != '.') bDigits.push_back(ch);
    aDigits.insert(0, bDigits.size() - aDigits.size(), '0');
    // Sum, then halve: (a + b) / 2, with one more decimal place.
    std::string sum(aDigits.size() + 1, '0');
    int carry = 0;
    for (std::size_t i = aDigits.size(); i-- > 0;) {
        const int t = (aDigits[i] - '0') + (bDigits[i] - '0') + carry;
        sum[i + 1] = static_cast<char>('0' + t % 10);
        carry = t / 10;
    }
    sum[0] = static_cast<char>('0' + carry);
    sum.push_back('0');
    int rest = 0;
    for (char& ch : sum) {
        const int t = rest * 10 + (ch - '0');
        ch = static_cast<char>('0' + t / 2);
        rest = t % 2;
    }
    const std::size_t integerDigits = bDigits.size() - kDecimals + 1;
    return sum.substr(0, integerDigits) + "." + sum.substr(integerDigits);
}

void ExpectSameParse(const std::string& text) {
    double want = -7.0;
    double got = -7.0;
    const auto w = std::from_chars(text.data(), text.data() + text.size(), want);
    const auto o = portable::FromChars(text.data(), text.data() + text.size(), got);
    EXPECT_EQ(o.ec, w.ec) << text;
    EXPECT_EQ(o.ptr - text.data(), w.ptr - text.data()) << text;
    EXPECT_TRUE(std::bit_cast<std::uint64_t>(got) == std::bit_cast<std::uint64_t>(want) ||
                (std::isnan(got) && std::isnan(want)))
        << text << ": " << std::hexfloat << got << " instead of " << want;
}

TEST(NumberChars, ReadingMatchesTheLibrary) {
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "1",
                                      "1.",
                                      ".5",
                                      "-.5",
                                      ".",
                                      "-",
                                      "+1",
                                      "e5",
                                      "1e",
                                      "1e+",
                                      "1e-5x",
                                      "1E400",
                                      "1e-400",
                                      "2e-324",
                                      "3e-324",
                                      "4.9406564584124654e-324",
                                      "2.4703282292062328e-324",
                                      "2.4703282292062327e-324",
                                      "1.7976931348623158e308",
                                      "1.7976931348623159e308",
                                      "inf",
                                      "-Infinity",
                                      "infinit",
                                      "nan",
                                      "-nan(123)",
                                      "nan(",
                                      "NaN(x_1)z",
                                      "0x10",
                                      "00012.50",
                                      "0.000000000000000000000000000000000000000000000001e48",
                                      "123456789012345678901234567890",
                                      "9007199254740993",
                                      "9007199254740993.00000000000000000000001",
                                      "1e-10000000000",
                                      " 1",
                                      "1.5e0000000000000000000003"};
    std::string many = "1.";
    many.append(900, '0');
    texts.push_back(many + "1");  // above 1 only far beyond the kept digits
    std::mt19937_64 g(11);
    for (const double x : SampleDoubles(3000)) {
        const double ax = std::fabs(x);
        texts.push_back(Library(x, true));
        texts.push_back(Library(x, false, std::chars_format::scientific, 16));
        texts.push_back(Library(x, false, std::chars_format::scientific, 25));
        if (ax < 1e40 && ax > 1e-40 && g() % 4 == 0) {
            const std::string half = HalfwayAbove(ax);
            texts.push_back(half);        // a tie: to the even neighbour
            texts.push_back(half + "1");  // just above the tie
        }
    }
    for (int i = 0; i < 3000; ++i) {
        std::string t = g() % 2 ? "-" : "";
        const int n = 1 + static_cast<int>(g() % 30);
        for (int k = 0; k < n; ++k)
            t.push_back(static_cast<char>('0' + g() % 10));
        if (g() % 2) t.insert(t.size() - g() % t.size(), 1, '.');
        t.push_back('e');
        t.append(std::to_string(static_cast<int>(g() % 700) - 350));
        texts.push_back(t);
    }
    for (const std::string& t : texts)
        ExpectSameParse(t);
}

}  // namespace
