#include "engine/NumberChars.h"

#include <algorithm>
#include <bit>

#include <cstdint>
#include <limits>
#include <string>
#include <system_error>
#include <vector>
#include "engine/BitCast.h"

namespace quorvane {

// The library's own overloads where it declares them complete.
#if defined(__cpp_lib_to_chars) && !defined(QUORVANE_PORTABLE_NUMBER_CHARS)

std::to_chars_result ToChars(char* first, char* last, double x) {
    return std::to_chars(first, last, x);
}
std::to_chars_result ToChars(char* first, char* last, double x, std::chars_format format,
                             int precision) {
    return std::to_chars(first, last, x, format, precision);
}
std::from_chars_result FromChars(const char* first, const char* last, double& value) {
    return std::from_chars(first, last, value);
}

#else

std::to_chars_result ToChars(char* first, char* last, double x) {
    return portable::ToChars(first, last, x);
}
std::to_chars_result ToChars(char* first, char* last, double x, std::chars_format format,
                             int precision) {
    return portable::ToChars(first, last, x, format, precision);
}
std::from_chars_result FromChars(const char* first, const char* last, double& value) {
    return portable::FromChars(first, last, value);
}

#endif

namespace portable {

namespace {

// ---- Unsigned integers of any size, 32 bits a limb, least significant first ----

class Big {
  public:
    Big() = default;
    explicit Big(std::uint64_t v) {
        for (; v != 0; v >>= 32)
            limbs_.push_back(static_cast<std::uint32_t>(v));
    }

    bool IsZero() const { return limbs_.empty(); }

    int BitLength() const {
        if (limbs_.empty()) return 0;
        return 32 * static_cast<int>(limbs_.size() - 1) +
               static_cast<int>(std::bit_width(limbs_.back()));
    }

    void MultiplyAdd(std::uint32_t factor, std::uint32_t add = 0) {
        std::uint64_t carry = add;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t t = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
        Trim();
    }

    void MultiplyByPowerOfTen(int n) {
        for (; n >= 9; n -= 9)
            MultiplyAdd(1000000000u);
        static constexpr std::uint32_t kSmall[] = {1,      10,      100,      1000,     10000,
                                                   100000, 1000000, 10000000, 100000000};
        if (n > 0) MultiplyAdd(kSmall[n]);
    }

    void MultiplyByPowerOfFive(int n) {
        for (; n >= 13; n -= 13)
            MultiplyAdd(1220703125u);  // 5^13
        std::uint32_t f = 1;
        for (; n > 0; --n)
            f *= 5;
        if (f != 1) MultiplyAdd(f);
    }

    void ShiftLeft(int bits) {
        if (limbs_.empty() || bits == 0) return;
        const auto words = static_cast<std::size_t>(bits / 32);
        const int rest = bits % 32;
        if (rest != 0) {
            std::uint32_t carry = 0;
            for (std::uint32_t& limb : limbs_) {
                const std::uint32_t next = limb >> (32 - rest);
                limb = (limb << rest) | carry;
                carry = next;
            }
            if (carry != 0) limbs_.push_back(carry);
        }
        limbs_.insert(limbs_.begin(), words, 0u);
    }

    // Divides by d < 2^32 in place and returns the remainder.
    std::uint32_t DivideSmall(std::uint32_t d) {
        std::uint64_t rest = 0;
        for (std::size_t i = limbs_.size(); i-- > 0;) {
            const std::uint64_t t = (rest << 32) | limbs_[i];
            limbs_[i] = static_cast<std::uint32_t>(t / d);
            rest = t % d;
        }
        Trim();
        return static_cast<std::uint32_t>(rest);
    }

    // The bit at place b (0 = least significant).
    bool Bit(int b) const {
        const auto word = static_cast<std::size_t>(b / 32);
        return word < limbs_.size() && ((limbs_[word] >> (b % 32)) & 1u) != 0;
    }

