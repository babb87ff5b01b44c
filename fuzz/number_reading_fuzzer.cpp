// Number reading against strtod: the complete regional reading, and every text the program
// writes reading back as the number it shows.
#include "fuzz/harness.h"
#include "numbers/field_reading.h"
#include "numbers/number_format.h"
#include "numbers/number_reading.h"

#include <cmath>

namespace {

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
