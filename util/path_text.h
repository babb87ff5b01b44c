#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace util {

// File names are UTF-8 everywhere inside the program. A path made from a narrow string would
// take the system's code page on Windows, so every path is made and read back through these.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path& path);

} // namespace util
