#include "numbers/field_reading.h"

#include "numbers/number_format.h"
#include "numbers/number_reading.h"

#include <string>

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

namespace {

// A complete regional number rebuilt as C writes it ("-1234.5"), or none.
std::optional<std::string> canonicalNumber(std::string_view text, const NumberStyle& style) {
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
    std::string canonical = (negative ? "-" : "") + (integerDigits.empty() ? "0" : integerDigits);
    if (!decimalDigits.empty()) {
        canonical += '.' + decimalDigits;
    }
    return canonical;
}

// A complete regional number followed by a decimal exponent ("1,5e-05"), as the plain rule
// writes very large and very small values, rebuilt as C writes it; or none.
std::optional<std::string> canonicalNumberWithExponent(std::string_view text,
                                                       const NumberStyle& style) {
    text = trimmed(text);
    const std::size_t marker = text.find_last_of("eE");
    if (marker == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view exponent = text.substr(marker + 1);
    std::string canonicalExponent = "e";
    if (!exponent.empty() && (exponent.front() == '-' || exponent.front() == '+')) {
        canonicalExponent += exponent.front();
        exponent.remove_prefix(1);
    }
    if (takeDigits(exponent, canonicalExponent) == 0 || !exponent.empty()) {
        return std::nullopt;
    }
    const std::string_view mantissa = text.substr(0, marker);
    if (mantissa.empty() || isBlank(mantissa.back())) {
        return std::nullopt;
    }
    auto canonical = canonicalNumber(mantissa, style);
    if (!canonical) {
        return std::nullopt;
    }
    return *canonical + canonicalExponent;
}

} // namespace

std::optional<double> parseLocaleNumber(std::string_view text, const NumberStyle& style) {
    const auto canonical = canonicalNumber(text, style);
    if (!canonical) {
        return std::nullopt;
    }
    // The C text is complete and in the leading-number reading's own form, which converts it
    // exactly and reads hundreds of digits as infinity or zero.
    return calc::parseLeadingNumber(*canonical);
}

double readFieldNumber(std::string_view text, const NumberStyle& style) {
    if (const auto value = parseLocaleNumber(text, style)) {
        return *value;
    }
    // What the program writes by the plain rule may carry an exponent; with a comma as decimal
    // separator the leading-number reading would stop at the comma and read a wrong number.
    if (const auto canonical = canonicalNumberWithExponent(text, style)) {
        return calc::parseLeadingNumber(*canonical);
    }
    return calc::parseLeadingNumber(text);
}

namespace {

// The whole text read with one set of separators, an exponent allowed; none when it is not.
std::optional<double> wholeNumber(std::string_view text, const NumberStyle& style) {
    std::optional<std::string> canonical = canonicalNumber(text, style);
    if (!canonical) {
        canonical = canonicalNumberWithExponent(text, style);
    }
    return canonical ? std::optional(calc::parseLeadingNumber(*canonical)) : std::nullopt;
}

} // namespace

TypedNumber readTypedNumber(std::string_view text, const NumberStyle& style) {
    const std::optional<double> regional = wholeNumber(text, style);
    std::optional<double> plain = wholeNumber(text, {".", ""});
    if (!plain) {
        plain = wholeNumber(text, {",", ""});
    }
    if (regional && plain && *regional != *plain) {
        return {std::nullopt, true, *regional, *plain};
    }
    if (regional || plain) {
        return {regional ? regional : plain, true};
    }
    return {calc::parseLeadingNumber(text), false};
}

std::string ambiguousNumberMessage(std::string_view text, std::string_view fieldName,
                                   const TypedNumber& number, const NumberStyle& style) {
    const std::string regional = formatPlain(number.regional, style);
    const std::string plain = formatPlain(number.plain, style);
    return "O número \"" + std::string(text) + "\" em " + std::string(fieldName) +
           " pode ser lido como " + regional + " ou como " + plain +
           ". Escreva-o sem separador de milhares: " + regional + " ou " + plain + ".";
}

} // namespace report
