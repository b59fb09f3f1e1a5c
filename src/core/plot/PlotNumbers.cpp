#include "plot/PlotNumbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string_view>

#include "engine/NumberChars.h"

namespace quorvane {

namespace {

// A positive finite number as decimal digits without trailing zeros ("125") and the decimal
// exponent of the first digit (-4 for 1.25e-4), rounded to `significant` digits.
struct Digits {
    std::string digits;
    int exponent = 0;
};

Digits ToDigits(double positive, int significant) {
    char buffer[64];
    const auto result = ToChars(std::begin(buffer), std::end(buffer), positive,
                                std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');

    Digits out;
    out.digits.push_back(text[0]);
    if (e > 2) out.digits.append(text.substr(2, e - 2));
    const std::string_view exponentText = text.substr(e + 1);
    const char* first = exponentText.data() + (exponentText.front() == '+' ? 1 : 0);
    std::from_chars(first, exponentText.data() + exponentText.size(), out.exponent);
    while (out.digits.size() > 1 && out.digits.back() == '0')
        out.digits.pop_back();
    return out;
}

std::string ExponentText(int exponent) {
    std::string text = exponent < 0 ? "E-" : "E+";
    const std::string magnitude = std::to_string(std::abs(exponent));
    if (magnitude.size() < 2) text.push_back('0');
    return text.append(magnitude);
}

// Digits laid out around the decimal point without a zero before it: ("125", -4) -> ".000125".
std::string PlainDecimal(const Digits& d) {
    std::string text;
    if (d.exponent < 0) {
        text.append(".").append(static_cast<std::size_t>(-d.exponent - 1), '0').append(d.digits);
        return text;
    }
    const std::size_t whole = static_cast<std::size_t>(d.exponent) + 1;
    text.append(d.digits.substr(0, whole));
    if (d.digits.size() <= whole) return text.append(whole - d.digits.size(), '0');
    return text.append(".").append(d.digits.substr(whole));
}

// "d.ddd" from the digits, without a point when there is only one digit.
std::string Mantissa(const Digits& d) {
    std::string text = d.digits.substr(0, 1);
    if (d.digits.size() > 1) text.append(".").append(d.digits.substr(1));
    return text;
}

std::string NonFiniteText(double x) {
    if (std::isnan(x)) return "nan";
    return x > 0 ? "inf" : "-inf";
}

struct Prefix {
    double threshold;
    const char* letter;
    double factor;
    bool divide;  // the value printed is x / factor rather than x * factor
};

// First row whose threshold x reaches; below the last row the value is printed as it is.
constexpr Prefix kPrefixes[] = {
    {1e12, "T", 1e12, true},   {1e9, "G", 1e9, true},   {1e6, "M", 1e6, true},
    {1000, "k", 1000, true},   {1, "", 1, false},       {0.001, "m", 1000, false},
    {1e-6, "u", 1e6, false},   {1e-9, "n", 1e9, false}, {1e-12, "p", 1e12, false},
    {1e-15, "f", 1e15, false},
};

}  // namespace

double RoundScale(double x) {
    if (!(x > 0)) return 0;
    if (std::isinf(x)) return kLargestScale;
    double m = x;
    double p = 1;
    while (m < 0.8) {
        m = m * 10;
        p = p / 10;
    }
    while (m > 14) {
        m = m / 10;
        p = p * 10;
    }
    const double r = m > 7 ? 10 : m > 3.5 ? 5 : m > 1.3 ? 2 : 1;
    const double scale = r * p;
    return std::isfinite(scale) ? std::min(scale, kLargestScale) : kLargestScale;
}

std::string FormatPlain(double x) {
    std::string text = x < 0 ? "-" : " ";
    if (!std::isfinite(x)) return text.append(NonFiniteText(std::fabs(x)));
    if (x == 0) return " 0";
    const Digits d = ToDigits(std::fabs(x), 15);
    if (d.exponent >= -4 && d.exponent <= 14) return text.append(PlainDecimal(d));
    return text.append(Mantissa(d)).append(ExponentText(d.exponent));
}

std::string FormatEng(double x) {
    double v = x;
    const char* letter = "";
    for (const Prefix& prefix : kPrefixes) {
        if (x >= prefix.threshold) {
            v = prefix.divide ? x / prefix.factor : x * prefix.factor;
            letter = prefix.letter;
            break;
        }
    }
    const double rounded = v >= 10 ? std::floor(v + 0.5) : std::floor(v * 10 + 0.5) / 10;
    return FormatPlain(rounded).append(letter);
}

std::string EngWithUnit(double x, const char* unit) {
    std::string number = FormatEng(x);
    if (!number.empty() && number.front() == ' ') number.erase(0, 1);
    std::string prefix;
    if (!number.empty() &&
        std::string_view("TGMkmunpf").find(number.back()) != std::string_view::npos) {
        prefix = number.back() == 'u' ? "\u00B5" : std::string(1, number.back());
        number.pop_back();
    }
    return number + " " + prefix + unit;
}

std::string FormatReading(double x, const char* unit) {
    std::string text = x < 0 ? "-" : "";
    if (!std::isfinite(x)) return NonFiniteText(x).append(" ").append(unit);
    if (x == 0) return std::string("0 ").append(unit);
    Digits d = ToDigits(std::fabs(x), 3);
    d.digits.resize(3, '0');  // keep three significant digits: "1.00 mV"
    const int group = static_cast<int>(std::floor(d.exponent / 3.0)) * 3;
    if (group > 12 || group < -15) {
        return text.append(Mantissa(d)).append(ExponentText(d.exponent)).append(" ").append(unit);
    }
    static constexpr const char* kLetters[] = {"f", "p", "n", "u", "m", "", "k", "M", "G", "T"};
    const std::size_t whole = static_cast<std::size_t>(d.exponent - group) + 1;
    text.append(d.digits.substr(0, whole));
    if (whole < d.digits.size()) text.append(".").append(d.digits.substr(whole));
    return text.append(" ").append(kLetters[(group + 15) / 3]).append(unit);
}

std::string FormatFixed(double x, int decimals) {
    if (!std::isfinite(x)) return NonFiniteText(x);
    char buffer[400];  // room for the 309 digits of the largest double and the decimals
    const auto result = ToChars(std::begin(buffer), std::end(buffer), x, std::chars_format::fixed,
                                std::clamp(decimals, 0, 20));
    std::string text(buffer, result.ptr);
    if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-') {
        text.erase(0, 1);  // "-0.0" for a small negative value reads as "0.0"
    }
    return text;
}

}  // namespace quorvane
