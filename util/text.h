#pragma once

#include <string>
#include <string_view>

namespace util {

// The text without the given blank characters at either end.
std::string_view trimmed(std::string_view text, std::string_view blanks = " \t");

// "\"text\"", as messages quote a name, a value or an argument that came from outside: control
// characters (and DEL) are written as their code ("\x0a"), so a line break cannot split the
// message nor an escape sequence reach the terminal, and a text longer than 60 characters is
// cut with "…".
std::string inQuotes(std::string_view text);

} // namespace util
