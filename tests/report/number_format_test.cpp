#include "report/number_format.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <limits>
#include <ostream>
#include <string>

namespace report {
namespace {

const NumberStyle kEnglish{".", ","};
const NumberStyle kBrazilian{",", "."};
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Case {
    double value;
    const char* english;
    const char* brazilian = nullptr;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << std::setprecision(17) << c.value;
}

class TwoDecimals : public ::testing::TestWithParam<Case> {};

// Rounding is of the double's exact value, halves away from zero: only values a double holds
// exactly at a half (odd multiples of 1/8) round up; 2.675 and its kind lie just below.
TEST_P(TwoDecimals, RoundsTheExactValueHalvesAwayFromZero) {
    EXPECT_EQ(formatPattern(GetParam().value, Pattern::Plain3, kEnglish), GetParam().english);
    EXPECT_EQ(formatPattern(GetParam().value, Pattern::Plain2, kEnglish), GetParam().english);
}

INSTANTIATE_TEST_SUITE_P(
    Values, TwoDecimals,
    ::testing::Values(
        Case{0.0, "0.00"}, Case{-0.0, "0.00"}, Case{0.125, "0.13"}, Case{0.375, "0.38"},
        Case{0.625, "0.63"}, Case{0.875, "0.88"}, Case{2.675, "2.67"}, Case{1.005, "1.00"},
        Case{0.285, "0.28"}, Case{8.345, "8.35"}, Case{0.005, "0.01"}, Case{0.015, "0.01"},
        Case{99.995, "100.00"}, Case{9.995, "9.99"}, Case{0.1 + 0.2, "0.30"}, Case{-0.125, "-0.13"},
        Case{-2.675, "-2.67"}, Case{-0.001, "-0.00"}, Case{-99.995, "-100.00"},
        Case{562949953421312.125, "562949953421312.13"}, // the last exact eighths
        Case{1125899906842624.25, "1125899906842624.25"}, Case{0x1p70, "1180591620717411303424.00"},
        Case{1234567.5, "1234567.50"}, Case{kNaN, "nan"}, Case{-kNaN, "nan"}, Case{kInf, "inf"},
        Case{-kInf, "-inf"}));

class Grouped : public ::testing::TestWithParam<Case> {};

TEST_P(Grouped, GroupsThousandsWithTheRegionalSeparators) {
    for (const Pattern pattern : {Pattern::Grouped, Pattern::WideGrouped}) {
        EXPECT_EQ(formatPattern(GetParam().value, pattern, kEnglish), GetParam().english);
        EXPECT_EQ(formatPattern(GetParam().value, pattern, kBrazilian), GetParam().brazilian);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, Grouped,
                         ::testing::Values(Case{0.5, "0.50", "0,50"},
                                           Case{999.994, "999.99", "999,99"},
                                           Case{999.995, "1,000.00", "1.000,00"},
                                           Case{2160, "2,160.00", "2.160,00"},
                                           Case{-1234567.891, "-1,234,567.89", "-1.234.567,89"},
                                           Case{0x1p70, "1,180,591,620,717,411,303,424.00",
                                                "1.180.591.620.717.411.303.424,00"}));

TEST(NumberFormat, SeparatorsAreTextAndNeverEmpty) {
    EXPECT_EQ(formatPattern(1234567.5, Pattern::Grouped, {",", "\u00A0"}),
              "1\u00A0234\u00A0567,50");
    EXPECT_EQ(formatPattern(1234567.5, Pattern::Plain2, kBrazilian), "1234567,50");
    // An empty decimal separator would glue the digits into another number.
    EXPECT_EQ(formatPattern(12.5, Pattern::Plain3, {"", ","}), "12.50");
}

TEST(NumberFormat, HugeAndTinyValuesAreWrittenExactly) {
    const std::string largest =
        formatPattern(-std::numeric_limits<double>::max(), Pattern::Plain3, kEnglish);
    EXPECT_EQ(largest.size(), 1 + 309 + 3u);
    EXPECT_EQ(largest.substr(0, 18), "-17976931348623157");
    EXPECT_EQ(formatPattern(1e300, Pattern::Grouped, kEnglish).size(), 301 + 100 + 3u);
    EXPECT_EQ(formatPattern(std::numeric_limits<double>::denorm_min(), Pattern::Plain3, kEnglish),
              "0.00");
}

class Plain : public ::testing::TestWithParam<Case> {};

// C's "%.15g" with the regional decimal separator.
TEST_P(Plain, WritesFifteenSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(formatPlain(GetParam().value, kEnglish), GetParam().english);
    EXPECT_EQ(formatPlain(GetParam().value, kBrazilian), GetParam().brazilian);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Plain,
    ::testing::Values(Case{100, "100", "100"}, Case{72.5, "72.5", "72,5"},
                      Case{1234567, "1234567", "1234567"},
                      Case{15 * 0.083333333333, "1.249999999995", "1,249999999995"},
                      Case{1.0 / 3.0, "0.333333333333333", "0,333333333333333"},
                      Case{0.1 + 0.2, "0.3", "0,3"}, Case{-4.1, "-4.1", "-4,1"},
                      Case{1.5e20, "1.5e+20", "1,5e+20"}, Case{1e-5, "1e-05", "1e-05"},
                      Case{kInf, "inf", "inf"}, Case{kNaN, "nan", "nan"}));

} // namespace
} // namespace report
