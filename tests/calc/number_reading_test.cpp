#include "calc/number_reading.h"
#include "tests/calc/case_name.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace calc {
namespace {

struct ReadingCase {
    // Shown by name in test listings.
    friend void PrintTo(const ReadingCase& row, std::ostream* out) { *out << row.name; }
    const char* name;
    std::string text;
    double expected;
};

class LeadingNumber : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(LeadingNumber, ReadsTheNumberAtTheStart) {
    EXPECT_EQ(parseLeadingNumber(GetParam().text), GetParam().expected)
        << "text: \"" << GetParam().text << "\"";
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Plain, LeadingNumber,
    ::testing::Values(ReadingCase{"Integer", "42", 42}, ReadingCase{"Decimal", "2.5", 2.5},
                      ReadingCase{"LeadingPeriod", ".5", 0.5},
                      ReadingCase{"TrailingPeriod", "5.", 5}, ReadingCase{"Plus", "+7", 7},
                      ReadingCase{"Minus", "-7.25", -7.25}, ReadingCase{"LeadingZeros", "007", 7},
                      ReadingCase{"ManyDigits", "0.083333333333", 0.083333333333}),
    fixtures::CaseName());

INSTANTIATE_TEST_SUITE_P(Blanks, LeadingNumber,
                         ::testing::Values(ReadingCase{"Around", "  12  ", 12},
                                           ReadingCase{"BetweenDigits", "1 2 3", 123},
                                           ReadingCase{"AfterSign", "- 5", -5},
                                           ReadingCase{"TabsAndLineFeeds", "\t1\n.\t5\n", 1.5},
                                           ReadingCase{"InsideExponent", "1 e - 2", 0.01},
                                           ReadingCase{"CarriageReturnEnds", "1\r2", 1}),
                         fixtures::CaseName());

INSTANTIATE_TEST_SUITE_P(Stops, LeadingNumber,
                         ::testing::Values(ReadingCase{"CommaEnds", "1,5", 1},
                                           ReadingCase{"GroupedThousands", "1,234.00", 1},
                                           ReadingCase{"SecondPeriod", "1.2.3", 1.2},
                                           ReadingCase{"Letters", "12abc", 12},
                                           ReadingCase{"SecondSign", "+-1", 0},
                                           ReadingCase{"SignAfterDigits", "5-3", 5}),
                         fixtures::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Exponent, LeadingNumber,
    ::testing::Values(
        ReadingCase{"Upper", "1E3", 1000}, ReadingCase{"Lower", "1e3", 1000},
        ReadingCase{"Negative", "25e-1", 2.5}, ReadingCase{"ExplicitPlus", "2E+2", 200},
        ReadingCase{"ExponentLeadingZeros", "1e0005", 1e5}, ReadingCase{"WithoutDigits", "1e", 1},
        ReadingCase{"SignWithoutDigits", "1e+", 1}, ReadingCase{"NoMantissa", "e5", 0},
        ReadingCase{"PeriodOnlyMantissa", ".e5", 0}, ReadingCase{"Overflow", "1e400", kInf},
        ReadingCase{"NegativeOverflow", "-1e400", -kInf},
        ReadingCase{"HugeExponent", "1e99999999999999999999", kInf},
        ReadingCase{"Underflow", "1e-400", 0},
        ReadingCase{"ManyDigitsTimesSmallExponent", "1" + std::string(400, '0') + "e-10", kInf},
        ReadingCase{"TinyWithoutExponent", "0." + std::string(400, '0') + "1", 0},
        ReadingCase{"ZeroTimesHugeExponent", "0e400", 0}),
    fixtures::CaseName());

INSTANTIATE_TEST_SUITE_P(
    NoNumber, LeadingNumber,
    ::testing::Values(ReadingCase{"Empty", "", 0}, ReadingCase{"Blanks", "   ", 0},
                      ReadingCase{"Word", "abc", 0}, ReadingCase{"SignOnly", "-", 0},
                      ReadingCase{"PeriodOnly", ".", 0}, ReadingCase{"Comma", ",5", 0},
                      ReadingCase{"HexPrefix", "&H10", 0}, ReadingCase{"Infinity", "inf", 0},
                      ReadingCase{"NaN", "nan", 0}),
    fixtures::CaseName());

TEST(LeadingNumber, NegativeZeroKeepsItsSign) {
    EXPECT_TRUE(std::signbit(parseLeadingNumber("-0")));
}

} // namespace
} // namespace calc
