#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Reads the number at the start of a box's text. Blanks, tabs and line feeds are skipped
// wherever they stand ("1 2" reads as 12); then an optional sign, digits with at most one ".",
// and an optional exponent (E or e, optional sign, digits) are read as far as they fit, and the
// rest is ignored. Text without a digit there reads as 0. The separator is always ".", whatever
// the locale. A value beyond the double range reads as the largest finite double with its sign;
// a value too small for a double reads as the nearest denormal, or 0 below half the smallest.
double ParseLeadingNumber(std::string_view text);

// Whether ParseLeadingNumber finds a number at the start of the text, rather than reading 0
// because there is none ("abc", "", "-").
bool HasLeadingNumber(std::string_view text);

// The text a panel writes into a box: x rounded to 15 significant digits with trailing zeros and
// a trailing "." removed; plain decimals for decimal exponents -4 to 14, otherwise mantissa, "E",
// exponent sign and at least two exponent digits (1E-05, 1.5E+16). Zero is "0"; infinities and
// NaN give "Inf", "-Inf" and "NaN", which read back as 0.
std::string FormatGeneral(double x);

}  // namespace quorvane