    // Bits [low, low + 64) as an integer.
    std::uint64_t Bits64(int low) const {
        std::uint64_t v = 0;
        for (int b = low + 63; b >= low; --b)
            v = (v << 1) | (b >= 0 && Bit(b) ? 1u : 0u);
        return v;
    }

    // Whether any bit below place `low` is set.
    bool AnyBelow(int low) const {
        for (int b = 0; b < low; ++b)
            if (Bit(b)) return true;
        return false;
    }

    friend int Compare(const Big& a, const Big& b) {
        if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
        for (std::size_t i = a.limbs_.size(); i-- > 0;) {
            if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        }
        return 0;
    }

    // *this -= b, for b <= *this.
    void Subtract(const Big& b) {
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            std::int64_t t = std::int64_t{limbs_[i]} - borrow -
                             (i < b.limbs_.size() ? std::int64_t{b.limbs_[i]} : 0);
            borrow = t < 0 ? 1 : 0;
            if (t < 0) t += std::int64_t{1} << 32;
            limbs_[i] = static_cast<std::uint32_t>(t);
        }
        Trim();
    }

    void Add(const Big& b) {
        if (limbs_.size() < b.limbs_.size()) limbs_.resize(b.limbs_.size(), 0u);
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            const std::uint64_t t =
                std::uint64_t{limbs_[i]} + (i < b.limbs_.size() ? b.limbs_[i] : 0u) + carry;
            limbs_[i] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
    }

    // The decimal digits, most significant first ("0" for zero).
    std::string Decimal() const {
        if (limbs_.empty()) return "0";
        Big n = *this;
        std::string reversed;
        while (!n.IsZero()) {
            std::uint32_t chunk = n.DivideSmall(1000000000u);
            for (int i = 0; i < 9; ++i) {
                reversed.push_back(static_cast<char>('0' + chunk % 10));
                chunk /= 10;
            }
        }
        while (reversed.size() > 1 && reversed.back() == '0')
            reversed.pop_back();
        return {reversed.rbegin(), reversed.rend()};
    }

  private:
    void Trim() {
        while (!limbs_.empty() && limbs_.back() == 0)
            limbs_.pop_back();
    }

    std::vector<std::uint32_t> limbs_;
};

// q * 10 / s: the next decimal digit of q / s < 1, leaving the remainder in q.
int NextDigit(Big& q, const Big& s) {
    q.MultiplyAdd(10);
    int digit = 0;
    while (Compare(q, s) >= 0) {
        q.Subtract(s);
        ++digit;
    }
    return digit;
}

// ---- A double taken apart ----

struct Parts {
    bool negative;
    std::uint64_t mantissa;  // with the hidden bit for normal numbers
    int exponent;            // value = mantissa * 2^exponent
};

Parts Decompose(double x) {
    const std::uint64_t bits = BitCast<std::uint64_t>(x);
    const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0) return {(bits >> 63) != 0, fraction, -1074};
    return {(bits >> 63) != 0, fraction | (std::uint64_t{1} << 52), biased - 1075};
}

// The exact decimal digits of a finite positive value and the place of the decimal point:
// value = 0.digits * 10^point.
struct Exact {
    std::string digits;
    int point;
};

Exact ExactDecimal(const Parts& p) {
    Big n(p.mantissa);
    int shift = 0;  // value = n / 10^shift
    if (p.exponent >= 0) {
        n.ShiftLeft(p.exponent);
    } else {
        // m / 2^k = m 5^k / 10^k
        n.MultiplyByPowerOfFive(-p.exponent);
        shift = -p.exponent;
    }
    std::string digits = n.Decimal();
    const int point = static_cast<int>(digits.size()) - shift;
    digits.erase(digits.find_last_not_of('0') + 1);
    return {digits, point};
}

// Rounds 0.digits * 10^point to `keep` digits (keep >= 0), half to even on the exact value;
// the result may gain a place (9.99 -> 10.0).
Exact RoundDigits(Exact e, int keep) {
    if (static_cast<int>(e.digits.size()) <= keep) {
        e.digits.append(static_cast<std::size_t>(keep) - e.digits.size(), '0');
        return e;
    }
    const auto k = static_cast<std::size_t>(keep);
    const char first = e.digits[k];
    const bool beyond = e.digits.find_first_not_of('0', k + 1) != std::string::npos;
    const bool lastOdd = k > 0 && ((e.digits[k - 1] - '0') % 2) != 0;
    const bool up = first > '5' || (first == '5' && (beyond || lastOdd));
    e.digits.resize(k);
    if (up) {
        std::size_t i = k;
        while (i > 0 && e.digits[i - 1] == '9') {
            e.digits[i - 1] = '0';
            --i;
        }
        if (i == 0) {
            // All nines (or no digit kept): 1 followed by zeros, one place higher.
            e.digits.assign(k > 0 ? k : 1, '0');
            e.digits[0] = '1';
            ++e.point;
        } else {
            ++e.digits[i - 1];
        }
    }
    return e;
}

std::string ExponentText(int exponent) {
    std::string text(1, exponent < 0 ? '-' : '+');
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) text.push_back('0');
    return text.append(std::to_string(magnitude));
}

