#pragma once

#include <string>
#include <string_view>

namespace util {

// True when the texts are equal but for the case of ASCII letters (as names of tables and
// columns are compared).
bool sameIgnoringAsciiCase(std::string_view a, std::string_view b);

// The text without the given blank characters at either end.
std::string_view trimmed(std::string_view text, std::string_view blanks = " \t");

// The text with its control characters (and DEL) written as their code ("\x1b"), whole: what a
// CSV cell or a file name in a message shows of a text from outside.
std::string visible(std::string_view text);

// A text from outside as a message may show it: control characters (and DEL) written as their
// code ("\x0a"), so a line break cannot split the message nor an escape sequence reach the
// terminal, and a text longer than 60 characters cut with "…".
std::string printable(std::string_view text);

// "\"text\"", printable, as messages quote a name, a value or an argument that came from outside.
std::string inQuotes(std::string_view text);

} // namespace util
