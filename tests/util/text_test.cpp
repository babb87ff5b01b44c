// The shared text helpers: UTF-8 decoding, trimming, quoting for messages.
#include "util/text.h"
#include "util/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace util {
namespace {

TEST(Utf8, EachCharacterCountsOnceAndEachStrayByteToo) {
    const std::pair<std::string, std::size_t> rows[] = {
        {"Área de drenagem: ", 18},
        {" m³/s.mm", 8},
        {"€", 1},
        {"\xF0\x9F\x98\x80", 1},
        {"\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80", 3}, // U+0080, U+0800, U+10000: the smallest
        // A stray continuation byte, a truncated sequence, an overlong form, a surrogate, a code
        // point beyond U+10FFFF: one character per byte.
        {"a\xFF\xC3", 3},
        {"\xC1\xBF", 2},
        {"\xE0\x80\xAF", 3},
        {"\xED\xA0\x80", 3},
        {"\xF4\x90\x80\x80", 4}};
    for (const auto& [text, characters] : rows) {
        EXPECT_EQ(characterCount(text), characters) << text;
    }
    const Utf8Character euro = readUtf8Character("€!");
    EXPECT_TRUE(euro.valid);
    EXPECT_EQ(euro.codePoint, U'€');
    EXPECT_EQ(euro.length, 3u);
    EXPECT_FALSE(readUtf8Character("\x80").valid) << "a continuation byte leads no character";
}

TEST(Text, TrimmedDropsTheBlanksAtEitherEnd) {
    EXPECT_EQ(trimmed(" \t a b \t "), "a b");
    EXPECT_EQ(trimmed(" \n", " "), "\n");
    EXPECT_EQ(trimmed(" \t "), "");
}

TEST(Text, QuotedTextsShowControlCharactersAsCodesAndAreCut) {
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"Vila Rica", "\"Vila Rica\""},
        {std::string("a\0b\nc\x1b[31m\x7f", 11), "\"a\\x00b\\x0ac\\x1b[31m\\x7f\""},
        {std::string(61, 'x'), "\"" + std::string(60, 'x') + "…\""},
        {std::string(60, 'x'), "\"" + std::string(60, 'x') + "\""},
        {std::string(59, 'x') + "éé", "\"" + std::string(59, 'x') + "é…\""}};
    // clang-format on
    for (const auto& [text, quoted] : rows) {
        EXPECT_EQ(inQuotes(text), quoted);
    }
    EXPECT_EQ(visible(std::string(59, 'x') + "\a\n"), std::string(59, 'x') + "\\x07\\x0a");
}

} // namespace
} // namespace util