std::string Scientific(const std::string& digits, int exponent) {
    std::string text(1, digits[0]);
    if (digits.size() > 1) text.append(".").append(digits.substr(1));
    return text.append("e").append(ExponentText(exponent));
}

// 0.digits * 10^point in plain decimals, exactly `decimals` of them (digits already rounded).
std::string Fixed(const std::string& digits, int point, int decimals) {
    std::string text;
    if (point <= 0) {
        text.push_back('0');
    } else {
        for (int i = 0; i < point; ++i) {
            const auto place = static_cast<std::size_t>(i);
            text.push_back(place < digits.size() ? digits[place] : '0');
        }
    }
    if (decimals > 0) {
        text.push_back('.');
        for (int i = 0; i < decimals; ++i) {
            const int place = point + i;  // index into digits
            text.push_back(place >= 0 && place < static_cast<int>(digits.size())
                               ? digits[static_cast<std::size_t>(place)]
                               : '0');
        }
    }
    return text;
}

std::to_chars_result Write(char* first, char* last, const std::string& text) {
    if (last - first < static_cast<std::ptrdiff_t>(text.size()))
        return {last, std::errc::value_too_large};
    std::copy(text.begin(), text.end(), first);
    return {first + text.size(), std::errc{}};
}

// "inf", "-inf", "nan" or "-nan" for a value that is not finite, else empty.
std::string NonFinite(double x) {
    const Parts p = Decompose(x);
    const std::uint64_t bits = BitCast<std::uint64_t>(x);
    if (((bits >> 52) & 0x7ff) != 0x7ff) return {};
    const bool nan = (bits & ((std::uint64_t{1} << 52) - 1)) != 0;
    return std::string(p.negative ? "-" : "") + (nan ? "nan" : "inf");
}

