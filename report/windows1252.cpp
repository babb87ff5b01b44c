#include "report/report_file.h"

#include "util/utf8.h"

#include <array>

namespace report {

namespace {

// Characters that Windows-1252 places in 0x80..0x9F, by byte; 0 where the byte is unassigned.
constexpr std::array<char32_t, 32> kHighControlRange = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      // 0x88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178, // 0x98
};

char toCodePageByte(char32_t codePoint) {
    // ASCII and Latin-1 above the C1 controls are the same numbers in the code page.
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(static_cast<unsigned char>(codePoint));
    }
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == codePoint && codePoint != 0) {
            return static_cast<char>(static_cast<unsigned char>(0x80 + i));
        }
    }
    return '?';
}

} // namespace

std::string toWindows1252(std::string_view utf8) {
    // Never longer than the UTF-8 text: one byte per character.
    std::string bytes(utf8.size(), '\0');
    std::size_t size = 0;
    while (!utf8.empty()) {
        if (static_cast<unsigned char>(utf8.front()) < 0x80) {
            bytes[size++] = utf8.front();
            utf8.remove_prefix(1);
            continue;
        }
        const util::Utf8Character character = util::readUtf8Character(utf8);
        bytes[size++] = character.valid ? toCodePageByte(character.codePoint) : '?';
        utf8.remove_prefix(character.length);
    }
    bytes.resize(size);
    return bytes;
}

} // namespace report
