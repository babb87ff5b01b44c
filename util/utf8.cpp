#include "util/utf8.h"

namespace util {

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

Utf8Character readUtf8Character(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return {lead, 1, true};
    }
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0; // below this the sequence is overlong
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
        smallest = 0x10000;
    } else {
        return {};
    }
    if (text.size() < length) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!isContinuation(byte)) {
            return {};
        }
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < smallest || surrogate || codePoint > 0x10FFFF) {
        return {};
    }
    return {codePoint, length, true};
}

bool isUtf8(std::string_view text) {
    while (!text.empty()) {
        const Utf8Character character = readUtf8Character(text);
        if (!character.valid) {
            return false;
        }
        text.remove_prefix(character.length);
    }
    return true;
}

std::size_t characterCount(std::string_view text) {
    std::size_t ascii = 0;
    while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) {
        ++ascii;
    }
    text.remove_prefix(ascii);
    std::size_t count = ascii;
    while (!text.empty()) {
        text.remove_prefix(readUtf8Character(text).length);
        ++count;
    }
    return count;
}

void appendUtf8(std::string& text, char32_t codePoint) {
    if ((codePoint >= 0xd800 && codePoint <= 0xdfff) || codePoint > 0x10ffff) {
        codePoint = 0xfffd;
    }
    const auto put = [&text](char32_t bits) { text += static_cast<char>(bits); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xc0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3f));
    } else if (codePoint < 0x10000) {
        put(0xe0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3f));
        put(0x80 | (codePoint & 0x3f));
    } else {
        put(0xf0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3f));
        put(0x80 | ((codePoint >> 6) & 0x3f));
        put(0x80 | (codePoint & 0x3f));
    }
}

} // namespace util
