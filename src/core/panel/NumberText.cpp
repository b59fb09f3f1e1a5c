#include "panel/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

#include "engine/NumberChars.h"

namespace quorvane {

namespace {

bool IsSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Steps through a text while hiding blanks, tabs and line feeds; '\0' marks the end.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) { SkipBlanks(); }
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    void Advance() {
        ++pos_;
        SkipBlanks();
    }
    // Consumes a '+' or '-' if one stands here; tells whether it was '-'.
    bool TakeSign() {
        const char c = Peek();
        if (c != '+' && c != '-') return false;
        Advance();
        return c == '-';
    }

  private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsSkipped(text_[pos_]))
            ++pos_;
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

// A decimal read from text as 0.<digits> x 10^pointPos, digits without leading zeros.
struct Decimal {
    bool negative = false;
    std::string digits;
    long long pointPos = 0;
};

// Any exponent beyond this already puts every mantissa outside the double range, so larger
// exponents are held at it instead of overflowing an integer.
constexpr long long kExponentCap = 1'000'000'000;
// 0.1 x 10^kPointLimit exceeds the largest double; 10^-kPointLimit is below half the smallest
// denormal, so positions beyond these decide the result without any conversion.
constexpr long long kPointLimit = 400;

long long ReadExponent(Reader& reader) {
    const bool negative = reader.TakeSign();
    long long exponent = 0;
    while (IsDigit(reader.Peek())) {
        exponent = std::min(exponent * 10 + (reader.Peek() - '0'), kExponentCap);
        reader.Advance();
    }
    return negative ? -exponent : exponent;
}

// Reads sign, mantissa and exponent; returns false when the mantissa has no digit.
bool ReadDecimal(std::string_view text, Decimal& number) {
    Reader reader(text);
    number.negative = reader.TakeSign();
    bool anyDigit = false;
    bool seenPoint = false;
    long long integerDigits = 0;
    long long fractionZeros = 0;  // zeros between the point and the first significant digit
    for (;;) {
        const char c = reader.Peek();
        if (IsDigit(c)) {
            anyDigit = true;
            if (number.digits.empty() && c == '0') {
                if (seenPoint) ++fractionZeros;
            } else {
                number.digits += c;
                if (!seenPoint) ++integerDigits;
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        reader.Advance();
    }
    if (!anyDigit) return false;
    long long exponent = 0;
    if (reader.Peek() == 'E' || reader.Peek() == 'e') {
        reader.Advance();
        exponent = ReadExponent(reader);
    }
    number.pointPos = (integerDigits > 0 ? integerDigits : -fractionZeros) + exponent;
    return true;
}

double Signed(bool negative, double magnitude) {
    return negative ? -magnitude : magnitude;
}

double Convert(const Decimal& number) {
    constexpr double kLargest = std::numeric_limits<double>::max();
    if (number.digits.empty()) return 0.0;
    if (number.pointPos > kPointLimit) return Signed(number.negative, kLargest);
    if (number.pointPos < -kPointLimit) return 0.0;
    std::string canonical("0.");
    canonical.append(number.digits).append("e").append(std::to_string(number.pointPos));
    double magnitude = 0.0;
    const auto result = FromChars(canonical.data(), canonical.data() + canonical.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        if (number.pointPos <= 0) return 0.0;
        magnitude = kLargest;
    }
    return Signed(number.negative, magnitude);
}

// Mantissa digits and decimal exponent of x rounded to 15 significant digits.
struct Rounded {
    std::string digits;  // 1 to 15 digits, trailing zeros removed
    int exponent = 0;    // x is about d.ddd x 10^exponent
};

Rounded RoundTo15Digits(double magnitude) {
    char buffer[40];
    const auto result =
        ToChars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    Rounded rounded;
    rounded.digits.append(text.substr(0, 1)).append(text.substr(2, e - 2));
    rounded.digits.erase(rounded.digits.find_last_not_of('0') + 1);
    rounded.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return rounded;
}

std::string PlainDecimal(const Rounded& r) {
    std::string text;
    if (r.exponent < 0) {
        text.append("0.").append(static_cast<std::size_t>(-r.exponent - 1), '0').append(r.digits);
        return text;
    }
    const auto integerLength = static_cast<std::size_t>(r.exponent) + 1;
    if (r.digits.size() <= integerLength) {
        text.append(r.digits).append(integerLength - r.digits.size(), '0');
        return text;
    }
    text.append(r.digits, 0, integerLength).append(".").append(r.digits, integerLength);
    return text;
}

std::string Scientific(const Rounded& r) {
    std::string text(r.digits, 0, 1);
    if (r.digits.size() > 1) text.append(".").append(r.digits, 1);
    const int magnitude = std::abs(r.exponent);
    text.append(r.exponent < 0 ? "E-" : "E+");
    if (magnitude < 10) text.append("0");
    text.append(std::to_string(magnitude));
    return text;
}

}  // namespace

double ParseLeadingNumber(std::string_view text) {
    Decimal number;
    if (!ReadDecimal(text, number)) return 0.0;
    return Convert(number);
}

bool HasLeadingNumber(std::string_view text) {
    Decimal number;
    return ReadDecimal(text, number);
}

std::string FormatGeneral(double x) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x < 0 ? "-Inf" : "Inf";
    if (x == 0.0) return "0";
    const Rounded rounded = RoundTo15Digits(std::fabs(x));
    const bool plain = rounded.exponent >= -4 && rounded.exponent <= 14;
    std::string text(x < 0 ? "-" : "");
    text.append(plain ? PlainDecimal(rounded) : Scientific(rounded));
    return text;
}

}  // namespace quorvane
