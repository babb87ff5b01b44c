#include "report/field_reading.h"

#include "calc/number_reading.h"
#include "report/fixed_field.h"

#include <charconv>
#include <limits>

namespace report {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Moves the digits at the start of the text into the canonical text; returns how many.
std::size_t takeDigits(std::string_view& text, std::string& canonical) {
    std::size_t count = 0;
    while (!text.empty() && isDigit(text.front())) {
        canonical += text.front();
        text.remove_prefix(1);
        ++count;
    }
    return count;
}

} // namespace

std::optional<double> parseLocaleNumber(std::string_view text, const NumberStyle& style) {
    text = trimmed(text);
    const std::string_view decimal = effectiveDecimalSeparator(style);
    const std::string_view group = style.groupSeparator;

    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::string integerDigits;
    const std::size_t leading = takeDigits(text, integerDigits);
    // Groups of three only after a leading group of one to three digits: "1,234", not "1234,567".
    if (!group.empty() && text.starts_with(group) && leading >= 1 && leading <= 3) {
        while (text.starts_with(group)) {
            text.remove_prefix(group.size());
            if (takeDigits(text, integerDigits) != 3) {
                return std::nullopt;
            }
        }
    }
    std::string decimalDigits;
    if (text.starts_with(decimal)) {
        text.remove_prefix(decimal.size());
        takeDigits(text, decimalDigits);
    }
    if (!text.empty() || (integerDigits.empty() && decimalDigits.empty())) {
        return std::nullopt;
    }

    // The number is rebuilt as "-1234.5" for the locale-independent conversion.
    std::string canonical = (negative ? "-" : "") + (integerDigits.empty() ? "0" : integerDigits);
    if (!decimalDigits.empty()) {
        canonical += '.' + decimalDigits;
    }
    double value = 0;
    const auto result = std::from_chars(canonical.data(), canonical.data() + canonical.size(),
                                        value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Hundreds of digits: beyond the largest double, or below the smallest.
        const bool huge = integerDigits.find_first_not_of('0') != std::string::npos;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -value : value;
    }
    if (result.ec != std::errc() || result.ptr != canonical.data() + canonical.size()) {
        return std::nullopt;
    }
    return value;
}

double readFieldNumber(std::string_view text, const NumberStyle& style) {
    if (const auto value = parseLocaleNumber(text, style)) {
        return *value;
    }
    return calc::parseLeadingNumber(text);
}

} // namespace report
