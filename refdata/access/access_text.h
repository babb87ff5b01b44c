#pragma once

#include <string>
#include <string_view>

namespace refdata {

// A text as Access 2000 and later store it, in UTF-8: UTF-16 (little-endian), or, after the
// bytes 0xff 0xfe, compressed, where a 0 byte switches between one byte a character (the
// character's low byte) and two. Decoded here, the same on every system, whatever converter
// the Access library was built with.
std::string textFromStoredUtf16(std::string_view stored);

} // namespace refdata