// The shortest digits that read back as the positive finite x (free-format digit generation
// on exact integers: value r/s, half-gaps up/down to the neighbours); of the shortest, the
// nearest to x, ties to an even digit. value = 0.digits * 10^point.
Exact ShortestDigits(const Parts& p) {
    const bool even = (p.mantissa & 1u) == 0;  // the bounds themselves read back as x
    const bool lowerCloser = p.mantissa == (std::uint64_t{1} << 52) && p.exponent > -1074;
    Big r(p.mantissa);
    Big s(1);
    Big up(1);
    Big down(1);
    // value = r / s, upper half-gap up / s, lower half-gap down / s (all scaled by 2 or 4).
    if (p.exponent >= 0) {
        r.ShiftLeft(p.exponent + (lowerCloser ? 2 : 1));
        s = Big(lowerCloser ? 4 : 2);
        up.ShiftLeft(p.exponent + (lowerCloser ? 1 : 0));
        down.ShiftLeft(p.exponent);
    } else {
        r.ShiftLeft(lowerCloser ? 2 : 1);
        s.ShiftLeft(-p.exponent + (lowerCloser ? 2 : 1));
        if (lowerCloser) up = Big(2);
    }
    // Scale so that 1/10 <= (r + up) / s < 1 (or <= 1 when the upper bound reads back).
    int point = 0;
    // An estimate of log10(x) from its bit length, then exact corrections.
    const int bits = static_cast<int>(std::bit_width(p.mantissa)) + p.exponent;  // x < 2^bits
    const int estimate = (bits * 78913) >> 18;  // floor(bits * log10(2))
    if (estimate > 0) {
        s.MultiplyByPowerOfTen(estimate);
    } else if (estimate < 0) {
        r.MultiplyByPowerOfTen(-estimate);
        up.MultiplyByPowerOfTen(-estimate);
        down.MultiplyByPowerOfTen(-estimate);
    }
    point = estimate;
    const auto high = [&](const Big& rr, const Big& ss) {
        Big t = rr;
        t.Add(up);
        const int c = Compare(t, ss);
        return even ? c >= 0 : c > 0;
    };
    while (high(r, s)) {
        s.MultiplyAdd(10);
        ++point;
    }
    for (;;) {
        Big r10 = r;
        r10.MultiplyAdd(10);
        Big up10 = up;
        up10.MultiplyAdd(10);
        Big t = r10;
        t.Add(up10);
        const int c = Compare(t, s);
        if (even ? c >= 0 : c > 0) break;
        r = r10;
        up = up10;
        down.MultiplyAdd(10);
        --point;
    }
    std::string digits;
    for (;;) {
        int digit = NextDigit(r, s);
        up.MultiplyAdd(10);
        down.MultiplyAdd(10);
        const int cl = Compare(r, down);
        const bool low = even ? cl <= 0 : cl < 0;
        Big t = r;
        t.Add(up);
        const int ch = Compare(t, s);
        const bool hi = even ? ch >= 0 : ch > 0;
        if (!low && !hi) {
            digits.push_back(static_cast<char>('0' + digit));
            continue;
        }
        if (low && hi) {
            Big twice = r;
            twice.MultiplyAdd(2);
            const int c = Compare(twice, s);
            if (c > 0 || (c == 0 && digit % 2 == 1)) ++digit;
        } else if (hi) {
            ++digit;
        }
        // A last digit of 10 carries into the digits before it.
        std::size_t i = digits.size();
        if (digit == 10) {
            digit = 0;
            while (i > 0 && digits[i - 1] == '9') {
                digits[i - 1] = '0';
                --i;
            }
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                ++point;
            } else {
                ++digits[i - 1];
            }
        }
        digits.push_back(static_cast<char>('0' + digit));
        break;
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.empty()) digits.push_back('0');
    return {digits, point};
}

// ---- Reading ----

// value = (q + below) * 2^exponent, q != 0, `sticky` when something nonzero lies below q's last
// bit: the nearest double, half to even.
double RoundToDouble(std::uint64_t q, int exponent, bool sticky, bool& overflow) {
    overflow = false;
    const int zeros = std::countl_zero(q);
    q <<= zeros;
    exponent -= zeros;
    const int lead = exponent + 63;  // binary exponent of q's leading bit
    if (lead > 1023) {
        overflow = true;
        return std::numeric_limits<double>::infinity();
    }
    int keep = lead >= -1022 ? 53 : 53 - (-1022 - lead);
    if (keep < 0) return 0.0;  // below half the smallest subnormal
    const int drop = 64 - keep;
    std::uint64_t kept = drop >= 64 ? 0 : q >> drop;
    const std::uint64_t rest = drop >= 64 ? q : q & ((std::uint64_t{1} << drop) - 1);
    const std::uint64_t half = std::uint64_t{1} << (drop - 1);
    if (rest > half || (rest == half && (sticky || (kept & 1u) != 0))) ++kept;
    if (lead >= -1022) {
        int e = lead;
        if (kept >> 53) {
            kept >>= 1;
            ++e;
        }
        if (e > 1023) {
            overflow = true;
            return std::numeric_limits<double>::infinity();
        }
        return BitCast<double>((static_cast<std::uint64_t>(e + 1023) << 52) |
                               (kept & ((std::uint64_t{1} << 52) - 1)));
    }
    return BitCast<double>(kept);  // subnormal, or the smallest normal after a carry
}

