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

// The characters of a leading number, gathered with the blanks taken out and the sign kept
// apart (the conversion takes digits only), with what is needed to tell an overflow from an
// underflow when the value is out of range.
class LeadingNumberScan {
public:
    explicit LeadingNumberScan(std::string_view text) {
        for (const char ch : text) {
            if (!isBlank(ch) && !take(ch)) {
                break;
            }
        }
    }

    double value() const {
        if (!m_mantissaDigitSeen) {
            return 0;
        }
        std::string digits = m_mantissa;
        if (m_exponentDigitSeen) {
            digits += m_exponentNegative ? "e-" : "e";
            digits += std::to_string(m_exponentValue);
        }
        double value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        (void)end;
        if (error == std::errc::result_out_of_range) {
            value = outOfRangeValue();
        }
        return m_negative ? -value : value;
    }

private:
    enum class Stage { Sign, Mantissa, ExponentSign, ExponentDigits };

    // Whether `ch` belongs to the number.
    bool take(char ch) {
        if (m_stage == Stage::Sign) {
            m_stage = Stage::Mantissa;
            if (takeSign(ch, m_negative)) {
                return true;
            }
        }
        if (m_stage == Stage::Mantissa) {
            return takeMantissa(ch);
        }
        if (m_stage == Stage::ExponentSign) {
            m_stage = Stage::ExponentDigits;
            if (takeSign(ch, m_exponentNegative)) {
                return true;
            }
        }
        if (isDigit(ch)) {
            m_exponentDigitSeen = true;
            // Saturates far beyond any double's exponent; only its side matters then.
            m_exponentValue = std::min(m_exponentValue * 10 + (ch - '0'), kExponentCap);
            return true;
        }
        return false;
    }

    bool takeMantissa(char ch) {
        if (isDigit(ch)) {
            m_mantissa += ch;
            m_mantissaDigitSeen = true;
            m_nonZeroDigitSeen = m_nonZeroDigitSeen || ch != '0';
            if (!m_periodSeen && m_nonZeroDigitSeen) {
                ++m_integerDigitsAfterLeadingZeros;
            } else if (m_periodSeen && !m_nonZeroDigitSeen) {
                ++m_zerosAfterPointBeforeFirstDigit;
            }
            return true;
        }
        if (ch == '.' && !m_periodSeen) {
            m_periodSeen = true;
            m_mantissa += ch;
            return true;
        }
        if ((ch == 'E' || ch == 'e') && m_mantissaDigitSeen) {
            m_stage = Stage::ExponentSign;
            return true;
        }
        return false;
    }

    // Too large for a double reads as infinity, too small as zero: the caller then sees a
    // value its formulas refuse or handle, never a wrong finite number. Out-of-range values
    // lie far from 1, so the side is told by the decimal magnitude alone.
    double outOfRangeValue() const {
        long long magnitude = m_integerDigitsAfterLeadingZeros > 0
                                  ? m_integerDigitsAfterLeadingZeros
                                  : -m_zerosAfterPointBeforeFirstDigit;
        magnitude += m_exponentNegative ? -m_exponentValue : m_exponentValue;
        return magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }

    Stage m_stage = Stage::Sign;
    bool m_negative = false;
    std::string m_mantissa;
    bool m_periodSeen = false;
    bool m_mantissaDigitSeen = false;
    bool m_nonZeroDigitSeen = false;
    // Position of the decimal point relative to the first significant digit.
    long long m_integerDigitsAfterLeadingZeros = 0;
    long long m_zerosAfterPointBeforeFirstDigit = 0;
    bool m_exponentNegative = false;
    bool m_exponentDigitSeen = false;
    long long m_exponentValue = 0;
};

} // namespace

double parseLeadingNumber(std::string_view text) {
    return LeadingNumberScan(text).value();
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
