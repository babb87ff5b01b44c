#pragma once

// Windows only: the program's UTF-8 texts as the wide (UTF-16) texts of Windows calls, and the
// reason for a Windows error as messages give it.

#include <string>
#include <string_view>

namespace util {

std::wstring wideFromUtf8(std::string_view utf8);
std::string utf8FromWide(std::wstring_view wide);

// One argument of a command line as a program's parser reads it back: in quotes, with the
// backslashes before a quotation mark (or the closing one) doubled.
std::wstring commandLineArgument(std::wstring_view argument);

// In Portuguese for the failures a user meets (no space, no permission, in use, not found, ...),
// as util::systemErrorText does for POSIX codes; any other as "erro do sistema N".
std::string windowsErrorText(unsigned long code);

} // namespace util
