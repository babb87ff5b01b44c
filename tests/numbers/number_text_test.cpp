// Numbers as the report, the grid and the input fields show them, and read them back; the
// locale-independent texts of the machine-readable outputs.
#include "numbers/field_reading.h"
#include "numbers/number_format.h"
#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

namespace report {
namespace {

const NumberStyle kEnglish{".", ","};
const NumberStyle kBrazilian{",", "."};
constexpr double kInf = std::numeric_limits<double>::infinity();

// The double's exact value rounded to hundredths, halves away from zero: only odd multiples of
// 1/8 lie exactly on a half; 2.675 and its kind lie just below it.
TEST(NumberFormat, TwoDecimalsRoundTheExactValueHalvesAwayFromZero) {
    // clang-format off
    const std::pair<double, const char*> rows[] = {
        {0.0, "0.00"}, {-0.0, "0.00"}, {0.125, "0.13"}, {0.375, "0.38"}, {0.625, "0.63"},
        {0.875, "0.88"}, {2.675, "2.67"}, {1.005, "1.00"}, {8.345, "8.35"}, {0.005, "0.01"},
        {99.995, "100.00"}, {9.995, "9.99"}, {-0.125, "-0.13"}, {-0.001, "-0.00"},
        {562949953421312.125, "562949953421312.13"}, {1125899906842624.25, "1125899906842624.25"},
        {0x1p70, "1180591620717411303424.00"}, {std::nan(""), "nan"}, {-kInf, "-inf"}};
    // clang-format on
    for (const auto& [value, expected] : rows) {
        EXPECT_EQ(formatPattern(value, Pattern::Plain3, kEnglish), expected);
        EXPECT_EQ(formatPattern(value, Pattern::Plain2, kEnglish), expected);
    }
    EXPECT_EQ(formatPattern(12.5, Pattern::Plain3, {"", ","}), "12.50") << "never glue digits";
}

TEST(NumberFormat, GroupedPatternsUseTheRegionalSeparators) {
    // clang-format off
    const std::tuple<double, const char*, const char*> rows[] = {
        {999.994, "999.99", "999,99"}, {999.995, "1,000.00", "1.000,00"},
        {-1234567.891, "-1,234,567.89", "-1.234.567,89"}};
    // clang-format on
    for (const auto& [value, english, brazilian] : rows) {
        for (const Pattern pattern : {Pattern::Grouped, Pattern::WideGrouped}) {
            EXPECT_EQ(formatPattern(value, pattern, kEnglish), english);
            EXPECT_EQ(formatPattern(value, pattern, kBrazilian), brazilian);
        }
    }
    EXPECT_EQ(formatPattern(1234567.5, Pattern::Grouped, {",", "\u00A0"}),
              "1\u00A0234\u00A0567,50");
}

TEST(NumberFormat, PlainIsFifteenSignificantDigitsWithTheRegionalSeparator) {
    // clang-format off
    const std::tuple<double, const char*, const char*> rows[] = {
        {100, "100", "100"}, {72.5, "72.5", "72,5"},
        {15 * 0.083333333333, "1.249999999995", "1,249999999995"},
        {1.0 / 3.0, "0.333333333333333", "0,333333333333333"}, {1.5e20, "1.5e+20", "1,5e+20"},
        {1e-5, "1e-05", "1e-05"}, {-0.0, "0", "0"}, {kInf, "inf", "inf"}};
    // clang-format on
    for (const auto& [value, english, brazilian] : rows) {
        EXPECT_EQ(formatPlain(value, kEnglish), english);
        EXPECT_EQ(formatPlain(value, kBrazilian), brazilian);
    }
    // Fixed decimals: the library's rounding, halves to even, and no sign on zero.
    EXPECT_EQ(formatFixed(1122.82523, 4, kBrazilian), "1122,8252");
    EXPECT_EQ(formatFixed(-0.25, 1, kEnglish), "-0.2");
    EXPECT_EQ(formatFixed(-0.0, 3, kEnglish), "0.000");
}

TEST(FieldReading, RegionalNumbersFirstThenTheLeadingNumber) {
    // clang-format off
    const std::tuple<const char*, const NumberStyle*, double> rows[] = {
        {"1,234.00", &kEnglish, 1234}, {"\t-1,234,567.5 ", &kEnglish, -1234567.5},
        {"1234,567", &kEnglish, 1234}, {"1,23", &kEnglish, 1}, {"1e3", &kEnglish, 1000},
        {"12abc", &kEnglish, 12}, {"2,5", &kBrazilian, 2.5},
        {"1.234.567,89", &kBrazilian, 1234567.89}, {"2.5", &kBrazilian, 2.5},
        {"0.083333333333", &kBrazilian, 0.083333333333}, {"1,2,3", &kBrazilian, 1},
        {" 1.234,5e3 ", &kBrazilian, 1234500}, {"2,5E+2", &kBrazilian, 250},
        {"2,5 e3", &kBrazilian, 2}, {"", &kBrazilian, 0}};
    // clang-format on
    for (const auto& [text, style, expected] : rows) {
        EXPECT_EQ(readFieldNumber(text, *style), expected) << '"' << text << '"';
    }
    EXPECT_EQ(parseLocaleNumber("1" + std::string(400, '0'), kEnglish), kInf);
}

// Each text under C (no grouping), en_US and pt_BR: its value; "?R/P" when the two complete
// readings disagree (regional R, plain P) and nothing is read; "~V" when neither reads the
// whole text and the leading number V is taken.
TEST(FieldReading, TypedNumbersAreNeverReadInAMeaningTheUserMayNotHaveMeant) {
    const NumberStyle styles[] = {{".", ""}, kEnglish, kBrazilian};
    // clang-format off
    const std::array<const char*, 4> rows[] = {
        {"0.200", "0.2", "0.2", "?200/0.2"},       {"1.416", "1.416", "1.416", "?1416/1.416"},
        {"1.000", "1", "1", "?1000/1"},            {"1.250,00", "~1.25", "~1.25", "1250"},
        {"2,5", "2.5", "2.5", "2.5"},              {"2.5", "2.5", "2.5", "2.5"},
        {"-0.5", "-0.5", "-0.5", "-0.5"},          {"1e3", "1000", "1000", "1000"},
        {"abc", "~0", "~0", "~0"},                 {"", "~0", "~0", "~0"},
        {"0,313", "0.313", "?313/0.313", "0.313"}, {" 1,000 ", "1", "?1000/1", "1"}};
    // clang-format on
    for (const auto& row : rows) {
        for (int i = 0; i < 3; ++i) {
            const TypedNumber read = readTypedNumber(row[0], styles[i]);
            const std::string expected = row[i + 1];
            const std::string got =
                !read.value ? "?" + util::exactNumberText(read.regional) + "/" +
                                  util::exactNumberText(read.plain)
                            : (read.whole ? "" : "~") + util::exactNumberText(*read.value);
            EXPECT_EQ(got, expected) << '"' << row[0] << "\" under style " << i;
        }
    }
}

TEST(NumberText, GeneralAndExactForms) {
    // clang-format off
    const std::tuple<double, const char*, const char*> rows[] = {
        {0.1, "0.1", "0.1"}, {1.0 / 3.0, "0.333333333333333", "0.3333333333333333"},
        {-0.04, "-0.04", "-0.04"}, {1.5e20, "1.5e+20", "1.5e+20"}, {-0.0, "0", "0"},
        {std::numeric_limits<double>::infinity(), "inf", "inf"}};
    // clang-format on
    for (const auto& [value, general, exact] : rows) {
        EXPECT_EQ(util::generalNumberText(value), general);
        EXPECT_EQ(util::exactNumberText(value), exact);
    }
}

} // namespace
} // namespace report
