#include "util/text.h"

#include <algorithm>

namespace util {

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

std::string_view trimmed(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string inQuotes(std::string_view text) {
    return "\"" + printable(text) + "\"";
}

namespace {

// The text, its control characters as codes, cut with "…" after `longest` characters.
std::string shownAsCodes(std::string_view text, std::size_t longest) {
    std::string shown;
    std::size_t characters = 0;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        const bool startsCharacter = (byte & 0xc0) != 0x80;
        if (startsCharacter && characters == longest) {
            shown += "…";
            break;
        }
        if (byte < 0x20 || byte == 0x7f) {
            constexpr char kDigits[] = "0123456789abcdef";
            shown += "\\x";
            shown += kDigits[byte >> 4];
            shown += kDigits[byte & 0xf];
        } else {
            shown += ch;
        }
        characters += startsCharacter ? 1 : 0;
    }
    return shown;
}

} // namespace

std::string visible(std::string_view text) {
    return shownAsCodes(text, std::string_view::npos);
}

std::string printable(std::string_view text) {
    return shownAsCodes(text, 60);
}

} // namespace util
