#include "numbers/number_format.h"

#include "numbers/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace report {

namespace {

// Room for the 309 integer digits of the largest double, a sign and the decimals.
using DigitBuffer = std::array<char, 400>;

// Values without digits are written as the C library spells them.
std::optional<std::string> nonFiniteText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    return std::nullopt;
}

// True when the exact value lies halfway between two hundredths. Such a value has exactly
// three decimals, the last a 5; a double holds one only as an odd multiple of 1/8, which the
// scaling by 8 (exact) shows without any rounding.
bool isHalfwayBetweenHundredths(double magnitude) {
    if (magnitude >= 0x1p50) {
        return false;
    }
    const double eighths = magnitude * 8.0;
    return std::trunc(eighths) == eighths && std::fmod(eighths, 2.0) == 1.0;
}

std::string fixedDigits(double magnitude, int decimals) {
    DigitBuffer buffer; // written by the conversion, no need to clear it
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

// |value| rounded to two decimals, halves away from zero, as "1234.57". The library's fixed
// conversion is exact and correctly rounded, so it is right everywhere but on an exact half,
// where it would round to even; there the exact three-decimal text is rounded up by hand.
std::string hundredthsDigits(double magnitude) {
    if (!isHalfwayBetweenHundredths(magnitude)) {
        return fixedDigits(magnitude, 2);
    }
    // x.125, x.375, x.625 or x.875: the hundredths digit is 2, 3, 6 or 7, so adding one to it
    // never carries.
    std::string digits = fixedDigits(magnitude, 3);
    digits.pop_back();
    ++digits.back();
    return digits;
}

bool isGrouped(Pattern pattern) {
    return pattern == Pattern::Grouped || pattern == Pattern::WideGrouped;
}

} // namespace

std::string formatPattern(double value, Pattern pattern, const NumberStyle& style) {
    if (auto text = nonFiniteText(value)) {
        return *text;
    }
    const std::string digits = hundredthsDigits(std::fabs(value));
    const std::size_t point = digits.size() - 3; // two decimals
    const std::string_view integerPart = std::string_view(digits).substr(0, point);
    const std::string_view decimals = std::string_view(digits).substr(point + 1);

    std::string text;
    text.reserve(digits.size() + 8);
    if (value < 0) { // -0.0 is not below zero and prints as 0.00
        text += '-';
    }
    if (!isGrouped(pattern)) {
        text += integerPart;
    } else {
        for (std::size_t i = 0; i < integerPart.size(); ++i) {
            const std::size_t remaining = integerPart.size() - i;
            if (i > 0 && remaining % 3 == 0) {
                text += style.groupSeparator;
            }
            text += integerPart[i];
        }
    }
    text += effectiveDecimalSeparator(style);
    text += decimals;
    return text;
}

namespace {

std::string withRegionalPoint(std::string text, const NumberStyle& style) {
    if (const std::size_t point = text.find('.'); point != std::string::npos) {
        text.replace(point, 1, effectiveDecimalSeparator(style));
    }
    return text;
}

} // namespace

std::string formatFixed(double value, int decimals, const NumberStyle& style) {
    if (auto text = nonFiniteText(value)) {
        return *text;
    }
    // -0.0 is not below zero and prints without a sign.
    return withRegionalPoint((value < 0 ? "-" : "") + fixedDigits(std::fabs(value), decimals),
                             style);
}

std::string formatPlain(double value, const NumberStyle& style) {
    return withRegionalPoint(util::generalNumberText(value), style);
}

std::string formatExact(double value, const NumberStyle& style) {
    return withRegionalPoint(util::exactNumberText(value), style);
}

} // namespace report