bool MatchWord(const char*& p, const char* last, const char* word) {
    const char* q = p;
    for (; *word != '\0'; ++word, ++q) {
        if (q == last || (*q | 0x20) != *word) return false;
    }
    p = q;
    return true;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::to_chars_result ToChars(char* first, char* last, double x) {
    std::string text = NonFinite(x);
    if (text.empty()) {
        const Parts p = Decompose(x);
        const std::string sign = p.negative ? "-" : "";
        if (p.mantissa == 0) return Write(first, last, sign + "0");
        const Exact e = ShortestDigits(p);
        const int n = static_cast<int>(e.digits.size());
        const int exponent = e.point - 1;
        const std::string scientific = Scientific(e.digits, exponent);
        const int fixedDecimals = n - e.point > 0 ? n - e.point : 0;
        std::string fixed = Fixed(e.digits, e.point, fixedDecimals);
        // An integer wider than its shortest digits is written with all its exact digits,
        // as the library does, not with the shortest digits padded with zeros.
        if (e.point > n && fixed.size() <= scientific.size()) {
            const Exact exact = ExactDecimal(p);
            fixed = Fixed(exact.digits, exact.point, 0);
        }
        text = sign + (fixed.size() <= scientific.size() ? fixed : scientific);
    }
    return Write(first, last, text);
}

std::to_chars_result ToChars(char* first, char* last, double x, std::chars_format format,
                             int precision) {
    std::string text = NonFinite(x);
    if (text.empty()) {
        if (precision < 0) precision = 6;
        const Parts p = Decompose(x);
        const std::string sign = p.negative ? "-" : "";
        Exact e{"", 1};
        if (p.mantissa != 0) e = ExactDecimal(p);
        if (format == std::chars_format::scientific) {
            std::string digits(static_cast<std::size_t>(precision) + 1, '0');
            int exponent = 0;
            if (p.mantissa != 0) {
                const Exact r = RoundDigits(e, precision + 1);
                digits = r.digits;
                exponent = r.point - 1;
            }
            text = sign + Scientific(digits, exponent);
        } else {
            const int keep = e.point + precision;
            Exact r{"", 0};
            if (p.mantissa != 0 && keep >= 0) r = RoundDigits(e, keep);
            if (r.digits.empty() || r.digits.find_first_not_of('0') == std::string::npos)
                r = {"", 1};
            text = sign + Fixed(r.digits, r.point, precision);
        }
    }
    return Write(first, last, text);
}

std::from_chars_result FromChars(const char* first, const char* last, double& value) {
    const char* p = first;
    const bool negative = p != last && *p == '-';
    if (negative) ++p;
    if (p != last && !IsDigit(*p) && *p != '.') {
        const char* q = p;
        if (MatchWord(q, last, "inf")) {
            const char* longer = q;
            if (MatchWord(longer, last, "inity")) q = longer;
            value = negative ? -std::numeric_limits<double>::infinity()
                             : std::numeric_limits<double>::infinity();
            return {q, std::errc{}};
        }
        if (MatchWord(q, last, "nan")) {
            if (q != last && *q == '(') {
                const char* r = q + 1;
                while (r != last &&
                       (IsDigit(*r) || *r == '_' || ((*r | 0x20) >= 'a' && (*r | 0x20) <= 'z')))
                    ++r;
                if (r != last && *r == ')') q = r + 1;
            }
            value = negative ? -std::numeric_limits<double>::quiet_NaN()
                             : std::numeric_limits<double>::quiet_NaN();
            return {q, std::errc{}};
        }
        return {first, std::errc::invalid_argument};
    }
    // Significant digits (up to a limit; the rest only count as nonzero or not) and the place
    // of the point.
    constexpr std::size_t kMostDigits = 800;
    std::string digits;
    bool truncatedNonzero = false;
    long pointShift = 0;  // value = digits * 10^pointShift
    bool any = false;
    bool seenPoint = false;
    for (; p != last; ++p) {
        if (*p == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (!IsDigit(*p)) break;
        any = true;
        if (digits.empty() && *p == '0') {
            if (seenPoint) --pointShift;
            continue;
        }
        if (digits.size() < kMostDigits) {
            digits.push_back(*p);
            if (seenPoint) --pointShift;
        } else {
            truncatedNonzero = truncatedNonzero || *p != '0';
            if (!seenPoint) ++pointShift;
        }
    }
    if (!any) return {first, std::errc::invalid_argument};
    if (p != last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool expNegative = false;
        if (q != last && (*q == '+' || *q == '-')) {
            expNegative = *q == '-';
            ++q;
        }
        if (q != last && IsDigit(*q)) {
            long exponent = 0;
            for (; q != last && IsDigit(*q); ++q)
                exponent = std::min(exponent * 10 + (*q - '0'), 100000000L);
            pointShift += expNegative ? -exponent : exponent;
            p = q;
        }
    }
    const double sign = negative ? -1.0 : 1.0;
    if (digits.empty()) {
        value = sign * 0.0;
        return {p, std::errc{}};
    }
    if (truncatedNonzero) {
        digits.push_back('1');  // stands for the nonzero digits cut off
        --pointShift;
    }
    const long magnitude = static_cast<long>(digits.size()) + pointShift;  // x < 10^magnitude
    if (magnitude > 310) return {p, std::errc::result_out_of_range};
    if (magnitude < -330) return {p, std::errc::result_out_of_range};

    Big d;
    for (const char c : digits)
        d.MultiplyAdd(10, static_cast<std::uint32_t>(c - '0'));
    std::uint64_t q = 0;
    int exponent = 0;
    bool sticky = false;
    if (pointShift >= 0) {
        d.MultiplyByPowerOfTen(static_cast<int>(pointShift));
        const int low = d.BitLength() - 64;
        q = d.Bits64(low);
        exponent = low;
        sticky = low > 0 && d.AnyBelow(low);
    } else {
        // d / 10^k to 63 or 64 bits, by long division: scale d or the divisor so that the
        // quotient lies in [2^62, 2^64).
        Big divisor(1);
        divisor.MultiplyByPowerOfTen(static_cast<int>(-pointShift));
        const int shift = 63 + divisor.BitLength() - d.BitLength();
        if (shift > 0) d.ShiftLeft(shift);
        if (shift < 0) divisor.ShiftLeft(-shift);
        for (int b = d.BitLength() - divisor.BitLength(); b >= 0; --b) {
            Big shifted = divisor;
            shifted.ShiftLeft(b);
            if (Compare(d, shifted) >= 0) {
                d.Subtract(shifted);
                q |= std::uint64_t{1} << b;
            }
        }
        exponent = -shift;
        sticky = !d.IsZero();
    }
    bool overflow = false;
    const double magnitudeValue = RoundToDouble(q, exponent, sticky, overflow);
    if (overflow || magnitudeValue == 0.0) return {p, std::errc::result_out_of_range};
    value = sign * magnitudeValue;
    return {p, std::errc{}};
}

}  // namespace portable

}  // namespace quorvane
