#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace util {

// One character read from UTF-8 text. A byte that does not begin a well-formed character
// (a stray continuation byte, a truncated or overlong sequence, a surrogate, a code point above
// U+10FFFF) is read alone, with valid false, so every such byte stays visible.
struct Utf8Character {
    char32_t codePoint = 0;
    std::size_t length = 1; // bytes consumed, at least 1
    bool valid = false;
};

// The character at the start of a non-empty text.
Utf8Character readUtf8Character(std::string_view text);

// Whether every byte of the text belongs to a well-formed character.
bool isUtf8(std::string_view text);

// Characters of the text as printed: one per well-formed character, one per stray byte.
std::size_t characterCount(std::string_view text);

// Appends the character's UTF-8 bytes; a surrogate or a code point above U+10FFFF as U+FFFD.
void appendUtf8(std::string& text, char32_t codePoint);

} // namespace util
