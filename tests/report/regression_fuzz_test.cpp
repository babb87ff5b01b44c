// Faults the fuzz targets found in the report layer, each kept as a case here.
#include "report/field_reading.h"
#include "report/number_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace report {
namespace {

const NumberStyle kEnglish{".", ","};
const NumberStyle kBrazilian{",", "."};

double cNumber(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The plain rule writes very large and very small values with an exponent ("1,5e-05" under
// Brazilian settings); the field read such a text back as the leading number, 1.
TEST(FuzzRegression, PlainTextsWithAnExponentReadBackAsWritten) {
    double denormal = 0;
    const unsigned char bits[8] = {0, 0x0a, 0x20, 0x7f, 0, 0, 0, 0}; // the input that found it
    std::memcpy(&denormal, bits, sizeof denormal);
    for (const double value : {1.5e-05, 2.5e20, -7.25e-300, denormal, 1e15, 1e16}) {
        for (const NumberStyle& style : {kEnglish, kBrazilian}) {
            const std::string text = formatPlain(value, style);
            EXPECT_EQ(readFieldNumber(text, style), cNumber(formatPlain(value, kEnglish))) << text;
        }
    }
    EXPECT_EQ(readFieldNumber(" 1.234,5e3 ", kBrazilian), 1234500.0);
    EXPECT_EQ(readFieldNumber("2,5E+2", kBrazilian), 250.0);
    // Only a complete number before the exponent counts; the rest reads as before.
    EXPECT_EQ(readFieldNumber("2,5e", kBrazilian), 2.0);
    EXPECT_EQ(readFieldNumber("2,5 e3", kBrazilian), 2.0);
    EXPECT_EQ(readFieldNumber("2,5e3x", kBrazilian), 2.0);
    EXPECT_EQ(readFieldNumber("1e99999", kEnglish), std::numeric_limits<double>::infinity());
    // A complete regional number itself has no exponent: leaving a field keeps such a text.
    EXPECT_EQ(parseLocaleNumber("2,5e3", kBrazilian), std::nullopt);
}

} // namespace
} // namespace report
