#pragma once

#include <string>

namespace quorvane {

// The largest value of the 1-2-5 series that a double can hold. A scale that would exceed it
// (an overdriven, overflowing signal) is held here so that its label stays printable.
inline constexpr double kLargestScale = 1e308;

// Rounds x to the 1-2-5 series: the mantissa boundaries are 1.3, 3.5 and 7, a value exactly on
// a boundary taking the lower step (1.3 -> 1, 1.31 -> 2). Values that are not positive give 0;
// +infinity and values whose step would overflow give kLargestScale.
double RoundScale(double x);

// A number in the plots' label style: a blank before values >= 0 and a minus sign before
// negative ones, "." as decimal point whatever the locale, at most 15 significant digits,
// no trailing zeros and no zero before the point (0.5 -> " .5", -0.5 -> "-.5", 0 -> " 0").
// Numbers whose decimal exponent lies outside -4..14 are written as mantissa, "E", sign and at
// least two exponent digits (" 1E+20").
std::string FormatPlain(double x);

// A value with an SI prefix letter (T G M k m u n p f) and at most one decimal below ten:
// 0.002 -> " 2m", 1.25e-4 -> " 125u", 999.6 -> " 1000". Values below 1e-15 (zero and
// negative values among them) are written without prefix.
std::string FormatEng(double x);

// FormatEng's text as a quantity with its unit, for texts that are read rather than squeezed
// beside an axis: EngWithUnit(1.25e-6, "s") -> "1.3 µs", EngWithUnit(0.02, "V") -> "20 mV".
std::string EngWithUnit(double x, const char* unit);

// A value with three significant digits, an SI prefix and a unit, for pointer read-outs:
// FormatReading(-0.0123, "V") -> "-12.3 mV", FormatReading(1.28e-6, "s") -> "1.28 us".
std::string FormatReading(double x, const char* unit);

// A value with a fixed number of decimals, "." as decimal point: FormatFixed(-3.14159, 1) ->
// "-3.1". Not a number gives "nan", infinities "inf" and "-inf".
std::string FormatFixed(double x, int decimals);

}  // namespace quorvane
