// Number reading against strtod: the leading-number reading of every input field, the complete
// regional reading, and every text the program writes reading back as the number it shows.
#include "calc/number_reading.h"
#include "fuzz/harness.h"
#include "report/field_reading.h"
#include "report/number_format.h"

#include <cmath>

namespace {

// The documented rule read by strtod: blanks anywhere dropped, then the longest prefix
// [+-]digits[.digits][(e|E)[+-]digits] with at least one mantissa digit.
double referenceLeadingNumber(std::string_view text) {
    std::string s;
    for (const char c : text) {
        s += c == ' ' || c == '\t' || c == '\n' ? "" : std::string(1, c);
    }
    const auto digitsFrom = [&s](std::size_t at) {
        while (at < s.size() && s[at] >= '0' && s[at] <= '9') {
            ++at;
        }
        return at;
    };
    std::size_t end = s.starts_with('+') || s.starts_with('-') ? 1 : 0;
    const std::size_t start = end;
    end = digitsFrom(end);
    std::size_t digits = end - start;
    if (end < s.size() && s[end] == '.') {
        const std::size_t after = digitsFrom(end + 1);
        digits += after - end - 1;
        end = after;
    }
    if (digits == 0) {
        return 0;
    }
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        const std::size_t sign = end + 1 < s.size() && (s[end + 1] == '+' || s[end + 1] == '-');
        const std::size_t exponentEnd = digitsFrom(end + 1 + sign);
        end = exponentEnd > end + 1 + sign ? exponentEnd : end;
    }
    return std::strtod(s.substr(0, end).c_str(), nullptr);
}

// A regional text as C writes it: group separators out, the decimal separator a period.
double cValue(std::string text, const report::NumberStyle& style) {
    for (const auto& [from, to] : {std::pair{style.groupSeparator, std::string()},
                                   std::pair{style.decimalSeparator, std::string(".")}}) {
        for (std::size_t at = text.find(from); !from.empty() && at != std::string::npos;
             at = text.find(from, at + to.size())) {
            text.replace(at, from.size(), to);
        }
    }
    return std::strtod(text.c_str(), nullptr);
}

bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zebfuzz::ByteReader in(data, size);
    const report::NumberStyle& style = zebfuzz::numberStyle(in.byte());
    const std::string_view text = in.rest();

    const double leading = calc::parseLeadingNumber(text);
    FUZZ_CHECK(same(leading, referenceLeadingNumber(text)),
               "the leading-number reading agrees with strtod on the same prefix");
    if (const auto complete = report::parseLocaleNumber(text, style)) {
        FUZZ_CHECK(same(*complete, cValue(std::string(text), style)),
                   "a complete regional number reads as its digits say");
        FUZZ_CHECK(report::readFieldNumber(text, style) == *complete,
                   "a field reads a complete regional number as such");
    }
    if (std::isfinite(leading)) {
        for (const auto pattern : {report::Pattern::Grouped, report::Pattern::Plain3}) {
            const std::string shown = report::formatPattern(leading, pattern, style);
            FUZZ_CHECK(same(report::readFieldNumber(shown, style), cValue(shown, style)),
                       "a pattern text reads back as the number it shows");
        }
        const std::string plain = report::formatPlain(leading, style);
        FUZZ_CHECK(same(report::readFieldNumber(plain, style), cValue(plain, style)),
                   "a plain text reads back as the number it shows");
    }
    return 0;
}
