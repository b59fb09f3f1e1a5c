// Fuzzes what the panels do with numbers in boxes: reading the number at the start of any text,
// and writing a double as a box's text and reading it back.

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "panel/NumberText.h"

namespace {

[[noreturn]] void Fail(const char* what, std::string_view text, double got, double expected) {
    std::fprintf(stderr, "%s: \"%.*s\" gave %.17g, expected %.17g\n", what,
                 static_cast<int>(text.size()), text.data(), got, expected);
    std::abort();
}

bool Same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// strtod of the C library, correctly rounded, with its infinities held at the largest double
// the way a box holds them.
double ReferenceRead(const std::string& text) {
    errno = 0;
    const double value = std::strtod(text.c_str(), nullptr);
    if (std::isinf(value)) return std::copysign(DBL_MAX, value);
    return value;
}

bool OnlyNumberCharacters(std::string_view text) {
    for (char c : text) {
        if (c == '\0' || !std::strchr("0123456789.eE+-", c)) return false;
    }
    return true;
}

// Any text reads as a double a box can hold, never NaN or infinite. A text of number
// characters and blanks reads exactly as the C library reads it with the blanks taken out.
void CheckReading(std::string_view text) {
    const double read = quorvane::ParseLeadingNumber(text);
    if (!std::isfinite(read)) Fail("read a non-finite value", text, read, 0.0);
    std::string compact;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') compact += c;
    }
    if (!OnlyNumberCharacters(compact)) return;
    const double expected = ReferenceRead(compact);
    if (!Same(read, expected)) Fail("read differs from strtod", text, read, expected);
}

// The grammar of a written number: optional '-', digits, optional '.' and digits, optional
// 'E', a sign and at least two digits.
bool WellFormed(const std::string& s) {
    std::size_t i = s[0] == '-' ? 1 : 0;
    auto digits = [&] {
        const std::size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i;
        return i - start;
    };
    if (digits() == 0) return false;
    if (i < s.size() && s[i] == '.') {
        ++i;
        if (digits() == 0) return false;
    }
    if (i < s.size() && s[i] == 'E') {
        if (++i >= s.size() || (s[i] != '+' && s[i] != '-')) return false;
        ++i;
        if (digits() < 2) return false;
    }
    return i == s.size();
}

// A finite double is written in at most 15 significant digits and reads back as the double
// nearest to it rounded to 15 digits; writing that again gives the same text.
void CheckRoundTrip(double x) {
    const std::string shown = quorvane::FormatGeneral(x);
    if (!std::isfinite(x)) {
        const char* expected = std::isnan(x) ? "NaN" : (x < 0 ? "-Inf" : "Inf");
        if (shown != expected) Fail("non-finite written wrongly", shown, x, x);
        return;
    }
    if (!WellFormed(shown)) Fail("badly formed text", shown, x, x);
    char rounded[40];
    std::snprintf(rounded, sizeof rounded, "%.14e", x);
    const double expected = ReferenceRead(rounded);
    const double back = quorvane::ParseLeadingNumber(shown);
    if (!Same(back, expected)) Fail("read back differs", shown, back, expected);
    if (std::fabs(back) >= DBL_MIN && quorvane::FormatGeneral(back) != shown)
        Fail("writing again changed the text", shown, back, x);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckReading(text);
    CheckRoundTrip(quorvane::ParseLeadingNumber(text));
    if (size >= sizeof(double)) {
        double bits;
        std::memcpy(&bits, data, sizeof bits);
        CheckRoundTrip(bits);
    }
    return 0;
}
