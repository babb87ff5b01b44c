#include "refdata/access/access_text.h"

#include "util/utf8.h"

namespace refdata {

namespace {

// The UTF-16 units of the stored bytes.
std::u16string unitsOf(std::string_view stored) {
    const auto byte = [&stored](std::size_t i) { return static_cast<unsigned char>(stored[i]); };
    std::u16string units;
    const bool compressed = stored.size() >= 2 && byte(0) == 0xff && byte(1) == 0xfe;
    bool oneByte = compressed;
    for (std::size_t i = compressed ? 2 : 0; i < stored.size();) {
        if (compressed && byte(i) == 0) {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte) {
            units += static_cast<char16_t>(byte(i++));
        } else if (i + 1 < stored.size()) {
            units += static_cast<char16_t>(byte(i) | byte(i + 1) << 8);
            i += 2;
        } else {
            break; // half a character at the end
        }
    }
    return units;
}

} // namespace

std::string textFromStoredUtf16(std::string_view stored) {
    const std::u16string units = unitsOf(stored);
    std::string text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t codePoint = units[i];
        const bool high = codePoint >= 0xd800 && codePoint <= 0xdbff;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xdc00 && units[i + 1] <= 0xdfff) {
            codePoint = 0x10000 + ((codePoint - 0xd800) << 10) + (units[++i] - 0xdc00);
        }
        util::appendUtf8(text, codePoint); // a lone surrogate becomes U+FFFD
    }
    return text;
}

} // namespace refdata
