// Number reading: the leading-number reading of every input field, the complete regional
// reading, and the two together as a field reads them, against plain references; and every
// text the program writes reads back as the number it shows.
#include "calc/number_reading.h"
#include "fuzz/fuzz_bytes.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/number_styles.h"
#include "report/field_reading.h"
#include "report/number_format.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The leading number by the documented rule, read by strtod: blanks anywhere are dropped, then
// the longest prefix [+-]digits[.digits][(e|E)[+-]digits] with at least one mantissa digit.
double referenceLeadingNumber(std::string_view text) {
    std::string squeezed;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            squeezed += c;
        }
    }
    std::size_t end = 0;
    if (end < squeezed.size() && (squeezed[end] == '+' || squeezed[end] == '-')) {
        ++end;
    }
    std::size_t digits = 0;
    while (end < squeezed.size() && isDigit(squeezed[end])) {
        ++end;
        ++digits;
    }
    if (end < squeezed.size() && squeezed[end] == '.') {
        ++end;
        while (end < squeezed.size() && isDigit(squeezed[end])) {
            ++end;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (end < squeezed.size() && (squeezed[end] == 'e' || squeezed[end] == 'E')) {
        std::size_t exponentEnd = end + 1;
        if (exponentEnd < squeezed.size() &&
            (squeezed[exponentEnd] == '+' || squeezed[exponentEnd] == '-')) {
            ++exponentEnd;
        }
        const std::size_t firstDigit = exponentEnd;
        while (exponentEnd < squeezed.size() && isDigit(squeezed[exponentEnd])) {
            ++exponentEnd;
        }
        if (exponentEnd > firstDigit) {
            end = exponentEnd;
        }
    }
    const std::string prefix = squeezed.substr(0, end);
    return std::strtod(prefix.c_str(), nullptr);
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return text;
    }
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// A regional text as C writes it: group separators out, the decimal separator a period.
std::string cText(std::string_view text, const report::NumberStyle& style) {
    return replaced(replaced(std::string(text), style.groupSeparator, ""), style.decimalSeparator,
                    ".");
}

// A complete regional number followed by an exponent, as the plain rule writes large and small
// values: the value its C text has; none for any other text.
std::optional<double> regionalWithExponent(std::string_view text,
                                           const report::NumberStyle& style) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    const std::size_t marker = text.find_last_of("eE");
    if (marker == std::string_view::npos || marker == 0 || blank(text[marker - 1])) {
        return std::nullopt;
    }
    std::string_view exponent = text.substr(marker + 1);
    if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-')) {
        exponent.remove_prefix(1);
    }
    if (exponent.empty() || exponent.find_first_not_of("0123456789") != std::string_view::npos ||
        !report::parseLocaleNumber(text.substr(0, marker), style)) {
        return std::nullopt;
    }
    return std::strtod(cText(text, style).c_str(), nullptr);
}

bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// |value| rounded to hundredths, halves away from zero, from its exact decimal expansion
// (1100 decimals hold every double exactly): up exactly when the third decimal is 5 or more.
std::string referenceHundredths(double magnitude) {
    std::vector<char> buffer(1500);
    std::snprintf(buffer.data(), buffer.size(), "%.1100f", magnitude);
    const std::string exact(buffer.data());
    const std::size_t point = exact.find('.');
    std::string digits = exact.substr(0, point) + exact.substr(point + 1, 2);
    if (exact[point + 3] >= '5') {
        std::size_t at = digits.size();
        while (at > 0 && digits[at - 1] == '9') {
            digits[--at] = '0';
        }
        if (at == 0) {
            digits.insert(0, "1");
        } else {
            ++digits[at - 1];
        }
    }
    return digits; // the two decimals are the last two digits
}

std::string referencePattern(double value, bool grouped, const report::NumberStyle& style) {
    const std::string digits = referenceHundredths(std::fabs(value));
    const std::string integer = digits.substr(0, digits.size() - 2);
    std::string text = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (grouped && i > 0 && (integer.size() - i) % 3 == 0) {
            text += style.groupSeparator;
        }
        text += integer[i];
    }
    return text + style.decimalSeparator + digits.substr(digits.size() - 2);
}

void checkFormatting(double value, const report::NumberStyle& style) {
    using report::Pattern;
    FUZZ_CHECK(report::formatPattern(value, Pattern::Grouped, style) ==
                       referencePattern(value, true, style) &&
                   report::formatPattern(value, Pattern::WideGrouped, style) ==
                       referencePattern(value, true, style),
               "a grouped pattern shows the exact value rounded half away from zero");
    FUZZ_CHECK(report::formatPattern(value, Pattern::Plain3, style) ==
                       referencePattern(value, false, style) &&
                   report::formatPattern(value, Pattern::Plain2, style) ==
                       referencePattern(value, false, style),
               "a plain pattern shows the exact value rounded half away from zero");
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.15g", value);
    FUZZ_CHECK(report::formatPlain(value, style) ==
                   replaced(buffer.data(), ".", style.decimalSeparator),
               "the plain rule is %.15g with the regional separator");
}

void checkReadBack(double value, const report::NumberStyle& style) {
    if (!std::isfinite(value)) {
        return;
    }
    checkFormatting(value, style);
    for (const auto pattern : {report::Pattern::Grouped, report::Pattern::WideGrouped,
                               report::Pattern::Plain3, report::Pattern::Plain2}) {
        const std::string text = report::formatPattern(value, pattern, style);
        const double expected = std::strtod(cText(text, style).c_str(), nullptr);
        FUZZ_CHECK(same(report::readFieldNumber(text, style), expected),
                   "a pattern text reads back as the number it shows");
    }
    const std::string plain = report::formatPlain(value, style);
    const double expected = std::strtod(cText(plain, style).c_str(), nullptr);
    FUZZ_CHECK(same(report::readFieldNumber(plain, style), expected),
               "a plain text reads back as the number it shows");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zebfuzz::ByteReader in(data, size);
    const report::NumberStyle& style = zebfuzz::numberStyle(in.byte());
    const std::string_view text = in.rest();

    const double leading = calc::parseLeadingNumber(text);
    FUZZ_CHECK(!std::isnan(leading), "the leading-number reading never gives NaN");
    FUZZ_CHECK(same(leading, referenceLeadingNumber(text)),
               "the leading-number reading agrees with strtod on the same prefix");

    const auto complete = report::parseLocaleNumber(text, style);
    if (complete) {
        FUZZ_CHECK(!std::isnan(*complete), "a regional number is never NaN");
        const double expected = std::strtod(cText(text, style).c_str(), nullptr);
        FUZZ_CHECK(same(*complete, expected), "a regional number reads as its digits say");
    }
    const double field = report::readFieldNumber(text, style);
    const auto withExponent = regionalWithExponent(text, style);
    FUZZ_CHECK(same(field, complete       ? *complete
                           : withExponent ? *withExponent
                                          : leading),
               "a field reads the regional number (with an exponent), else the leading number");

    if (text.size() >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, text.data(), sizeof value);
        checkReadBack(value, style);
    }
    checkReadBack(leading, style);
    return 0;
}
