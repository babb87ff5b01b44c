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

std::string valueField(const calc::Entry& entry, std::size_t width, ValueFormatter format,
                       const NumberStyle& style) {
    if (!entry) {
        return std::string(width, ' ');
    }
    return alignRight(format(*entry, style), width);
}

} // namespace report
