#include "report/fixed_field.h"

#include "util/utf8.h"

namespace report {

using util::characterCount;

namespace {

std::string padded(std::string_view text, std::size_t width, bool padOnLeft) {
    const std::size_t length = characterCount(text);
    if (length >= width) {
        return std::string(text);
    }
    std::string field;
    field.reserve(text.size() + width - length);
    if (padOnLeft) {
        field.append(width - length, ' ');
    }
    field += text;
    if (!padOnLeft) {
        field.append(width - length, ' ');
    }
    return field;
}

} // namespace

std::string alignRight(std::string_view text, std::size_t width) {
    return padded(text, width, true);
}

std::string alignLeft(std::string_view text, std::size_t width) {
    return padded(text, width, false);
}

std::string_view effectiveDecimalSeparator(const NumberStyle& style) {
    return style.decimalSeparator.empty() ? std::string_view(".") : style.decimalSeparator;
}

std::string fitValueText(std::string_view text, std::size_t width,
                         std::string_view decimalSeparator) {
    if (characterCount(text) <= width || decimalSeparator.empty()) {
        return std::string(text);
    }
    const std::size_t separator = text.find(decimalSeparator);
    if (separator == std::string_view::npos) {
        return std::string(text);
    }
    // The plain rule may end in an exponent ("1.5e+20"); only the digits before it are decimals.
    const std::size_t exponentStart = text.find_first_of("eE", separator);
    const std::string_view exponent =
        exponentStart == std::string_view::npos ? std::string_view() : text.substr(exponentStart);
    std::string kept(text.substr(0, text.size() - exponent.size()));

    const std::size_t firstDecimal = separator + decimalSeparator.size();
    const std::size_t exponentWidth = characterCount(exponent);
    while (kept.size() > firstDecimal && characterCount(kept) + exponentWidth > width) {
        kept.pop_back(); // decimal digits are single bytes
    }
    if (kept.size() == firstDecimal) {
        kept.resize(separator);
    }
    return kept + std::string(exponent);
}

std::string valueField(const calc::Entry& entry, std::size_t width, ValueFormatter format,
                       const NumberStyle& style) {
    if (!entry) {
        return std::string(width, ' ');
    }
    std::string text = format(*entry, style);
    std::size_t length = characterCount(text);
    if (length > width) {
        text = fitValueText(text, width, effectiveDecimalSeparator(style));
        length = characterCount(text);
    }
    if (length < width) {
        text.insert(0, width - length, ' ');
    }
    return text;
}

} // namespace report
