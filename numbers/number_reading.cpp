#include "numbers/number_reading.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace calc {

namespace {

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n';
}

constexpr long long kExponentCap = 1'000'000'000;

bool isDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// Whether `ch` is a sign, of the mantissa or of the exponent; if so, it sets `negative`.
bool takeSign(char ch, bool& negative) {
    if (ch != '+' && ch != '-') {
        return false;
    }
    negative = ch == '-';
    return true;
}

} // namespace

double parseLeadingNumber(std::string_view text) {
    // Gather the number's characters with the blanks taken out, then convert them in one go.
    // The sign is kept apart: the conversion takes digits only.
    bool negative = false;
    std::string mantissa;
    bool exponentDigitSeen = false;
    bool periodSeen = false;
    bool mantissaDigitSeen = false;
    bool nonZeroDigitSeen = false;
    // Position of the decimal point relative to the first significant digit, to tell an
    // overflow from an underflow when the value is out of range.
    long long integerDigitsAfterLeadingZeros = 0;
    long long zerosAfterPointBeforeFirstDigit = 0;
    enum class Stage { Sign, Mantissa, ExponentSign, ExponentDigits } stage = Stage::Sign;
    bool exponentNegative = false;
    long long exponentValue = 0;

    for (const char ch : text) {
        if (isBlank(ch)) {
            continue;
        }
        if (stage == Stage::Sign) {
            stage = Stage::Mantissa;
            if (takeSign(ch, negative)) {
                continue;
            }
        }
        if (stage == Stage::Mantissa) {
            if (isDigit(ch)) {
                mantissa += ch;
                mantissaDigitSeen = true;
                if (ch != '0') {
                    nonZeroDigitSeen = true;
                }
                if (!periodSeen && nonZeroDigitSeen) {
                    ++integerDigitsAfterLeadingZeros;
                } else if (periodSeen && !nonZeroDigitSeen) {
                    ++zerosAfterPointBeforeFirstDigit;
                }
                continue;
            }
            if (ch == '.' && !periodSeen) {
                periodSeen = true;
                mantissa += ch;
                continue;
            }
            if ((ch == 'E' || ch == 'e') && mantissaDigitSeen) {
                stage = Stage::ExponentSign;
                continue;
            }
            break;
        }
        if (stage == Stage::ExponentSign) {
            stage = Stage::ExponentDigits;
            if (takeSign(ch, exponentNegative)) {
                continue;
            }
        }
        if (stage == Stage::ExponentDigits && isDigit(ch)) {
            exponentDigitSeen = true;
            // Saturates far beyond any double's exponent; only its side matters then.
            exponentValue = std::min(exponentValue * 10 + (ch - '0'), kExponentCap);
            continue;
        }
        break;
    }

    if (!mantissaDigitSeen) {
        return 0;
    }
    std::string digits = mantissa;
    if (exponentDigitSeen) {
        digits += exponentNegative ? "e-" : "e";
        digits += std::to_string(exponentValue);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too large for a double reads as infinity, too small as zero: the caller then sees a
        // value its formulas refuse or handle, never a wrong finite number. Out-of-range values
        // lie far from 1, so the side is told by the decimal magnitude alone.
        long long magnitude = integerDigitsAfterLeadingZeros > 0 ? integerDigitsAfterLeadingZeros
                                                                 : -zerosAfterPointBeforeFirstDigit;
        magnitude += exponentNegative ? -exponentValue : exponentValue;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::optional<double> parseCompleteNumber(std::string_view text) {
    std::string_view digits = text;
    // from_chars takes a minus sign but not a plus.
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (!digits.empty() && digits.front() == '-') {
            return std::nullopt;
        }
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    // Only digits, a period, an exponent and signs: from_chars also reads "inf" and "nan".
    for (const char ch : digits) {
        const bool allowed = (ch >= '0' && ch <= '9') || ch == '.' || ch == 'e' || ch == 'E' ||
                             ch == '-' || ch == '+';
        if (!allowed) {
            return std::nullopt;
        }
    }
    double value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] =
        std::from_chars(digits.data(), end, value, std::chars_format::general);
    if (error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace calc
