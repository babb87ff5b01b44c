#include "report/field_reading.h"

#include "calc/number_reading.h"
#include "report/number_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace report {
namespace {

const NumberStyle kEnglish{".", ","};
const NumberStyle kBrazilian{",", "."};

struct ReadingCase {
    const char* text;
    bool brazilian;
    std::optional<double> regional; // parseLocaleNumber
    double field;                   // readFieldNumber
};

class FieldReading : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(FieldReading, ReadsRegionalNumbersFirstThenTheLeadingNumber) {
    const ReadingCase& c = GetParam();
    const NumberStyle& style = c.brazilian ? kBrazilian : kEnglish;
    EXPECT_EQ(parseLocaleNumber(c.text, style), c.regional) << '"' << c.text << '"';
    EXPECT_EQ(readFieldNumber(c.text, style), c.field) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    English, FieldReading,
    ::testing::Values(
        ReadingCase{"1,234.00", false, 1234, 1234}, ReadingCase{"2.5", false, 2.5, 2.5},
        ReadingCase{" 12 ", false, 12, 12},
        ReadingCase{"\t-1,234,567.5 ", false, -1234567.5, -1234567.5},
        ReadingCase{"+3", false, 3, 3}, ReadingCase{".5", false, 0.5, 0.5},
        ReadingCase{"7.", false, 7, 7}, ReadingCase{"1234567", false, 1234567, 1234567},
        // Not complete regional numbers: the leading reading decides.
        ReadingCase{"1,2345", false, std::nullopt, 1},
        ReadingCase{"1234,567", false, std::nullopt, 1234},
        ReadingCase{",123", false, std::nullopt, 0}, ReadingCase{"1,23", false, std::nullopt, 1},
        ReadingCase{"1,234.5.6", false, std::nullopt, 1},
        ReadingCase{"1e3", false, std::nullopt, 1000}, ReadingCase{"1 2", false, std::nullopt, 12},
        ReadingCase{"12abc", false, std::nullopt, 12}, ReadingCase{"", false, std::nullopt, 0},
        ReadingCase{"   ", false, std::nullopt, 0}, ReadingCase{"-", false, std::nullopt, 0},
        ReadingCase{".", false, std::nullopt, 0}));

INSTANTIATE_TEST_SUITE_P(
    Brazilian, FieldReading,
    ::testing::Values(ReadingCase{"2,5", true, 2.5, 2.5}, ReadingCase{"1.234,00", true, 1234, 1234},
                      ReadingCase{" -0,75 ", true, -0.75, -0.75},
                      ReadingCase{"1.234.567,89", true, 1234567.89, 1234567.89},
                      // By regional rules a period takes three digits after it; "2.5" is no
                      // Brazilian number and reads as the leading number does.
                      ReadingCase{"2.5", true, std::nullopt, 2.5},
                      ReadingCase{"0.083333333333", true, std::nullopt, 0.083333333333},
                      ReadingCase{"1.5e3", true, std::nullopt, 1500},
                      // The one text both readings take, differently: regional rules win.
                      ReadingCase{"1.234", true, 1234, 1234},
                      ReadingCase{"1,2,3", true, std::nullopt, 1}));

TEST(FieldReading, HundredsOfDigitsReadAsTheirLimits) {
    const std::string huge = "1" + std::string(400, '0');
    EXPECT_EQ(parseLocaleNumber(huge, kEnglish), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseLocaleNumber("-" + huge, kEnglish), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseLocaleNumber("0." + std::string(400, '0') + "1", kEnglish), 0.0);
}

// Every text the leading-number reading reads completely reads the same, under both styles
// (the Brazilian exception being "1.234", above).
TEST(FieldReading, AgreesWithTheLeadingNumberWhereThatIsRight) {
    for (const char* text : {"0", "7", "-3", "+4", "2.5", "-0.5", ".25", "100.5", "0.083333333333",
                             "1e3", "1.5E-2", " 4 2 ", "1234567.125", "", "abc"}) {
        const double leading = calc::parseLeadingNumber(text);
        EXPECT_EQ(readFieldNumber(text, kEnglish), leading) << '"' << text << '"';
        EXPECT_EQ(readFieldNumber(text, kBrazilian), leading) << '"' << text << '"';
    }
}

// What the window wrote into a field reads back as the number the text shows.
TEST(FieldReading, WhatTheFormatWroteReadsBackAsItsValue) {
    for (const double value :
         {0.0, 0.5, 2.5, 2.675, 999.995, 1234.5, -1234.56, 999999.99, 1e9 + 0.25, 12345678.9}) {
        const double shown =
            calc::parseLeadingNumber(formatPattern(value, Pattern::Plain3, kEnglish));
        for (const NumberStyle& style : {kEnglish, kBrazilian}) {
            for (const Pattern pattern : {Pattern::Grouped, Pattern::Plain3}) {
                const std::string text = formatPattern(value, pattern, style);
                EXPECT_EQ(readFieldNumber(text, style), shown) << '"' << text << '"';
            }
        }
    }
}

} // namespace
} // namespace report
