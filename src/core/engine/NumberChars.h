#pragma once

// Number texts independent of the C locale and of the standard library: the floating-point
// std::to_chars and std::from_chars where the library has them, and otherwise our own versions,
// which give exactly the same texts and values: the shortest text that reads back as the same
// double, correctly rounded fixed and scientific texts, and correctly rounded reading. Some
// toolchains (WebAssembly's among them) lack the floating-point overloads.
//
// Every number text of the program goes through these functions.

#include <charconv>

namespace quorvane {

// The shortest text that reads back as x, fixed or scientific, whichever is shorter.
std::to_chars_result ToChars(char* first, char* last, double x);
// chars_format::fixed or chars_format::scientific with `precision` digits after the point.
std::to_chars_result ToChars(char* first, char* last, double x, std::chars_format format,
                             int precision);
// Reads [-]digits[.digits][(e|E)[+|-]digits], "inf", "infinity" or "nan" as std::from_chars
// does in its general format: a value out of the double range leaves `value` alone and reports
// result_out_of_range.
std::from_chars_result FromChars(const char* first, const char* last, double& value);

// Our own versions, built on every toolchain so that they can be checked against the
// library's wherever it has them.
namespace portable {
std::to_chars_result ToChars(char* first, char* last, double x);
std::to_chars_result ToChars(char* first, char* last, double x, std::chars_format format,
                             int precision);
std::from_chars_result FromChars(const char* first, const char* last, double& value);
}  // namespace portable

}  // namespace quorvane
