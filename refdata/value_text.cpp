#include "refdata/value_text.h"

#include "util/number_text.h"
#include "util/text.h"

#include <charconv>
#include <cmath>

namespace refdata {

std::string integerText(std::int64_t value) {
    return std::to_string(value);
}

std::string numberText(double value) {
    return util::generalNumberText(value);
}

std::optional<double> parseNumberText(std::string_view text) {
    text = util::trimmed(text);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace refdata
