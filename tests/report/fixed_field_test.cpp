#include "report/fixed_field.h"

#include "report/utf8.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace report {
namespace {

TEST(FixedField, WidthsCountCharactersNotBytes) {
    EXPECT_EQ(characterCount("Área de drenagem: "), 18u);
    EXPECT_EQ(characterCount(" m³/s.mm"), 8u);
    EXPECT_EQ(characterCount("€"), 1u);
    EXPECT_EQ(characterCount("\xF0\x9F\x98\x80"), 1u); // one character outside the BMP
    EXPECT_EQ(characterCount("a\xFF\xC3"), 3u) << "a stray byte is one character";
    EXPECT_EQ(alignRight("Área de drenagem: ", 28), std::string(10, ' ') + "Área de drenagem: ");
    EXPECT_EQ(alignLeft(" km²", 8), " km²    ");
    EXPECT_EQ(alignRight("longer than five", 5), "longer than five");
}

struct FitCase {
    const char* text;
    std::size_t width;
    const char* separator;
    const char* field;
};

void PrintTo(const FitCase& c, std::ostream* out) {
    *out << '"' << c.text << "\" in " << c.width;
}

class ValueTooWide : public ::testing::TestWithParam<FitCase> {};

// Decimals go first, then a separator left at the end; integer digits and exponents never go,
// so a value too wide even without decimals widens its field.
TEST_P(ValueTooWide, DropsDecimalsOnlyAndNeverIntegerDigits) {
    const FitCase& c = GetParam();
    EXPECT_EQ(alignRight(fitValueText(c.text, c.width, c.separator), c.width), c.field);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValueTooWide,
    ::testing::Values(FitCase{"12.5", 3, ".", " 12"}, FitCase{"125.00", 5, ".", "125.0"},
                      FitCase{"0.083333333333", 7, ".", "0.08333"},
                      FitCase{"0.083333333333", 5, ".", "0.083"}, FitCase{"1000", 3, ".", "1000"},
                      FitCase{"100", 3, ".", "100"}, FitCase{"12.50", 5, ".", "12.50"},
                      FitCase{"2.50", 5, ".", " 2.50"}, FitCase{"-123.45", 3, ".", "-123"},
                      FitCase{"123456.78", 7, ".", " 123456"},
                      FitCase{"12345678.90", 7, ".", "12345678"},
                      FitCase{"1.23456789012346e+20", 7, ".", "1.2e+20"},
                      FitCase{"1.5e+20", 5, ".", "1e+20"}, FitCase{"1e+300", 5, ".", "1e+300"},
                      FitCase{"-inf", 3, ".", "-inf"}, FitCase{"nan", 7, ".", "    nan"},
                      FitCase{"125,00", 5, ",", "125,0"}, FitCase{"125.00", 5, ",", "125.00"},
                      FitCase{"125\u066B00", 5, "\u066B", "125\u066B0"}));

TEST(FixedField, AnEmptyEntryIsAFieldOfBlanks) {
    const NumberStyle style;
    const auto format = [](double, const NumberStyle&) { return std::string("0.00"); };
    EXPECT_EQ(valueField(std::nullopt, 7, format, style), "       ");
    EXPECT_EQ(valueField(0.0, 7, format, style), "   0.00");
}

} // namespace
} // namespace report
