#include "plot/PlotNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot/SpectrumPlot.h"
#include "plot/TimePlot.h"

namespace quorvane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

struct TextCase {
    double x;
    const char* expected;
};

TEST(FormatEng, PrefixesRoundingAndSigns) {
    const TextCase cases[] = {
        {0.002, " 2m"},     {5e-6, " 5u"},       {1, " 1"},           {1.25e-4, " 125u"},
        {999.6, " 1000"},   {0, " 0"},           {1.5, " 1.5"},       {9.96, " 10"},
        {1e12, " 1T"},      {2.5e13, " 25T"},    {999.9e9, " 1000G"}, {1e9, " 1G"},
        {1e6, " 1M"},       {1000, " 1k"},       {999.4, " 999"},     {0.001, " 1m"},
        {9.99e-4, " 999u"}, {1e-6, " 1u"},       {1e-9, " 1n"},       {1e-12, " 1p"},
        {1e-15, " 1f"},     {5e-14, " 50f"},     {9e-16, " 0"},       {1e-18, " 0"},
        {-0.5, "-.5"},      {-0.26, "-.3"},      {-1234, "-1234"},    {-0.002, " 0"},
        {-2e6, "-2000000"}, {1e300, " 1E+288T"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(FormatEng(c.x), c.expected) << c.x;
}

TEST(FormatPlain, ShortestFormWithoutLeadingZero) {
    const TextCase cases[] = {
        {0.5, " .5"},
        {-0.5, "-.5"},
        {0, " 0"},
        {-0.0, " 0"},
        {20, " 20"},
        {9.9, " 9.9"},
        {0.1 + 0.2, " .3"},
        {1.0 / 3, " .333333333333333"},
        {123456789012345, " 123456789012345"},
        {1234.5, " 1234.5"},
        {1e-4, " .0001"},
        {1e15, " 1E+15"},
        {1.5e16, " 1.5E+16"},
        {1.2e-5, " 1.2E-05"},
        {-2.5e-7, "-2.5E-07"},
        {kInf, " inf"},
        {-kInf, "-inf"},
        {kNaN, " nan"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(FormatPlain(c.x), c.expected) << c.x;
}

TEST(RoundScale, OneTwoFiveSeriesWithLowerStepOnBoundaries) {
    struct Case {
        double x;
        double expected;
    };
    const Case cases[] = {
        {1, 1},          {1.3, 1},      {1.31, 2},      {3.5, 2},         {3.51, 5}, {7, 5},
        {7.01, 10},      {14, 10},      {14.5, 20},     {0.8, 1},         {0.79, 1}, {0.0215, 0.02},
        {4.64e-6, 5e-6}, {2.15e5, 2e5}, {1e-18, 1e-18}, {1.2e308, 1e308},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(RoundScale(c.x), c.expected, c.expected * 1e-12) << c.x;
    }
}

TEST(RoundScale, ValuesOutsideTheSeries) {
    for (const double x : {0.0, -1.0, kNaN})
        EXPECT_EQ(RoundScale(x), 0) << x;
    for (const double x : {kInf, 1.7e308, std::numeric_limits<double>::max()}) {
        EXPECT_EQ(RoundScale(x), kLargestScale) << x;
    }
}

TEST(FormatReading, ThreeSignificantDigitsWithPrefixAndUnit) {
    struct Case {
        double x;
        const char* unit;
        const char* expected;
    };
    const Case cases[] = {
        {-0.0123, "V", "-12.3 mV"}, {1.28e-6, "s", "1.28 us"},   {0, "V", "0 V"},
        {1e-3, "V", "1.00 mV"},     {999.96, "V", "1.00 kV"},    {0.5, "V", "500 mV"},
        {12345, "Hz", "12.3 kHz"},  {2.5e20, "V", "2.50E+20 V"}, {1e-20, "V", "1.00E-20 V"},
        {kInf, "V", "inf V"},       {-kInf, "V", "-inf V"},      {kNaN, "V", "nan V"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatReading(c.x, c.unit), c.expected) << c.x;
}

// What a screen reader hears for a label's value and for the plot scroll bars' positions.
TEST(PlotReadings, QuantitiesCarryTheirUnits) {
    struct Case {
        std::string text;
        const char* expected;
    };
    const Case cases[] = {
        {EngWithUnit(1.25e-6, "s"), "1.3 \u00B5s"},
        {EngWithUnit(0.02, "V"), "20 mV"},
        {EngWithUnit(1e-18, "V"), "0 V"},
        {EngWithUnit(2.5e13, "V"), "25 TV"},
        {TimeWindowText(0), "1.3 \u00B5s"},
        {TimeWindowText(6), "125 \u00B5s"},
        {SpanText(0), "0.2 MHz"},
        {SpanText(6), "20 MHz"},
        {CentreText(1), "0.1 MHz"},
        {CentreText(125), "12.5 MHz"},
        {CentreText(200), "20 MHz"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, c.expected);
}

TEST(FormatFixed, DecimalsAndSign) {
    EXPECT_EQ(FormatFixed(-3.14159, 1), "-3.1");
    EXPECT_EQ(FormatFixed(-0.04, 1), "0.0");
    EXPECT_EQ(FormatFixed(10.05, 3), "10.050");
    EXPECT_EQ(FormatFixed(2, 0), "2");
    EXPECT_EQ(FormatFixed(kNaN, 1), "nan");
}

}  // namespace
}  // namespace quorvane
